#include "installer/host_system.h"

namespace wf {

std::string hostSystemName(HostSystem host) {
    switch (host) {
        case HostSystem::CounterPointSql:
            return "CounterPoint SQL";
        case HostSystem::GreatPlains:
            return "Great Plains";
        case HostSystem::Passport:
            return "Passport";
    }
    return {};
}

std::optional<HostSystem> hostSystemFromName(const std::string& name) {
    for (HostSystem host : {HostSystem::CounterPointSql, HostSystem::GreatPlains, HostSystem::Passport})
        if (hostSystemName(host) == name) return host;
    return std::nullopt;
}

}  // namespace wf
