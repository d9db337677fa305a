#pragma once
// Comparing captions as a user reads them.
#include <string>

namespace wf::automation {

// The caption without its mnemonic markers: "&Yes" reads "Yes", "A && B" reads "A & B".
std::string withoutMnemonic(const std::string& caption);

// Window class names compare without regard to case.
bool sameClassName(const std::string& a, const std::string& b);

}  // namespace wf::automation
