#include "tests/unit/registry/registry_probe.h"

#include <stdexcept>

namespace wf::testing {
namespace {

void check(long result, const char* what) {
    if (result != kRegSuccess) throw std::runtime_error(std::string(what) + " failed: " + std::to_string(result));
}

}  // namespace

void RegistryProbe::createKey(RegKey root, const std::string& path) {
    RegKey key = 0;
    check(registry_.createKey(root, path, kKeyAllAccessClassic, key), "createKey");
    registry_.closeKey(key);
}

void RegistryProbe::put(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
                        const std::vector<std::uint8_t>& data) {
    RegKey key = 0;
    check(registry_.createKey(root, path, kKeyAllAccessClassic, key), "createKey");
    long result = registry_.setValue(key, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    registry_.closeKey(key);
    check(result, "setValue");
}

void RegistryProbe::putText(RegKey root, const std::string& path, const std::string& name, const std::string& text,
                            std::uint32_t type) {
    std::vector<std::uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    put(root, path, name, type, data);
}

bool RegistryProbe::hasKey(RegKey root, const std::string& path) {
    RegKey key = 0;
    if (registry_.openKey(root, path, kKeyQueryValue, key) != kRegSuccess) return false;
    registry_.closeKey(key);
    return true;
}

std::optional<StoredValue> RegistryProbe::get(RegKey root, const std::string& path, const std::string& name) {
    RegKey key = 0;
    if (registry_.openKey(root, path, kKeyQueryValue, key) != kRegSuccess) return std::nullopt;
    StoredValue value;
    std::uint32_t size = 0;
    long result = registry_.queryValue(key, name, &value.type, nullptr, &size);
    if (result == kRegSuccess) {
        value.data.resize(size);
        result = registry_.queryValue(key, name, &value.type, value.data.data(), &size);
        value.data.resize(size);
    }
    registry_.closeKey(key);
    if (result != kRegSuccess) return std::nullopt;
    return value;
}

void RegistryProbe::removeTree(RegKey root, const std::string& path) {
    RegKey key = 0;
    if (registry_.openKey(root, path, kKeyRead, key) != kRegSuccess) return;
    // Children go relative to the open key: the ANSI calls of some platforms refuse
    // a whole path longer than 260 characters.
    char name[256];
    while (registry_.enumKey(key, 0, name, sizeof name) == kRegSuccess) removeTree(key, name);
    registry_.closeKey(key);
    check(registry_.deleteKey(root, path), "deleteKey");
}

}  // namespace wf::testing
