#include "common/registry_store/registry_value_store.h"

#include <vector>

namespace wf {
namespace {

// Closes the key on every way out.
class OpenedKey {
public:
    OpenedKey(RegistryApi& registry, RegKey key) : registry_(registry), key_(key) {}
    ~OpenedKey() { registry_.closeKey(key_); }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;
    RegKey get() const { return key_; }

private:
    RegistryApi& registry_;
    RegKey key_;
};

}  // namespace

bool RegistryValueStore::ReadValue(std::int32_t rootKey, const std::string& keyPath,
                                   const std::string& valueName, std::string& value) {
    RegKey handle = 0;
    if (registry_.openKey(rootKey, keyPath, kKeyQueryValue, handle) != kRegSuccess) return false;
    OpenedKey key(registry_, handle);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    long result = registry_.queryValue(key.get(), valueName, &type, nullptr, &size);
    if (result != kRegSuccess) return false;
    if (type != kRegSz && type != kRegExpandSz) return false;
    std::vector<std::uint8_t> data(size);
    if (size > 0 && registry_.queryValue(key.get(), valueName, &type, data.data(), &size) != kRegSuccess)
        return false;
    // The stored text ends with its terminator; keep what stands before the first zero.
    std::string text(data.begin(), data.begin() + size);
    std::size_t end = text.find('\0');
    if (end != std::string::npos) text.resize(end);
    value = text;
    return true;
}

bool RegistryValueStore::WriteValue(std::int32_t rootKey, const std::string& keyPath,
                                    const std::string& valueName, const std::string& value) {
    RegKey handle = 0;
    if (registry_.createKey(rootKey, keyPath, kKeySetValue | kKeyQueryValue, handle) != kRegSuccess)
        return false;
    OpenedKey key(registry_, handle);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(value.c_str());
    return registry_.setValue(key.get(), valueName, kRegSz, bytes,
                              static_cast<std::uint32_t>(value.size() + 1)) == kRegSuccess;
}

}  // namespace wf
