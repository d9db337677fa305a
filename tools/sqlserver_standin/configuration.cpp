#include "configuration.h"

#include <functional>

#include "sql/token_cursor.h"

namespace wf::standin {
namespace {

struct TableName {
    std::string database;
    std::string table;
};

TableName tableName(TokenCursor& cursor) {
    TableName name;
    name.database = cursor.name();
    cursor.expectSymbol(".");
    name.table = cursor.name();
    return name;
}

template <class Item>
std::vector<Item> parenthesisedList(TokenCursor& cursor, const std::function<Item()>& item) {
    std::vector<Item> items;
    cursor.expectSymbol("(");
    do {
        items.push_back(item());
    } while (cursor.acceptSymbol(","));
    cursor.expectSymbol(")");
    return items;
}

ServerMessage scriptedError(TokenCursor& cursor) {
    cursor.expectSymbol("(");
    long number = cursor.number();
    cursor.expectSymbol(",");
    long severity = cursor.number();
    cursor.expectSymbol(",");
    std::string text = cursor.string();
    cursor.expectSymbol(")");
    if (severity < 11 || severity > 25) throw ConfigurationError("a scripted error needs a severity from 11 to 25");
    return ServerMessage{static_cast<std::int32_t>(number), static_cast<std::uint8_t>(severity), 1, std::move(text)};
}

void applyLine(TokenCursor& cursor, Catalogue& catalogue, ScriptedBehaviour& script) {
    if (cursor.accept("login")) {
        std::string user = cursor.name();
        catalogue.addLogin(user, cursor.string());
    } else if (cursor.accept("database")) {
        std::string name = cursor.name();
        if (cursor.accept("files")) {
            std::string data = cursor.string();
            catalogue.addDatabaseWithFiles(name, DatabaseFiles{data, cursor.string()});
        } else {
            catalogue.addDatabase(name);
        }
    } else if (cursor.accept("table")) {
        TableName name = tableName(cursor);
        std::optional<std::size_t> identity;
        std::size_t position = 0;
        std::vector<std::string> columns = parenthesisedList<std::string>(cursor, [&] {
            std::string column = cursor.name();
            if (cursor.accept("identity")) {
                if (identity) throw ConfigurationError("a table has one identity column at most");
                identity = position;
            }
            ++position;
            return column;
        });
        catalogue.addTable(name.database, name.table, std::move(columns), identity);
    } else if (cursor.accept("row")) {
        TableName name = tableName(cursor);
        catalogue.addRow(name.database, name.table, parenthesisedList<FieldValue>(cursor, [&] { return cursor.literal(); }));
    } else if (cursor.accept("fail")) {
        bool once = cursor.accept("once");
        ScriptedFailure failure{cursor.string(), {}, once};
        do {
            failure.errors.push_back(scriptedError(cursor));
        } while (cursor.acceptSymbol(","));
        script.failures.push_back(std::move(failure));
    } else if (cursor.accept("delay")) {
        std::string trigger = cursor.string();
        long millis = cursor.number();
        if (millis < 0) throw ConfigurationError("a delay cannot be negative");
        script.delays.push_back(ScriptedDelay{std::move(trigger), std::chrono::milliseconds(millis)});
    } else {
        cursor.fail();
    }
    cursor.expectEnd();
}

}  // namespace

void applyConfiguration(std::string_view text, Catalogue& catalogue, ScriptedBehaviour& script) {
    int lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        ++lineNumber;

        std::size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == '#') continue;
        try {
            std::vector<SqlToken> tokens = tokenize(line);
            if (tokens.empty()) continue;
            TokenCursor cursor(tokens);
            applyLine(cursor, catalogue, script);
        } catch (const SyntaxError& error) {
            throw ConfigurationError("line " + std::to_string(lineNumber) + ": unexpected '" + error.near + "'");
        } catch (const UnclosedQuote&) {
            throw ConfigurationError("line " + std::to_string(lineNumber) + ": unclosed quotation mark");
        } catch (const std::runtime_error& error) {
            throw ConfigurationError("line " + std::to_string(lineNumber) + ": " + error.what());
        }
    }
}

}  // namespace wf::standin
