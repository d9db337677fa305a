#pragma once
// The TDS listener on 127.0.0.1: one thread per client session.
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "net/stop_signal.h"
#include "server_context.h"

namespace wf::standin {

class TcpServer {
public:
    // Binds 127.0.0.1:`port` (0 = any free port); raises std::system_error.
    TcpServer(int port, ServerContext& server);
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    int port() const { return port_; }

    // Accepts clients until the stop; returns once every session has ended.
    void serve(const StopSignal& stop);

private:
    struct RunningSession {
        int socket;
        std::shared_ptr<std::atomic<bool>> finished;
        std::thread thread;
    };

    void reapFinished();
    void endAll();

    ServerContext& server_;
    int listener_ = -1;
    int port_ = 0;
    std::vector<RunningSession> sessions_;
};

}  // namespace wf::standin
