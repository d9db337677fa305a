#include "tests/windows/support/registry_views.h"

#include <gtest/gtest.h>

#include <vector>

namespace wf::testing {
namespace {

REGSAM flag(RegistryView view) { return static_cast<REGSAM>(view); }

}  // namespace

void putViewText(RegistryView view, HKEY root, const std::string& path, const std::string& name,
                 const std::string& text) {
    // A value that was never written would make every "not seen" check pass.
    HKEY key = nullptr;
    LSTATUS status =
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | flag(view), nullptr, &key, nullptr);
    ASSERT_EQ(status, ERROR_SUCCESS) << "cannot create " << path;
    status = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
    EXPECT_EQ(status, ERROR_SUCCESS) << "cannot write " << path << "\\" << name;
}

std::optional<std::string> viewText(RegistryView view, HKEY root, const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | flag(view), &key) != ERROR_SUCCESS) return std::nullopt;
    std::vector<char> data(1024);
    DWORD size = static_cast<DWORD>(data.size());
    LSTATUS status = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    return std::string(data.data(), strnlen(data.data(), size));
}

void deleteViewValue(RegistryView view, HKEY root, const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_SET_VALUE | flag(view), &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
}

void deleteViewTree(RegistryView view, HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS | flag(view), &key) != ERROR_SUCCESS) return;
    RegDeleteTreeA(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExA(root, path.c_str(), flag(view), 0);
}

}  // namespace wf::testing
