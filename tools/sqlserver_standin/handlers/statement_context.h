#pragma once
// What a statement handler works with: the server's catalogue, the session's
// own state and the reply being built.
#include <chrono>
#include <filesystem>
#include <optional>
#include <functional>
#include <stdexcept>
#include <string>

#include "catalogue.h"
#include "session_directory.h"
#include "tds/token_stream.h"

namespace wf::standin {

// The client cancelled the request (attention) while the server was busy on it.
class AttentionReceived : public std::runtime_error {
public:
    AttentionReceived() : std::runtime_error("attention") {}
};

// The session as its statements see it; the current database lives in the
// directory, where other sessions can see it too.
class SessionState {
public:
    SessionState(SessionDirectory& directory, int id) : directory_(directory), id_(id) {}

    int id() const { return id_; }
    // Current database, as the catalogue spells it.
    std::string database() const { return directory_.database(id_); }
    void useDatabase(const std::string& database) { directory_.setDatabase(id_, database); }
    SessionDirectory& directory() const { return directory_; }

private:
    SessionDirectory& directory_;
    int id_;
};

struct StatementContext {
    Catalogue& catalogue;
    SessionState& session;
    // Where CREATE DATABASE puts its files; without it databases have none.
    const std::optional<std::filesystem::path>& dataFolder;
    TokenStream& reply;
    // Waits while watching the client; raises AttentionReceived when it cancels.
    std::function<void(std::chrono::milliseconds)> pause;
};

}  // namespace wf::standin
