#include <windows.h>

#include "platform/win32/win32_registry_api.h"
#include "tests/unit/registry/registry_target.h"

namespace wf::testing {
namespace {

class Win32RegistryTarget : public RegistryTarget {
public:
    RegistryApi& registry() override { return registry_; }
    void setEnvironment(const std::string& name, const std::string& value) override {
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    }
    std::string uniqueName(const std::string& stem) override {
        return stem + std::to_string(GetCurrentProcessId());
    }
    std::optional<std::size_t> openHandles() override { return std::nullopt; }

private:
    win32::Win32RegistryApi registry_;
};

}  // namespace

std::unique_ptr<RegistryTarget> makeRegistryTarget() { return std::make_unique<Win32RegistryTarget>(); }

}  // namespace wf::testing
