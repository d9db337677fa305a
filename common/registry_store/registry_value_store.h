#pragma once
// Reads and writes one registry string value, given a root key of the registry seam,
// a key path and a value name. Used by both programs for their single stored settings.
#include <string>

#include "common/registry_api.h"

namespace wf {

class RegistryValueStore {
public:
    explicit RegistryValueStore(RegistryApi& registry) : registry_(registry) {}

    // True when the value was read into `value`; `value` is untouched otherwise.
    bool ReadValue(RegKey rootKey, const std::string& keyPath, const std::string& valueName,
                   std::string& value);

    // Writes `value` as a string value, creating the key when missing; true on success.
    bool WriteValue(RegKey rootKey, const std::string& keyPath, const std::string& valueName,
                    const std::string& value);

private:
    RegistryApi& registry_;
};

}  // namespace wf
