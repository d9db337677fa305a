#include "tools/installer_sample/sample_files.h"

#include <fstream>
#include <stdexcept>

namespace wf::sample {

std::string makeFolder(const std::string& path) {
    // Parents first, from the one below the drive's root.
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot make the folder " + path);
    return path;
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!(file << text).flush()) throw std::runtime_error("cannot write " + path);
}

void copyFile(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy " + from + " to " + to);
}

void putRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    HKEY opened = nullptr;
    LSTATUS status =
        RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &opened, nullptr);
    if (status == ERROR_SUCCESS) {
        status = RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1));
        RegCloseKey(opened);
    }
    if (status != ERROR_SUCCESS) throw std::runtime_error("cannot write the registry value " + key + "\\" + name);
}

void deleteRegistryTree(HKEY root, const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &opened) != ERROR_SUCCESS) return;
    RegDeleteTreeA(opened, nullptr);
    RegCloseKey(opened);
    RegDeleteKeyExA(root, key.c_str(), KEY_WOW64_32KEY, 0);
}

}  // namespace wf::sample
