#pragma once
// Names and texts put into the installer's statements, quoted as the server reads
// them back: a name or text without quote characters comes out exactly as it
// went in, between its delimiters.
#include <string>

namespace wf {

// "name", a double quote inside doubled.
std::string quotedName(const std::string& name);

// 'text', an apostrophe inside doubled.
std::string quotedText(const std::string& text);

}  // namespace wf
