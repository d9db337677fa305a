#include "common/text.h"

#include <cmath>
#include <cstdio>

namespace wf {

std::string toLower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string toUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool startsWithUpper(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && toUpper(text.substr(0, prefix.size())) == toUpper(prefix);
}

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    std::string result;
    std::size_t position = 0;
    for (;;) {
        std::size_t found = text.find(from, position);
        if (found == std::string::npos) break;
        result.append(text, position, found - position);
        result += to;
        position = found + from.size();
    }
    result.append(text, position, std::string::npos);
    return result;
}

std::string trimBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string decimalText(double value) {
    char text[64];
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

}  // namespace wf
