#pragma once
// An SQL server played from a script: which connection strings and statements
// fail with which provider errors (by their text, or by the plan: the Nth open or
// execute), and which rows a statement returns. It records what its connections
// do, and counts the connections left open.
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/sql/sql_connection.h"
#include "tests/doubles/fault_plan.h"

namespace wf::testing {

struct SqlScriptedFailure {
    long number = 0;
    // The provider errors the failure reports, in order; the first one is also
    // the failure's description. None: a failure the provider does not explain.
    std::vector<std::string> providerErrors;
};

struct SqlScriptedTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

// A database the scripted server keeps: its state and whose files it runs on.
struct SqlScriptedDatabase {
    std::string state = "online";  // "online", "offline" or "detached"
    std::string files;             // whose pair it runs on, as fileOwner names them
};

enum class SqlOp { Open, Execute, OpenRecordSet };

inline const char* operationName(SqlOp op) {
    static const char* const names[] = {"SqlOp::Open", "SqlOp::Execute", "SqlOp::OpenRecordSet"};
    return names[static_cast<int>(op)];
}

// A call its schedule fails is refused with a server error of no particular kind.
using SqlFaultPlan = FaultPlan<SqlOp, SqlScriptedFailure>;

class SqlScriptedServer : public SqlConnectionFactory {
public:
    std::map<std::string, SqlScriptedFailure> openFailures;       // by connection string
    std::map<std::string, SqlScriptedFailure> statementFailures;  // by statement text
    std::map<std::string, SqlScriptedTable> tables;               // record sets by statement text
    // Record sets of one connection string, found before those of `tables`.
    std::map<std::pair<std::string, std::string>, SqlScriptedTable> tablesOn;  // by {connection string, statement}

    // Databases by name, changed by the statements that take them offline and
    // online, detach and attach them. An attach reads its two files through
    // `fileOwner` (empty: no such file) and refuses, as SQL Server does, a file it
    // cannot open (5120), the files of two databases (5173) and a pair whose owner
    // is in `refusedPairs` (5120, access denied).
    std::map<std::string, SqlScriptedDatabase> databases;
    std::function<std::string(const std::string& path)> fileOwner;
    std::set<std::string> refusedPairs;

    // In order: "open <string>", "execute <statement>", "timeout <seconds>",
    // "clear errors", "close", "recordset <statement> <cursor> <lock>",
    // "update <column>=<value>", "close recordset".
    std::vector<std::string> events;
    int connectionsOpen = 0;
    int connectionsCreated = 0;

    SqlFaultPlan& faults() { return faults_; }

    std::unique_ptr<SqlConnection> createConnection() override;
    // The catalogue's answer to `statement`: the failure it meets, if any.
    std::optional<SqlScriptedFailure> changeCatalogue(const std::string& statement);

private:
    SqlFaultPlan faults_{SqlScriptedFailure{4242, {"Refused by the server."}}};
};

}  // namespace wf::testing
