#pragma once
// Arranges and inspects registry contents through the seam alone, so that the same
// tests run on the in-memory registry and on the real one.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/registry_api.h"

namespace wf::testing {

struct StoredValue {
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
    std::string text() const { return std::string(data.begin(), data.end()); }
};

class RegistryProbe {
public:
    explicit RegistryProbe(RegistryApi& registry) : registry_(registry) {}

    void createKey(RegKey root, const std::string& path);
    void put(RegKey root, const std::string& path, const std::string& name, std::uint32_t type,
             const std::vector<std::uint8_t>& data);
    // Stores `text` with its terminating zero byte.
    void putText(RegKey root, const std::string& path, const std::string& name, const std::string& text,
                 std::uint32_t type = kRegSz);
    bool hasKey(RegKey root, const std::string& path);
    std::optional<StoredValue> get(RegKey root, const std::string& path, const std::string& name);
    // Deletes the key with everything below it; a missing key is fine.
    void removeTree(RegKey root, const std::string& path);

private:
    RegistryApi& registry_;
};

}  // namespace wf::testing
