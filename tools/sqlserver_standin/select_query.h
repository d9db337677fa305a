#pragma once
// The SELECT the stand-in answers: "select * | col, ... from [db.][schema.]table
// [where col = literal] [order by col [asc|desc], ...]", the table being one of the
// catalogue's or sys.databases. Shared by plain batches and server cursors.
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "catalogue.h"
#include "sql/lexer.h"
#include "tds/server_message.h"

namespace wf::standin {

struct SelectQuery {
    std::vector<std::string> columns;     // empty for "*"
    std::vector<std::string> tableParts;  // as written: [db, schema,] table
    std::optional<std::pair<std::string, FieldValue>> filter;
    std::vector<std::pair<std::string, bool>> order;  // column, descending
};

struct QueryResult {
    std::string database;  // where the table lives
    std::string table;
    std::vector<std::string> columns;
    std::vector<TableRow> rows;  // only the selected columns, in order
    std::optional<std::size_t> identityColumn;  // among the selected columns
};

// Raises SyntaxError when the tokens are not such a SELECT.
SelectQuery parseSelect(const std::vector<SqlToken>& tokens);

// The rows the query selects, or the server's error for a missing table or column.
std::variant<QueryResult, ServerMessage> runSelect(const SelectQuery& query, const Catalogue& catalogue,
                                                   const std::string& currentDatabase);

}  // namespace wf::standin
