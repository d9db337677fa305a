#include "installer/operations/sql_quoting.h"

namespace wf {
namespace {

std::string enclosed(const std::string& text, char delimiter) {
    std::string quoted(1, delimiter);
    for (char c : text) {
        if (c == delimiter) quoted.push_back(delimiter);
        quoted.push_back(c);
    }
    quoted.push_back(delimiter);
    return quoted;
}

}  // namespace

std::string quotedName(const std::string& name) { return enclosed(name, '"'); }

std::string quotedText(const std::string& text) { return enclosed(text, '\''); }

}  // namespace wf
