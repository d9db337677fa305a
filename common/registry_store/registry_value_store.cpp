#include "common/registry_store/registry_value_store.h"

#include <vector>

#include "common/registry_key.h"

namespace wf {

bool RegistryValueStore::ReadValue(RegKey rootKey, const std::string& keyPath,
                                   const std::string& valueName, std::string& value) {
    RegistryKey key(registry_);
    if (key.open(rootKey, keyPath, kKeyQueryValue) != kRegSuccess) return false;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    long result = registry_.queryValue(key.handle(), valueName, &type, nullptr, &size);
    if (result != kRegSuccess) return false;
    if (type != kRegSz && type != kRegExpandSz) return false;
    std::vector<std::uint8_t> data(size);
    if (size > 0 && registry_.queryValue(key.handle(), valueName, &type, data.data(), &size) != kRegSuccess)
        return false;
    // The stored text ends with its terminator; keep what stands before the first zero.
    std::string text(data.begin(), data.begin() + size);
    std::size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    value = text;
    return true;
}

bool RegistryValueStore::WriteValue(RegKey rootKey, const std::string& keyPath,
                                    const std::string& valueName, const std::string& value) {
    RegistryKey key(registry_);
    if (key.create(rootKey, keyPath, kKeySetValue | kKeyQueryValue) != kRegSuccess) return false;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(value.c_str());
    return registry_.setValue(key.handle(), valueName, kRegSz, bytes,
                              static_cast<std::uint32_t>(value.size() + 1)) == kRegSuccess;
}

}  // namespace wf
