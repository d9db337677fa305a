#include "tests/windows/dialogs/loopback_sql_browser.h"

#include <ws2tcpip.h>

#include <cstdlib>
#include <map>

namespace wf::testing {
namespace {

std::string answerOf(const std::string& records) {
    std::string datagram = "\x05";
    datagram += static_cast<char>(records.size() & 0xFF);
    datagram += static_cast<char>(records.size() >> 8);
    return datagram + records;
}

}  // namespace

LoopbackSqlBrowser::LoopbackSqlBrowser(const std::vector<Instance>& instances) {
    std::map<std::string, std::string> recordsByServer;
    for (const Instance& each : instances) {
        recordsByServer[each.server] += "ServerName;" + each.server + ";InstanceName;" + each.instance +
                                        ";IsClustered;No;Version;15.0.2000.5;tcp;1433;;";
    }
    for (const auto& [server, records] : recordsByServer) answers_.push_back(answerOf(records));

    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    socket_ = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int size = sizeof address;
    ::bind(socket_, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LoopbackSqlBrowser::~LoopbackSqlBrowser() {
    stopping_ = true;
    thread_.join();
    closesocket(socket_);
    WSACleanup();
}

std::string LoopbackSqlBrowser::target() const { return "127.0.0.1:" + std::to_string(port_); }

void LoopbackSqlBrowser::serve() {
    while (!stopping_) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval wait{0, 100 * 1000};
        if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
        char request[64];
        sockaddr_in client{};
        int clientSize = sizeof client;
        if (::recvfrom(socket_, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&client), &clientSize) <= 0) continue;
        for (const std::string& answer : answers_) {
            ::sendto(socket_, answer.data(), static_cast<int>(answer.size()), 0, reinterpret_cast<sockaddr*>(&client), clientSize);
        }
    }
}

void pointServerListAt(const std::string& target) {
    _putenv_s("WRENFOLD_SQL_BROWSER", target.c_str());
    _putenv_s("WRENFOLD_SQL_BROWSER_TIMEOUTS", "500,200,3000");
}

}  // namespace wf::testing
