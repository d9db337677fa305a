#include "tests/doubles/memory_registry.h"
#include "tests/unit/registry/registry_target.h"

namespace wf::testing {
namespace {

class MemoryRegistryTarget : public RegistryTarget {
public:
    RegistryApi& registry() override { return registry_; }
    void setEnvironment(const std::string& name, const std::string& value) override {
        registry_.setEnvironment(name, value);
    }
    std::string uniqueName(const std::string& stem) override { return stem; }
    std::optional<std::size_t> openHandles() override { return registry_.openHandles(); }

private:
    MemoryRegistry registry_;
};

}  // namespace

std::unique_ptr<RegistryTarget> makeRegistryTarget() { return std::make_unique<MemoryRegistryTarget>(); }

}  // namespace wf::testing
