#include "session.h"

#include <iostream>

#include "batch_runner.h"
#include "rpc/rpc_request.h"
#include "server_errors.h"
#include "tds/bytes.h"
#include "tds/login.h"
#include "tds/utf16.h"

namespace wf::standin {
namespace {

constexpr std::uint32_t kOldestServedTds = 0x72000000;
constexpr const char* kProgramName = "Microsoft SQL Server";

// From TDS 7.2 on, requests start with their ALL_HEADERS block; returns what follows it.
std::string_view skipAllHeaders(std::string_view payload) {
    ByteReader reader(payload);
    std::uint32_t total = reader.u32le();
    if (total < 4 || total > payload.size()) throw ProtocolError("ALL_HEADERS outside the message");
    return payload.substr(total);
}

}  // namespace

Session::Session(int socket, ServerContext& server) : server_(server), channel_(socket), socket_(socket) {}

void Session::run() noexcept {
    try {
        if (logIn()) serveRequests();
    } catch (const ProtocolError& error) {
        std::cerr << "sqlserver-standin: closing a connection: " << error.what() << std::endl;
    } catch (const ConnectionClosed&) {
        // The client left in the middle of an exchange; nothing to answer.
    } catch (const std::exception& error) {
        std::cerr << "sqlserver-standin: closing a connection after a fault: " << error.what() << std::endl;
    }
    if (state_) server_.sessions.remove(state_->id());
}

bool Session::logIn() {
    std::optional<Message> preLogin = channel_.receive();
    if (!preLogin) return false;
    if (preLogin->type != kPreLogin) throw ProtocolError("expected pre-login");
    channel_.send(answerPreLogin(preLogin->payload));

    std::optional<Message> message = channel_.receive();
    if (!message) return false;
    if (message->type != kLogin7) throw ProtocolError("expected LOGIN7");
    Login7 login = parseLogin7(message->payload);
    if (login.tdsVersion < kOldestServedTds) throw ProtocolError("TDS versions before 7.2 are not served");

    TokenStream reply(server_.serverName);
    if (!server_.catalogue.checkLogin(login.userName, login.password)) {
        reply.message(errors::loginFailed(login.userName), 1);
        reply.done(kDoneError);
        send(reply);
        return false;
    }
    std::optional<std::string> database =
        server_.catalogue.findDatabase(login.database.empty() ? Catalogue::kMaster : login.database);
    if (!database || !server_.catalogue.isOnline(*database)) {
        reply.message(errors::cannotOpenDatabase(login.database), 1);
        reply.message(errors::loginFailed(login.userName), 1);
        reply.done(kDoneError);
        send(reply);
        return false;
    }
    state_.emplace(server_.sessions, server_.sessions.add(socket_, *database));
    channel_.setPacketSize(login.packetSize);
    std::string packetSize = std::to_string(channel_.packetSize());

    reply.envChange(kEnvDatabase, *database, Catalogue::kMaster);
    reply.message(errors::changedDatabase(*database), 1);
    reply.envChangeCollation();
    reply.envChange(kEnvLanguage, "us_english", "");
    reply.message(errors::changedLanguage(), 1);
    reply.loginAck(kProgramName);
    reply.envChange(kEnvPacketSize, packetSize, packetSize);
    reply.done(kDoneFinal);
    send(reply);
    return true;
}

void Session::serveRequests() {
    while (std::optional<Message> message = channel_.receive()) {
        switch (message->type) {
        case kSqlBatch:
            runBatch(message->payload);
            break;
        case kRpc:
            runRpc(message->payload);
            break;
        case kAttention:
            // The request it cancels was already answered.
            sendAttentionAcknowledged();
            break;
        case kTransactionManager: {
            TokenStream reply(server_.serverName);
            reply.done(kDoneFinal);
            send(reply);
            break;
        }
        default:
            throw ProtocolError("unexpected message type " + std::to_string(message->type));
        }
    }
}

void Session::runBatch(const std::string& payload) {
    std::string text = utf16leToUtf8(skipAllHeaders(payload));
    recordBatch(server_, state_->database(), text);
    TokenStream reply(server_.serverName);
    StatementContext context = statementContext(reply);
    answer(reply, [&] { runBatchText(text, context, server_); });
}

void Session::runRpc(const std::string& payload) {
    TokenStream reply(server_.serverName);
    StatementContext statements = statementContext(reply);
    ProcedureContext context{statements, server_, cursors_};
    answer(reply, [&] {
        try {
            server_.procedures.run(parseRpc(skipAllHeaders(payload)), context);
        } catch (const UnsupportedParameter& unsupported) {
            reply.message(errors::unknownParameterType(unsupported.ordinal, unsupported.name, unsupported.type), 1);
            reply.doneProc(kDoneError);
        }
    });
}

void Session::answer(TokenStream& reply, const std::function<void()>& work) {
    try {
        work();
    } catch (const AttentionReceived&) {
        // As SQL Server does: what was not finished is abandoned, and the
        // reply ends with the acknowledgement the client waits for.
        reply.done(kDoneAttention);
    }
    send(reply);
}

void Session::send(const TokenStream& reply) { channel_.send(reply.bytes()); }

void Session::sendAttentionAcknowledged() {
    TokenStream reply(server_.serverName);
    reply.done(kDoneAttention);
    send(reply);
}

void Session::pause(std::chrono::milliseconds duration) {
    auto deadline = std::chrono::steady_clock::now() + duration;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return;
        if (!channel_.waitReadable(left)) continue;
        std::optional<Message> message = channel_.receive();
        if (!message) throw ConnectionClosed("client left during a wait");
        if (message->type == kAttention) throw AttentionReceived();
        throw ProtocolError("a new request arrived before the running one was answered");
    }
}

StatementContext Session::statementContext(TokenStream& reply) {
    // As SQL Server does, the answers are held until the batch ends: a client
    // sees a statement's error only once the statements after it have run.
    return StatementContext{server_.catalogue, *state_, server_.dataFolder, reply,
                            [this](std::chrono::milliseconds d) { pause(d); }};
}

}  // namespace wf::standin
