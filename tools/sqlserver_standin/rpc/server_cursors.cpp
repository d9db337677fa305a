#include "rpc/server_cursors.h"

namespace wf::standin {

std::int32_t ServerCursors::open(ServerCursor cursor) {
    std::int32_t handle = nextHandle_++;
    cursors_.emplace(handle, std::move(cursor));
    return handle;
}

ServerCursor* ServerCursors::find(std::int32_t handle) {
    auto found = cursors_.find(handle);
    return found == cursors_.end() ? nullptr : &found->second;
}

bool ServerCursors::close(std::int32_t handle) { return cursors_.erase(handle) > 0; }

}  // namespace wf::standin
