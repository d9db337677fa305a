#pragma once
// Where the server list sends its SQL Browser request and how long it collects
// answers. Both come from the environment: WRENFOLD_SQL_BROWSER="host:port" sends
// the request to that one host; WRENFOLD_SQL_BROWSER_TIMEOUTS="first,after,total"
// (milliseconds) bounds the wait for the first answer, after each answer, and in all.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace wf {

struct SqlBrowserSettings {
    // An IPv4 address in dotted form.
    std::string host = "255.255.255.255";
    std::uint16_t port = 1434;
    // Without a target of its own the request goes to every server on the network.
    bool broadcast = true;
    std::chrono::milliseconds firstAnswer{5000};
    std::chrono::milliseconds afterAnswer{1000};
    std::chrono::milliseconds total{15000};
};

// The settings from the two environment values (null when unset). Nothing when
// either is set but unreadable: then no request may be sent at all.
std::optional<SqlBrowserSettings> sqlBrowserSettingsFrom(const char* target, const char* timeouts);

}  // namespace wf
