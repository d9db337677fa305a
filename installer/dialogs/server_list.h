#pragma once
// The list of SQL servers available on the network, from the answers of their
// SQL Browser services.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "common/datagram_socket.h"
#include "installer/dialogs/sql_browser_settings.h"

namespace wf {

// The time the waits are measured on: the steady clock, or one a caller drives.
using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;

// Sends the request as `settings` say and collects the answers: waits for a first
// answer, then for more after each one, never longer than the total. A request to
// one host reads that host's datagrams only. Malformed answers are skipped. The
// names come sorted, each once, at most 1,000: the first ones received; with that
// many the wait ends. Raises RunError when the socket fails.
std::vector<std::string> collectServerNames(DatagramSocket& socket, const SqlBrowserSettings& settings,
                                            const SteadyNow& now = std::chrono::steady_clock::now);

// The servers available, with the settings of the environment, as an array whose
// element 0 is empty when none answered or the list could not be obtained.
std::vector<std::string> GetServerList();

}  // namespace wf
