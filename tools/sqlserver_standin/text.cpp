#include "text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace wf::standin {
namespace {

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

bool containsNoCase(std::string_view text, std::string_view part) {
    return std::search(text.begin(), text.end(), part.begin(), part.end(),
                       [](char x, char y) { return upper(x) == upper(y); }) != text.end();
}

std::string upperCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), upper);
    return result;
}

std::string fileSafeName(std::string_view name) {
    std::string safe;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '_' || c == '-') {
            safe.push_back(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", u);
            safe += escaped;
        }
    }
    return safe;
}

}  // namespace wf::standin
