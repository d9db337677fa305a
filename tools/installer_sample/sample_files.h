#pragma once
// The few file and registry writes the sample installation needs, each raising
// std::runtime_error on failure so that a half-laid sample never goes unnoticed.
#include <windows.h>

#include <string>

namespace wf::sample {

// Makes the folder and its parents; returns its path.
std::string makeFolder(const std::string& path);
void writeText(const std::string& path, const std::string& text);
void copyFile(const std::string& from, const std::string& to);
// A string value in the registry's 32-bit view, where the host systems keep theirs.
void putRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& text);
// Deletes a key with everything below it; a missing key is fine.
void deleteRegistryTree(HKEY root, const std::string& key);

}  // namespace wf::sample
