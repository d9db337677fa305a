#pragma once
// A registry value as it travels in and out of cRegistry: empty, text, a 32-bit
// integer or an array of bytes.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace wf {

using RegistryBytes = std::vector<std::uint8_t>;
using RegistryVariant = std::variant<std::monostate, std::string, std::int32_t, RegistryBytes>;

// The value as text, for text writes and for error descriptions: text as it is,
// an integer in decimal, a byte array as the characters of its bytes, empty as "".
std::string registryVariantText(const RegistryVariant& value);

}  // namespace wf
