#include "installer/operations/empty_database.h"

#include "common/line_reader.h"
#include "common/program_files.h"
#include "installer/login/error_log.h"
#include "installer/operations/definition_batches.h"
#include "installer/operations/sql_quoting.h"

namespace wf {
namespace {

// Runs one statement of the definition; a failure is logged with the provider's
// errors and the definition goes on. True when it succeeded.
bool tryStatement(InstallerContext& context, SqlConnection& connection, const std::string& statement) {
    try {
        connection.execute(statement);
        return true;
    } catch (const RunError&) {
        context.errorLog().statementFailure(statement, connection);
        return false;
    }
}

}  // namespace

std::string definitionScriptPath(ProcessServices& process) { return programFilePath(process, "SQLdbgen\\mkWFdb.sql"); }

bool CreateEmptyDatabase(InstallerContext& context, const WorkProgress& progress) {
    const std::string database = quotedName(context.state.operation.strOurDB);
    std::unique_ptr<SqlConnection> connection = context.sql.createConnection();
    try {
        connection->open(context.state.connections.strNoCatConnectionString);
    } catch (const RunError&) {
        context.errorLog().statementFailure("", *connection);
    }
    // A database that is not there yet refuses to go offline, online or away:
    // those refusals are expected, so only the creation decides the outcome.
    tryStatement(context, *connection, "use Master");
    tryStatement(context, *connection, "alter database " + database + " set offline with rollback immediate");
    tryStatement(context, *connection, "alter database " + database + " set online");
    tryStatement(context, *connection, "DROP DATABASE " + database);
    const bool created = tryStatement(context, *connection, "CREATE DATABASE " + database);
    ignoreFailure([&] { connection->close(); });
    connection.reset();
    if (!created) {
        // The script would build into whatever database of that name is left, the
        // old one still in use among them.
        context.errorLog().stepNote(definitionScriptPath(context.process),
                                    "Not run: the Wrenfold database was not created.");
        return false;
    }
    return RunDefinitionScript(context, progress);
}

bool RunDefinitionScript(InstallerContext& context, const WorkProgress& progress) {
    context.ui.setBusyPointer(true);
    bool succeeded = true;
    std::unique_ptr<SqlConnection> connection = context.sql.createConnection();
    try {
        connection->open(context.state.connections.strOurConnectionString);
    } catch (const RunError&) {
        context.errorLog().statementFailure("", *connection);
        succeeded = false;
    }
    try {
        const std::string script = definitionScriptPath(context.process);
        const std::uint64_t scriptSize = context.files.fileSize(script);
        DefinitionBatches batches(openLines(context.files, script));
        while (std::optional<std::string> batch = batches.next()) {
            // Cleared first, so that a failure logs only this batch's errors.
            connection->clearErrors();
            if (!tryStatement(context, *connection, *batch)) succeeded = false;
            if (progress) progress(batches.bytesRead(), scriptSize);
        }
    } catch (const RunError& failure) {
        context.ui.messageBox("Error: " + std::to_string(failure.number()) + " " + failure.description(),
                              kOkOnly + kCritical, kInstallerTitle);
        succeeded = false;
    }
    context.ui.setBusyPointer(false);
    ignoreFailure([&] { connection->close(); });
    return succeeded;
}

}  // namespace wf
