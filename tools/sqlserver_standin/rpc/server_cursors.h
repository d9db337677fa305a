#pragma once
// The API server cursors of one session. A cursor keeps its query and runs it
// again at every fetch, so that it sees other sessions' changes (a dynamic
// cursor); the rows of the last fetch stay addressable for positioned updates.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "select_query.h"

namespace wf::standin {

struct ServerCursor {
    std::string database;  // current database when it was opened
    SelectQuery query;
    long bufferStart = -1;                // index of the first row of the last fetch; -1 before any
    std::vector<std::uint32_t> buffer;    // row ids of the last fetch
};

class ServerCursors {
public:
    std::int32_t open(ServerCursor cursor);
    // Nothing when the handle is unknown.
    ServerCursor* find(std::int32_t handle);
    bool close(std::int32_t handle);

private:
    std::map<std::int32_t, ServerCursor> cursors_;
    std::int32_t nextHandle_ = 180150001;  // the server's handles are large numbers too
};

}  // namespace wf::standin
