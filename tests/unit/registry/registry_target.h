#pragma once
// The registry a shared test set runs on: the in-memory one natively, the real one
// under Wine. Each test program links exactly one makeRegistryTarget.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "common/registry_api.h"

namespace wf::testing {

class RegistryTarget {
public:
    virtual ~RegistryTarget() = default;
    virtual RegistryApi& registry() = 0;
    virtual void setEnvironment(const std::string& name, const std::string& value) = 0;
    // Tells apart the keys of test programs that run at the same time.
    virtual std::string uniqueName(const std::string& stem) = 0;
    // The number of keys still open, where the registry can tell.
    virtual std::optional<std::size_t> openHandles() = 0;
};

std::unique_ptr<RegistryTarget> makeRegistryTarget();

}  // namespace wf::testing
