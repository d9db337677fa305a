#include "installer/hosts/host_system.h"

namespace wf {

namespace {

// An unknown name stops the build here rather than the program later.
consteval HostSystem hostSystemOfBuild(std::string_view name) {
    std::optional<HostSystem> host = findHostSystem(name);
    if (!host) throw "WRENFOLD_HOST_SYSTEM names no host system";
    return *host;
}

}  // namespace

HostSystem buildHostSystem() { return hostSystemOfBuild(WRENFOLD_HOST_SYSTEM_NAME); }

}  // namespace wf
