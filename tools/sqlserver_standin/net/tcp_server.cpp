#include "net/tcp_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "session.h"

namespace wf::standin {
namespace {

[[noreturn]] void fail(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

}  // namespace

TcpServer::TcpServer(int port, ServerContext& server) : server_(server) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listener_ < 0) fail("socket");
    int on = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) fail("bind");
    if (::listen(listener_, 64) != 0) fail("listen");
    socklen_t length = sizeof address;
    if (::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) fail("getsockname");
    port_ = ntohs(address.sin_port);
}

TcpServer::~TcpServer() {
    endAll();
    ::close(listener_);
}

void TcpServer::serve(const StopSignal& stop) {
    while (waitForSocketOrStop(listener_, stop)) {
        int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) continue;  // the client gave up before we took it
        int on = 1;
        // Many small request/reply exchanges: no waiting to fill segments.
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        reapFinished();
        auto finished = std::make_shared<std::atomic<bool>>(false);
        std::thread thread([this, client, finished] {
            Session(client, server_).run();
            // The client sees the end at once; the descriptor is closed when the thread is reaped.
            ::shutdown(client, SHUT_RDWR);
            finished->store(true);
        });
        sessions_.push_back(RunningSession{client, finished, std::move(thread)});
    }
    endAll();
}

void TcpServer::reapFinished() {
    auto done = std::stable_partition(sessions_.begin(), sessions_.end(), [](const RunningSession& s) { return !s.finished->load(); });
    for (auto it = done; it != sessions_.end(); ++it) {
        it->thread.join();
        ::close(it->socket);
    }
    sessions_.erase(done, sessions_.end());
}

void TcpServer::endAll() {
    // Shutting the sockets down wakes every session, even one in a wait.
    for (RunningSession& session : sessions_) ::shutdown(session.socket, SHUT_RDWR);
    for (RunningSession& session : sessions_) {
        session.thread.join();
        ::close(session.socket);
    }
    sessions_.clear();
}

}  // namespace wf::standin
