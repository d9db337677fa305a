#pragma once
// Where the dialogs' server list asks for SQL servers during a test: the stand-in's
// SQL Browser started by the test's fixture, or a loopback port where nobody answers.
#include <winsock2.h>

#include <string>

namespace wf::testing {

// Points the server list of this process at "127.0.0.1:port", with short waits.
void pointServerListAt(int port);

// The SQL Browser port of the stand-in, from the fixture's port file. Raises
// std::runtime_error when the file is missing.
int standinBrowserPort();

// A UDP port on 127.0.0.1 that takes requests and never answers.
class SilentUdpPort {
public:
    SilentUdpPort();
    ~SilentUdpPort();
    SilentUdpPort(const SilentUdpPort&) = delete;
    SilentUdpPort& operator=(const SilentUdpPort&) = delete;
    int port() const { return port_; }

private:
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
};

}  // namespace wf::testing
