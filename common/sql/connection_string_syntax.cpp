#include "common/sql/connection_string_syntax.h"

#include <algorithm>

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

constexpr const char* kHiddenPassword = "********";

bool isWordCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Where the value of a Password or PWD item starting at `start` begins (after
// its "="), or npos when no such item starts there.
std::size_t passwordValueStart(const std::string& line, std::size_t start) {
    if (start > 0 && isWordCharacter(line[start - 1])) return std::string::npos;
    for (const std::string keyword : {"PASSWORD", "PWD"}) {
        if (!startsWithUpper(line.substr(start, keyword.size()), keyword)) continue;
        std::size_t equals = line.find_first_not_of(' ', start + keyword.size());
        if (equals != std::string::npos && line[equals] == '=') return equals + 1;
    }
    return std::string::npos;
}

// Where the value starting at `position` ends: after its closing quote, or at the next ";".
std::size_t valueEnd(const std::string& line, std::size_t position) {
    std::size_t first = line.find_first_not_of(' ', position);
    if (first != std::string::npos && (line[first] == '"' || line[first] == '\'')) {
        const char quote = line[first];
        for (std::size_t at = first + 1;; at += 2) {
            at = line.find(quote, at);
            if (at == std::string::npos) return line.size();
            if (at + 1 == line.size() || line[at + 1] != quote) return at + 1;
        }
    }
    return std::min(line.find(';', position), line.size());
}

}  // namespace

std::string withPasswordsHidden(const std::string& line) {
    std::string shown;
    std::size_t copied = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        if (line[at] != 'p' && line[at] != 'P') continue;
        const std::size_t valueStart = passwordValueStart(line, at);
        if (valueStart == std::string::npos) continue;
        shown.append(line, copied, valueStart - copied);
        shown += kHiddenPassword;
        copied = valueEnd(line, valueStart);
        at = copied - 1;
    }
    return shown.append(line, copied, std::string::npos);
}

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
