#include "installer/operations/database_presence.h"

#include "installer/login/error_log.h"
#include "installer/operations/sql_quoting.h"

namespace wf {

std::string databaseListingStatement(const std::string& database) {
    return "select name from sys.databases where name = N" + quotedText(database);
}

bool databaseExists(InstallerContext& context, const std::string& database) {
    const std::string statement = databaseListingStatement(database);
    std::unique_ptr<SqlConnection> connection = context.sql.createConnection();
    bool listed = true;
    try {
        connection->open(context.state.connections.strNoCatConnectionString);
        std::unique_ptr<SqlRecordSet> records =
            connection->openRecordSet(statement, CursorType::ForwardOnly, LockType::ReadOnly);
        listed = !records->endOfSet();
        records->close();
    } catch (const RunError& failure) {
        context.errorLog().stepNote(statement, failure.description() + " (the database is taken to exist)");
    }
    ignoreFailure([&] { connection->close(); });
    return listed;
}

}  // namespace wf
