#pragma once
// Runs a remote procedure call by the procedure's id or name. Unknown procedures
// get the server's "could not find stored procedure" error.
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "handlers/statement_context.h"
#include "rpc/rpc_request.h"
#include "rpc/server_cursors.h"

namespace wf::standin {

struct ServerContext;

struct ProcedureContext {
    StatementContext& statements;
    const ServerContext& server;
    ServerCursors& cursors;
};

using ProcedureHandler = std::function<void(const RpcRequest&, ProcedureContext&)>;

class ProcedureDispatcher {
public:
    // The dispatcher with every procedure the stand-in serves.
    static ProcedureDispatcher standard();

    void add(std::uint16_t id, const std::string& name, ProcedureHandler handler);
    void run(const RpcRequest& request, ProcedureContext& context) const;

private:
    std::map<std::uint16_t, ProcedureHandler> byId_;
    std::map<std::string, ProcedureHandler> byName_;  // upper case
};

// The procedures, one handler each.
void runCursorOpen(const RpcRequest& request, ProcedureContext& context);
void runCursorFetch(const RpcRequest& request, ProcedureContext& context);
void runCursorOption(const RpcRequest& request, ProcedureContext& context);
void runCursorUpdate(const RpcRequest& request, ProcedureContext& context);
void runCursorClose(const RpcRequest& request, ProcedureContext& context);

}  // namespace wf::standin
