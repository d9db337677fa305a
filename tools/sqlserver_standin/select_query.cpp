#include "select_query.h"

#include "server_errors.h"
#include "sql/token_cursor.h"
#include "text.h"

namespace wf::standin {
namespace {

std::string joinParts(const std::vector<std::string>& parts) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) joined += (i == 0 ? "" : ".") + parts[i];
    return joined;
}

bool matches(const FieldValue& value, const FieldValue& wanted) {
    // NULL equals nothing, not even NULL.
    return value && wanted && equalsNoCase(*value, *wanted);
}

}  // namespace

SelectQuery parseSelect(const std::vector<SqlToken>& tokens) {
    TokenCursor cursor(tokens);
    SelectQuery query;
    cursor.expect("SELECT");
    if (!cursor.acceptSymbol("*")) {
        do {
            query.columns.push_back(cursor.name());
        } while (cursor.acceptSymbol(","));
    }
    cursor.expect("FROM");
    query.tableParts.push_back(cursor.name());
    while (query.tableParts.size() < 3 && cursor.acceptSymbol(".")) {
        // "db..table" leaves the schema out.
        bool schemaLeftOut = cursor.peek() && cursor.peek()->isSymbol(".");
        query.tableParts.push_back(schemaLeftOut ? std::string() : cursor.name());
    }
    if (cursor.accept("WHERE")) {
        std::string column = cursor.name();
        cursor.expectSymbol("=");
        query.filter.emplace(std::move(column), cursor.literal());
    }
    cursor.expectEnd();
    return query;
}

std::variant<QueryResult, ServerMessage> runSelect(const SelectQuery& query, const Catalogue& catalogue,
                                                   const std::string& currentDatabase) {
    std::string databaseName = query.tableParts.size() == 3 ? query.tableParts.front() : currentDatabase;
    if (catalogue.findDatabase(databaseName) && !catalogue.isOnline(databaseName)) {
        return errors::databaseOffline(*catalogue.findDatabase(databaseName));
    }
    std::optional<TableSnapshot> table = catalogue.readTable(databaseName, query.tableParts.back());
    if (!table) return errors::invalidObjectName(joinParts(query.tableParts));

    std::vector<std::size_t> picked;
    std::vector<std::string> names = query.columns.empty() ? table->columns : query.columns;
    for (const std::string& name : names) {
        std::optional<std::size_t> index = table->columnIndex(name);
        if (!index) return errors::invalidColumnName(name);
        picked.push_back(*index);
    }
    std::optional<std::size_t> filterColumn;
    if (query.filter) {
        filterColumn = table->columnIndex(query.filter->first);
        if (!filterColumn) return errors::invalidColumnName(query.filter->first);
    }

    QueryResult result{catalogue.findDatabase(databaseName).value_or(databaseName), table->name, {}, {}};
    for (std::size_t index : picked) result.columns.push_back(table->columns[index]);
    for (const TableRow& row : table->rows) {
        if (filterColumn && !matches(row.values[*filterColumn], query.filter->second)) continue;
        TableRow selected{row.id, {}};
        for (std::size_t index : picked) selected.values.push_back(row.values[index]);
        result.rows.push_back(std::move(selected));
    }
    return result;
}

}  // namespace wf::standin
