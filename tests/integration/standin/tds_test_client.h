#pragma once
// A minimal TDS client for looking at the stand-in's replies token by token:
// what a driver hides (message order, DONE bits) is what these tests check.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wf::standin::testing {

struct ReplyMessage {
    bool error = false;  // ERROR rather than INFO
    std::int32_t number = 0;
    int severity = 0;
    int state = 0;
    std::string text;
    std::int32_t line = 0;
};

struct Reply {
    std::vector<ReplyMessage> messages;
    std::vector<std::uint16_t> doneStatuses;  // of DONE, DONEPROC and DONEINPROC, in order
    std::vector<std::string> columns;
    std::vector<std::vector<std::optional<std::string>>> rows;
    std::vector<std::string> databaseChanges;
    std::vector<std::int32_t> returnValues;  // int output parameters, in order
    bool loginAcknowledged = false;
};

// A parameter of a remote procedure call: an int, a text, or a value of the
// given raw type byte with nothing after it (for types the server cannot read).
struct RpcArgument {
    enum Kind { Int, Text, RawType } kind;
    std::int32_t number = 0;
    std::string text;
    std::uint8_t rawType = 0;
    bool output = false;
};

class TdsTestClient {
public:
    explicit TdsTestClient(int port);
    ~TdsTestClient();
    TdsTestClient(const TdsTestClient&) = delete;
    TdsTestClient& operator=(const TdsTestClient&) = delete;

    void preLogin();
    // Pre-login and LOGIN7; returns the login reply.
    Reply logIn(const std::string& user, const std::string& password, const std::string& database = "");
    void sendBatch(const std::string& text);
    void sendAttention();
    Reply rpc(std::uint16_t procedureId, const std::vector<RpcArgument>& arguments);
    void sendRaw(std::uint8_t type, const std::string& payload);
    Reply readReply();
    Reply batch(const std::string& text);
    // Whether the server closed the connection within `timeout`.
    bool closedWithin(std::chrono::milliseconds timeout);

private:
    std::string readMessage();

    int socket_ = -1;
};

}  // namespace wf::standin::testing
