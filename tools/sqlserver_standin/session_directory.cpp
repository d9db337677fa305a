#include "session_directory.h"

#include <sys/socket.h>

#include "text.h"

namespace wf::standin {

int SessionDirectory::add(int socket, const std::string& database) {
    std::lock_guard lock(mutex_);
    int id = nextId_++;
    sessions_.emplace(id, Entry{socket, database});
    return id;
}

void SessionDirectory::remove(int id) {
    std::lock_guard lock(mutex_);
    sessions_.erase(id);
}

std::string SessionDirectory::database(int id) const {
    std::lock_guard lock(mutex_);
    auto found = sessions_.find(id);
    return found == sessions_.end() ? std::string() : found->second.database;
}

void SessionDirectory::setDatabase(int id, const std::string& database) {
    std::lock_guard lock(mutex_);
    auto found = sessions_.find(id);
    if (found != sessions_.end()) found->second.database = database;
}

int SessionDirectory::countIn(std::string_view database, int except) const {
    std::lock_guard lock(mutex_);
    int count = 0;
    for (const auto& [id, entry] : sessions_) {
        if (id != except && equalsNoCase(entry.database, database)) ++count;
    }
    return count;
}

void SessionDirectory::endSessionsIn(std::string_view database, int except) {
    std::lock_guard lock(mutex_);
    // The socket stays open until the server reaps the session, so this cannot hit a reused descriptor.
    // An ended session is in no database any more, even before it is reaped: the
    // statement after the one that ended it (a detach, a drop) must not find it.
    for (auto& [id, entry] : sessions_) {
        if (id != except && equalsNoCase(entry.database, database)) {
            ::shutdown(entry.socket, SHUT_RDWR);
            entry.database.clear();
        }
    }
}

}  // namespace wf::standin
