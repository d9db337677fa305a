#pragma once
// What a statement handler works with: the server's catalogue, the session's
// own state and the reply being built.
#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>

#include "catalogue.h"
#include "tds/token_stream.h"

namespace wf::standin {

// The client cancelled the request (attention) while the server was busy on it.
class AttentionReceived : public std::runtime_error {
public:
    AttentionReceived() : std::runtime_error("attention") {}
};

struct SessionState {
    std::string database;  // current database, as the catalogue spells it
};

struct StatementContext {
    Catalogue& catalogue;
    SessionState& session;
    TokenStream& reply;
    // Waits while watching the client; raises AttentionReceived when it cancels.
    std::function<void(std::chrono::milliseconds)> pause;
};

}  // namespace wf::standin
