#include "common/sql/connection_string_syntax.h"

#include "common/sql/sql_connection.h"
#include "common/text.h"

namespace wf {

namespace {

bool needsQuotes(const std::string& value) {
    return value.find(';') != std::string::npos || (!value.empty() && (value[0] == '"' || value[0] == '\''));
}

[[noreturn]] void malformed(const std::string& why) {
    throw RunError(kErrSqlProviderFailure, "The connection string is not valid: " + why + ".");
}

// Reads a value enclosed in `quote` from `position` (on the opening quote); a
// doubled quote stands for one. Leaves `position` after the closing quote.
std::string quotedValue(const std::string& text, std::size_t& position) {
    const char quote = text[position++];
    std::string value;
    for (;;) {
        if (position >= text.size()) malformed("a quoted value is not closed");
        char c = text[position++];
        if (c != quote) {
            value += c;
        } else if (position < text.size() && text[position] == quote) {
            value += quote;
            ++position;
        } else {
            return value;
        }
    }
}

}  // namespace

std::string connectionStringValue(const std::string& value) {
    if (!needsQuotes(value)) return value;
    return "\"" + replaceAll(value, "\"", "\"\"") + "\"";
}

std::vector<ConnectionStringItem> parseConnectionString(const std::string& text) {
    std::vector<ConnectionStringItem> items;
    std::size_t position = 0;
    while (position < text.size()) {
        std::size_t itemEnd = text.find(';', position);
        std::size_t equals = text.find('=', position);
        if (equals == std::string::npos || equals > itemEnd) {
            std::string rest =
                text.substr(position, itemEnd == std::string::npos ? std::string::npos : itemEnd - position);
            if (!trimBlanks(rest).empty()) malformed("\"" + rest + "\" has no \"=\"");
            if (itemEnd == std::string::npos) break;
            position = itemEnd + 1;
            continue;
        }
        ConnectionStringItem item{trimBlanks(text.substr(position, equals - position)), {}};
        position = equals + 1;
        if (position < text.size() && (text[position] == '"' || text[position] == '\'')) {
            item.value = quotedValue(text, position);
            std::size_t after = text.find_first_not_of(' ', position);
            if (after != std::string::npos && text[after] != ';')
                malformed("text follows the quoted value of " + item.keyword);
            position = after == std::string::npos ? text.size() : after + 1;
        } else {
            itemEnd = text.find(';', position);
            item.value = text.substr(position, itemEnd == std::string::npos ? std::string::npos : itemEnd - position);
            position = itemEnd == std::string::npos ? text.size() : itemEnd + 1;
        }
        items.push_back(std::move(item));
    }
    return items;
}

std::optional<std::string> connectionStringItem(const std::vector<ConnectionStringItem>& items,
                                                const std::string& keyword) {
    std::optional<std::string> found;
    for (const ConnectionStringItem& item : items)
        if (toLower(item.keyword) == toLower(keyword)) found = item.value;
    return found;
}

}  // namespace wf
