#pragma once
// Conversions between the UTF-8 the stand-in works in and the UTF-16LE that TDS
// carries. Broken input becomes U+FFFD rather than an error: a test peer should
// show what it got.
#include <string>
#include <string_view>

namespace wf::standin {

std::string utf8ToUtf16le(std::string_view utf8);

// An odd trailing byte is dropped.
std::string utf16leToUtf8(std::string_view bytes);

}  // namespace wf::standin
