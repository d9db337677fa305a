#pragma once
// The registry seam over the advapi32 ANSI calls: each member is the one call it
// is named after, its Win32 result passed through unchanged. Keys are opened,
// created and deleted in the 32-bit view (KEY_WOW64_32KEY).
#include "common/registry_api.h"

namespace wf::win32 {

class Win32RegistryApi : public RegistryApi {
public:
    long openKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) override;
    long createKey(RegKey root, const std::string& subKey, std::uint32_t access, RegKey& result) override;
    long closeKey(RegKey key) override;
    long deleteKey(RegKey root, const std::string& subKey) override;
    long deleteValue(RegKey key, const std::string& valueName) override;
    long queryValue(RegKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long setValue(RegKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long enumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameLength) override;
    long enumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t nameSize) override;
    long queryInfoKey(RegKey key, RegKeyInfo& info) override;
    std::uint32_t expandEnvironmentStrings(const std::string& source, char* destination, std::uint32_t size) override;
};

}  // namespace wf::win32
