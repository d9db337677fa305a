#include "rpc/procedures.h"

#include "batch_runner.h"
#include "server_context.h"
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
    dispatcher.add(kSpExecuteSql, "sp_executesql", runExecuteSql);
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

void runExecuteSql(const RpcRequest& request, ProcedureContext& context) {
    const RpcParameter* statement = request.parameter(0);
    TokenStream& reply = context.statements.reply;
    if (!statement || !statement->value) {
        reply.message(errors::badProcedureParameter("sp_executesql", "stmt"), 1);
        reply.doneProc(kDoneError);
        return;
    }
    recordBatch(context.server, context.statements.session.database(), *statement->value);
    reply.setInsideProcedure(true);
    bool failed = runBatchText(*statement->value, context.statements, context.server);
    reply.setInsideProcedure(false);
    reply.returnStatus(failed ? -6 : 0);
    reply.doneProc(failed ? kDoneError : kDoneFinal);
}

}  // namespace wf::standin
