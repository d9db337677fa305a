#pragma once
// Name comparison as the server's case-insensitive collation does it (ASCII
// letters), and names made safe for use as file names.
#include <string>
#include <string_view>

namespace wf::standin {

bool equalsNoCase(std::string_view a, std::string_view b);
bool containsNoCase(std::string_view text, std::string_view part);
std::string upperCase(std::string_view text);
// Letters, digits, "_" and "-" stay; every other byte becomes %XX.
std::string fileSafeName(std::string_view name);

}  // namespace wf::standin
