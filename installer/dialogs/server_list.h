#pragma once
// The list of SQL servers available on the network, from the answers of their
// SQL Browser services.
#include <string>
#include <vector>

#include "installer/dialogs/datagram_socket.h"
#include "installer/dialogs/sql_browser_settings.h"

namespace wf {

// Sends the request as `settings` say and collects the answers: waits for a first
// answer, then for more after each one, never longer than the total. Malformed
// answers are skipped. The names come sorted, each once. Raises RunError when the
// socket fails.
std::vector<std::string> collectServerNames(DatagramSocket& socket, const SqlBrowserSettings& settings);

// The servers available, with the settings of the environment, as an array whose
// element 0 is empty when none answered or the list could not be obtained.
std::vector<std::string> GetServerList();

}  // namespace wf
