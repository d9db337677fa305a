#pragma once
// An SQL server played from a script: which connection strings and statements
// fail with which provider errors (by their text, or by the plan: the Nth open or
// execute), and which rows a statement returns. It records what its connections
// do, and counts the connections left open.
#include <map>
#include <string>
#include <vector>

#include "installer/sql/sql_connection.h"
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

enum class SqlOp { Open, Execute, OpenRecordSet };

using SqlFaultPlan = FaultPlan<SqlOp, SqlScriptedFailure>;

class SqlScriptedServer : public SqlConnectionFactory {
public:
    std::map<std::string, SqlScriptedFailure> openFailures;       // by connection string
    std::map<std::string, SqlScriptedFailure> statementFailures;  // by statement text
    std::map<std::string, SqlScriptedTable> tables;               // record sets by statement text
    // Record sets of one connection string, found before those of `tables`.
    std::map<std::pair<std::string, std::string>, SqlScriptedTable> tablesOn;  // by {connection string, statement}

    // In order: "open <string>", "execute <statement>", "timeout <seconds>",
    // "clear errors", "close", "recordset <statement> <cursor> <lock>",
    // "update <column>=<value>", "close recordset".
    std::vector<std::string> events;
    int connectionsOpen = 0;
    int connectionsCreated = 0;

    SqlFaultPlan& faults() { return faults_; }

    std::unique_ptr<SqlConnection> createConnection() override;

private:
    SqlFaultPlan faults_;
};

}  // namespace wf::testing
