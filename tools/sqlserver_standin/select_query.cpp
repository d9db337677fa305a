#include "select_query.h"

#include <algorithm>

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

// Order as the case-insensitive collation sorts: NULL first, then text without regard to case.
bool before(const FieldValue& a, const FieldValue& b) {
    if (!a || !b) return !a && b;
    return upperCase(*a) < upperCase(*b);
}

bool matches(const FieldValue& value, const FieldValue& wanted) {
    // NULL equals nothing, not even NULL.
    return value && wanted && equalsNoCase(*value, *wanted);
}

// sys.databases, named with or without its database.
bool listsDatabases(const SelectQuery& query) {
    const std::vector<std::string>& parts = query.tableParts;
    return parts.size() >= 2 && equalsNoCase(parts[parts.size() - 2], "sys") &&
           equalsNoCase(parts.back(), Catalogue::kDatabaseList);
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
    if (cursor.accept("ORDER")) {
        cursor.expect("BY");
        do {
            std::string column = cursor.name();
            bool descending = cursor.accept("DESC");
            if (!descending) cursor.accept("ASC");
            query.order.emplace_back(std::move(column), descending);
        } while (cursor.acceptSymbol(","));
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
    std::optional<TableSnapshot> table =
        listsDatabases(query) ? catalogue.databaseList() : catalogue.readTable(databaseName, query.tableParts.back());
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

    std::vector<std::pair<std::size_t, bool>> order;
    for (const auto& [name, descending] : query.order) {
        std::optional<std::size_t> index = table->columnIndex(name);
        if (!index) return errors::invalidColumnName(name);
        order.emplace_back(*index, descending);
    }
    std::stable_sort(table->rows.begin(), table->rows.end(), [&](const TableRow& a, const TableRow& b) {
        for (const auto& [index, descending] : order) {
            const FieldValue& x = a.values[index];
            const FieldValue& y = b.values[index];
            if (before(x, y)) return !descending;
            if (before(y, x)) return descending;
        }
        return false;
    });

    QueryResult result{catalogue.findDatabase(databaseName).value_or(databaseName), table->name, {}, {}, std::nullopt};
    for (std::size_t index : picked) {
        if (index == table->identityColumn) result.identityColumn = result.columns.size();
        result.columns.push_back(table->columns[index]);
    }
    for (const TableRow& row : table->rows) {
        if (filterColumn && !matches(row.values[*filterColumn], query.filter->second)) continue;
        TableRow selected{row.id, {}};
        for (std::size_t index : picked) selected.values.push_back(row.values[index]);
        result.rows.push_back(std::move(selected));
    }
    return result;
}

}  // namespace wf::standin
