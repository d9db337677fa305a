#pragma once
// Answers SQL Browser requests (SQL Server Resolution Protocol) on a loopback
// UDP port: 0x02 and 0x03 list every configured instance, 0x04 + name + NUL the
// named one. Requests it does not understand get no answer, as from the real
// service.
#include <string>
#include <vector>

#include "net/stop_signal.h"

namespace wf::standin {

struct BrowserSettings {
    std::string serverName;
    std::vector<std::string> instances;  // "MSSQLSERVER" is the default instance
    int tcpPort = 0;                     // every instance is served by the one listener
    std::vector<std::string> extraDatagrams;  // sent before each answer, for client tests
    bool extraFromOtherPort = false;          // as a stranger would send them
    bool silent = false;
};

// The answer to one request, or an empty text when none is due.
std::string browserAnswer(const std::string& request, const BrowserSettings& settings);

class BrowserResponder {
public:
    // Binds 127.0.0.1:`port` (0 = any free port); raises std::system_error.
    BrowserResponder(int port, BrowserSettings settings);
    ~BrowserResponder();
    BrowserResponder(const BrowserResponder&) = delete;
    BrowserResponder& operator=(const BrowserResponder&) = delete;

    int port() const { return port_; }
    void serve(const StopSignal& stop);

private:
    BrowserSettings settings_;
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace wf::standin
