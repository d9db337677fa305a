#pragma once
// Name comparison as the server's case-insensitive collation does it (ASCII letters).
#include <string>
#include <string_view>

namespace wf::standin {

bool equalsNoCase(std::string_view a, std::string_view b);
bool containsNoCase(std::string_view text, std::string_view part);
std::string upperCase(std::string_view text);

}  // namespace wf::standin
