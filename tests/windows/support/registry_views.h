#pragma once
// Keys of one named view of the registry, written and read with the view stated,
// as a setup program of either bitness leaves them, apart from the programs' own
// registry code that the tests check.
#include <windows.h>

#include <optional>
#include <string>

namespace wf::testing {

enum class RegistryView : REGSAM { ThirtyTwoBit = KEY_WOW64_32KEY, SixtyFourBit = KEY_WOW64_64KEY };

// Fails the running test when the value cannot be written.
void putViewText(RegistryView view, HKEY root, const std::string& path, const std::string& name,
                 const std::string& text);
std::optional<std::string> viewText(RegistryView view, HKEY root, const std::string& path, const std::string& name);
void deleteViewValue(RegistryView view, HKEY root, const std::string& path, const std::string& name);
// Deletes the key with everything below it; a missing key is fine.
void deleteViewTree(RegistryView view, HKEY root, const std::string& path);

}  // namespace wf::testing
