#pragma once
// A SQL Browser on a loopback UDP port for the dialogs' end-to-end tests: answers
// every request with the records of its instances, until it is destroyed.
#include <winsock2.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace wf::testing {

class LoopbackSqlBrowser {
public:
    struct Instance {
        std::string server;
        std::string instance;
    };
    // One answer datagram per server, listing that server's instances.
    explicit LoopbackSqlBrowser(const std::vector<Instance>& instances);
    ~LoopbackSqlBrowser();
    LoopbackSqlBrowser(const LoopbackSqlBrowser&) = delete;
    LoopbackSqlBrowser& operator=(const LoopbackSqlBrowser&) = delete;

    // "127.0.0.1:port", as the server list's environment setting wants it.
    std::string target() const;

private:
    void serve();

    SOCKET socket_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::vector<std::string> answers_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

// Points the server list at `target` for this process, with short waits.
void pointServerListAt(const std::string& target);

}  // namespace wf::testing
