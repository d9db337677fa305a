#pragma once
// Reads one answer of the SQL Browser service: 0x05, a little-endian length, then
// records "ServerName;S;InstanceName;I;...;;" one after the other.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wf {

// The names of the instances listed in `datagram`, as the server list shows them:
// a default instance (MSSQLSERVER) by the server's name, any other as
// SERVER\INSTANCE. A name longer than 255 characters or holding a control
// character is left out. Nothing when the datagram is not a well-formed answer or
// leaves no name to list.
std::optional<std::vector<std::string>> serverNamesInAnswer(std::string_view datagram);

}  // namespace wf
