#pragma once
// Which session is in which database, so that a database in use is not dropped
// or detached, and taking one offline can end the other sessions' work in it.
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace wf::standin {

class SessionDirectory {
public:
    // Registers a logged-in session; returns its id.
    int add(int socket, const std::string& database);
    void remove(int id);

    std::string database(int id) const;
    void setDatabase(int id, const std::string& database);

    // Sessions other than `except` whose current database is `database`.
    int countIn(std::string_view database, int except) const;
    // Cuts those sessions' connections; each ends at once and is at once in no
    // database, though the server reaps it a moment later.
    void endSessionsIn(std::string_view database, int except);

private:
    struct Entry {
        int socket;
        std::string database;
    };

    mutable std::mutex mutex_;
    std::map<int, Entry> sessions_;
    int nextId_ = 1;
};

}  // namespace wf::standin
