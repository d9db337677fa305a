#pragma once
// The host system dbprep serves, fixed when the program is built. What differs
// between the hosts is in their profiles (host_profile.h).
#include <optional>
#include <string_view>

namespace wf {

enum class HostSystem { CounterPointSql, GreatPlains, Passport };

// The display name every procedure compares against: "CounterPoint SQL",
// "Great Plains" or "Passport".
constexpr std::string_view hostSystemDisplayName(HostSystem host) {
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

// The host system of a display name; nothing for any other text.
constexpr std::optional<HostSystem> findHostSystem(std::string_view name) {
    for (HostSystem host : {HostSystem::CounterPointSql, HostSystem::GreatPlains, HostSystem::Passport})
        if (hostSystemDisplayName(host) == name) return host;
    return std::nullopt;
}

// The host system this build of dbprep serves: the WRENFOLD_HOST_SYSTEM setting.
HostSystem buildHostSystem();

}  // namespace wf
