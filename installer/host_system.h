#pragma once
// The host system dbprep serves, fixed when the program is built.
#include <optional>
#include <string>

namespace wf {

enum class HostSystem { CounterPointSql, GreatPlains, Passport };

// The display name every procedure compares against: "CounterPoint SQL",
// "Great Plains" or "Passport".
std::string hostSystemName(HostSystem host);

// The host system of a display name; nothing for any other text.
std::optional<HostSystem> hostSystemFromName(const std::string& name);

}  // namespace wf
