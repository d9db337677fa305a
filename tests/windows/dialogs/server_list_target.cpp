#include "tests/windows/dialogs/server_list_target.h"

#include <cstdlib>

#include "tools/sqlserver_standin/testing/port_file.h"

namespace wf::testing {

void pointServerListAt(int port) {
    _putenv_s("WRENFOLD_SQL_BROWSER", ("127.0.0.1:" + std::to_string(port)).c_str());
    _putenv_s("WRENFOLD_SQL_BROWSER_TIMEOUTS", "1000,200,3000");
}

int standinBrowserPort() { return readStandinPorts(WF_STANDIN_PORT_FILE).browser; }

SilentUdpPort::SilentUdpPort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
        port_ = ntohs(address.sin_port);
    }
}

SilentUdpPort::~SilentUdpPort() {
    closesocket(socket_);
    WSACleanup();
}

}  // namespace wf::testing
