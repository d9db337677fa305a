#pragma once
// Small text helpers of both programs (ANSI bytes).
#include <string>

namespace wf {

// Lower-cases the letters A to Z only, as the programs compare file names.
std::string toLower(std::string text);

// Upper-cases the letters a to z only, as the installer matches keys.
std::string toUpper(std::string text);

// True when `text` begins with `prefix`, compared in upper case.
bool startsWithUpper(const std::string& text, const std::string& prefix);

// Replaces every occurrence of `from` in `text`, scanning from the first character,
// case-sensitively; replaced text is not scanned again.
std::string replaceAll(const std::string& text, const std::string& from, const std::string& to);

// Removes leading and trailing blanks.
std::string trimBlanks(const std::string& text);

// A number as the programs write it in decimal: integral values without a fraction.
std::string decimalText(double value);

}  // namespace wf
