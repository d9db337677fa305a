#include "database_files.h"

#include <fstream>
#include <sstream>

#include "sql/token_cursor.h"
#include "text.h"

namespace wf::standin {
namespace {

constexpr const char* kDataHeader = "-- sqlserver-standin data file\n";
constexpr const char* kLogHeader = "-- sqlserver-standin log file\n";

std::string bracketed(const std::string& name) {
    std::string quoted = "[";
    for (char c : name) {
        quoted.push_back(c);
        if (c == ']') quoted.push_back(']');
    }
    return quoted + "]";
}

std::string literal(const FieldValue& value) {
    if (!value) return "NULL";
    std::string quoted = "N'";
    for (char c : *value) {
        quoted.push_back(c);
        if (c == '\'') quoted.push_back('\'');
    }
    return quoted + "'";
}

template <class Item, class Write>
std::string list(const std::vector<Item>& items, Write write) {
    std::string text = "(";
    for (std::size_t i = 0; i < items.size(); ++i) text += (i ? ", " : "") + write(items[i]);
    return text + ")";
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

std::string dataFileText(const std::vector<TableSnapshot>& tables) {
    std::string text = kDataHeader;
    for (const TableSnapshot& table : tables) {
        text += "table " + bracketed(table.name) + " " + list(table.columns, bracketed) + ";\n";
        for (const TableRow& row : table.rows) text += "row " + bracketed(table.name) + " " + list(row.values, literal) + ";\n";
    }
    return text;
}

std::string logFileText() { return kLogHeader; }

bool isLogFile(const std::string& text) { return startsWith(text, kLogHeader); }

std::vector<TableSnapshot> parseDataFile(const std::string& text) {
    if (!startsWith(text, kDataHeader)) throw InvalidDatabaseFile("not a data file");
    std::vector<TableSnapshot> tables;
    try {
        std::vector<SqlToken> tokens = tokenize(text);
        TokenCursor cursor(tokens);
        while (!cursor.atEnd()) {
            bool isTable = cursor.accept("table");
            if (!isTable) cursor.expect("row");
            std::string name = cursor.name();
            cursor.expectSymbol("(");
            std::vector<FieldValue> values;
            do {
                values.push_back(isTable ? FieldValue(cursor.name()) : cursor.literal());
            } while (cursor.acceptSymbol(","));
            cursor.expectSymbol(")");
            cursor.expectSymbol(";");
            if (isTable) {
                TableSnapshot table{name, {}, {}};
                for (FieldValue& column : values) table.columns.push_back(std::move(*column));
                tables.push_back(std::move(table));
            } else if (tables.empty() || !equalsNoCase(tables.back().name, name) ||
                       values.size() != tables.back().columns.size()) {
                throw InvalidDatabaseFile("row without its table");
            } else {
                tables.back().rows.push_back(TableRow{0, std::move(values)});
            }
        }
    } catch (const SyntaxError&) {
        throw InvalidDatabaseFile("damaged data file");
    } catch (const UnclosedQuote&) {
        throw InvalidDatabaseFile("damaged data file");
    }
    return tables;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::string ClientPaths::toClient(const std::filesystem::path& path) const {
    if (prefix_.empty()) return path.string();
    std::string client = prefix_ + path.string();
    for (char& c : client) {
        if (c == '/') c = '\\';
    }
    return client;
}

std::filesystem::path ClientPaths::fromClient(const std::string& path) const {
    if (prefix_.empty() || path.size() < prefix_.size() || !equalsNoCase(path.substr(0, prefix_.size()), prefix_)) {
        return path;
    }
    std::string native = path.substr(prefix_.size());
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    return native;
}

}  // namespace wf::standin
