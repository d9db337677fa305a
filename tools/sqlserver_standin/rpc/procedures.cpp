#include "rpc/procedures.h"

#include "server_errors.h"
#include "text.h"

namespace wf::standin {

ProcedureDispatcher ProcedureDispatcher::standard() {
    ProcedureDispatcher dispatcher;
    dispatcher.add(kSpCursor, "sp_cursor", runCursorUpdate);
    dispatcher.add(kSpCursorOpen, "sp_cursoropen", runCursorOpen);
    dispatcher.add(kSpCursorFetch, "sp_cursorfetch", runCursorFetch);
    dispatcher.add(kSpCursorOption, "sp_cursoroption", runCursorOption);
    dispatcher.add(kSpCursorClose, "sp_cursorclose", runCursorClose);
    return dispatcher;
}

void ProcedureDispatcher::add(std::uint16_t id, const std::string& name, ProcedureHandler handler) {
    byId_[id] = handler;
    byName_[upperCase(name)] = std::move(handler);
}

void ProcedureDispatcher::run(const RpcRequest& request, ProcedureContext& context) const {
    const ProcedureHandler* handler = nullptr;
    if (request.procedureId) {
        auto found = byId_.find(*request.procedureId);
        if (found != byId_.end()) handler = &found->second;
    } else {
        auto found = byName_.find(upperCase(request.procedureName));
        if (found != byName_.end()) handler = &found->second;
    }
    if (handler) {
        (*handler)(request, context);
        return;
    }
    std::string name = request.procedureId ? "#" + std::to_string(*request.procedureId) : request.procedureName;
    context.statements.reply.message(errors::unknownProcedure(name), 1);
    context.statements.reply.doneProc(kDoneError);
}

}  // namespace wf::standin
