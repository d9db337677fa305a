#pragma once
// The one grammar of the installer's connection strings: "Keyword=value" items
// joined by ";". A value that holds ";" or starts with a quote character is
// enclosed in double quotes, with any double quote inside it doubled; every other
// value stands as written.
#include <optional>
#include <string>
#include <vector>

namespace wf {

// `value` as it is written into a connection string.
std::string connectionStringValue(const std::string& value);

struct ConnectionStringItem {
    std::string keyword;  // as written, without surrounding blanks
    std::string value;    // unquoted
};

// The items of a connection string, in order. Empty items (";;", a trailing ";")
// are skipped. Raises RunError for an item without "=", an unterminated quoted
// value or text after a closing quote.
std::vector<ConnectionStringItem> parseConnectionString(const std::string& text);

// `line` as a log may show it: the value of every Password and PWD item (any
// case, blanks allowed around "=") replaced by ********, an empty one too, so that
// the log tells nothing of it. A quoted value is hidden to its closing quote, any
// other to the next ";". An item starts at the line's start or after a character
// that cannot be part of a word.
std::string withPasswordsHidden(const std::string& line);

// The value of the last item named `keyword` (case-insensitive), if any.
std::optional<std::string> connectionStringItem(const std::vector<ConnectionStringItem>& items,
                                                const std::string& keyword);

}  // namespace wf
