#pragma once
// One client connection from pre-login to close. Malformed input ends this
// session only; nothing it does can stop the server.
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "handlers/statement_context.h"
#include "rpc/server_cursors.h"
#include "server_context.h"
#include "tds/packet_channel.h"
#include "tds/token_stream.h"

namespace wf::standin {

class Session {
public:
    Session(int socket, ServerContext& server);

    // Serves the connection until the client leaves or breaks the protocol.
    // Never raises; the caller closes the socket.
    void run() noexcept;

private:
    bool logIn();
    void serveRequests();
    void runBatch(const std::string& payload);
    void runRpc(const std::string& payload);
    // Runs `work`, which builds `reply`, and sends the reply, ended early by a cancel.
    void answer(TokenStream& reply, const std::function<void()>& work);
    void send(const TokenStream& reply);
    void sendAttentionAcknowledged();
    // Waits while watching for the client's attention.
    void pause(std::chrono::milliseconds duration);
    StatementContext statementContext(TokenStream& reply);

    ServerContext& server_;
    PacketChannel channel_;
    int socket_;
    std::optional<SessionState> state_;  // from a successful login on
    ServerCursors cursors_;
};

}  // namespace wf::standin
