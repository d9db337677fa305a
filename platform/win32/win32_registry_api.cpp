#include "platform/win32/win32_registry_api.h"

#include <windows.h>

namespace wf::win32 {
namespace {

HKEY toHandle(RegKey key) { return reinterpret_cast<HKEY>(key); }

RegKey fromHandle(HKEY key) { return reinterpret_cast<RegKey>(key); }

// The host systems are 32-bit programs: their keys under HKEY_LOCAL_MACHINE\SOFTWARE
// and their ODBC data sources live in the registry's 32-bit view. Naming the view
// makes the 64-bit build open exactly the keys the shipped 32-bit build opens.
constexpr REGSAM kHostView = KEY_WOW64_32KEY;

}  // namespace

long Win32RegistryApi::openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) {
    HKEY opened = nullptr;
    LSTATUS status = RegOpenKeyExA(toHandle(root), subKey.c_str(), 0, access | kHostView, &opened);
    result = status == ERROR_SUCCESS ? fromHandle(opened) : 0;
    return status;
}

long Win32RegistryApi::createKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) {
    HKEY created = nullptr;
    DWORD disposition = 0;
    LSTATUS status = RegCreateKeyExA(toHandle(root), subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                     access | kHostView, nullptr, &created, &disposition);
    result = status == ERROR_SUCCESS ? fromHandle(created) : 0;
    return status;
}

long Win32RegistryApi::closeKey(RegKey key) { return RegCloseKey(toHandle(key)); }

long Win32RegistryApi::deleteKey(RegKey root, const std::string& subKey) {
    return RegDeleteKeyExA(toHandle(root), subKey.c_str(), kHostView, 0);
}

long Win32RegistryApi::deleteValue(RegKey key, const std::string& valueName) {
    return RegDeleteValueA(toHandle(key), valueName.c_str());
}

long Win32RegistryApi::queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* size) {
    DWORD foundType = 0;
    DWORD length = size ? *size : 0;
    LSTATUS status = RegQueryValueExA(toHandle(key), valueName.c_str(), nullptr, type ? &foundType : nullptr, data,
                                      size ? &length : nullptr);
    if (type) *type = foundType;
    if (size) *size = length;
    return status;
}

long Win32RegistryApi::setValue(RegKey key, const std::string& valueName, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) {
    return RegSetValueExA(toHandle(key), valueName.c_str(), 0, type, data, size);
}

long Win32RegistryApi::enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) {
    DWORD length = nameLength ? *nameLength : 0;
    LSTATUS status = RegEnumValueA(toHandle(key), index, name, nameLength ? &length : nullptr, nullptr, nullptr,
                                   nullptr, nullptr);
    if (nameLength) *nameLength = length;
    return status;
}

long Win32RegistryApi::enumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) {
    return RegEnumKeyA(toHandle(key), index, name, nameSize);
}

long Win32RegistryApi::queryInfoKey(RegKey key, RegKeyInfo& info) {
    DWORD subKeys = 0, maxSubKeyLength = 0, values = 0, maxValueNameLength = 0, maxValueDataLength = 0;
    LSTATUS status = RegQueryInfoKeyA(toHandle(key), nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLength, nullptr,
                                      &values, &maxValueNameLength, &maxValueDataLength, nullptr, nullptr);
    if (status == ERROR_SUCCESS)
        info = RegKeyInfo{subKeys, maxSubKeyLength, values, maxValueNameLength, maxValueDataLength};
    return status;
}

std::uint32_t Win32RegistryApi::expandEnvironmentStrings(const std::string& source, char* destination,
                                                         std::uint32_t size) {
    return ExpandEnvironmentStringsA(source.c_str(), destination, size);
}

}  // namespace wf::win32
