#include "handlers/dispatcher.h"

#include "handlers/handlers.h"
#include "server_errors.h"
#include "sql/token_cursor.h"
#include "text.h"

namespace wf::standin {

StatementDispatcher StatementDispatcher::standard() {
    StatementDispatcher dispatcher;
    dispatcher.add("USE", handleUse);
    dispatcher.add("SET", handleSet);
    dispatcher.add("RAISERROR", handleRaiserror);
    dispatcher.add("THROW", handleThrow);
    dispatcher.add("SELECT", handleSelect);
    dispatcher.add("WAITFOR", handleWaitfor);
    dispatcher.add("CREATE", handleCreate);
    dispatcher.add("DROP", handleDrop);
    dispatcher.add("ALTER", handleAlter);
    for (const char* keyword : {"EXEC", "EXECUTE", "sp_detach_db", "sp_attach_db"}) dispatcher.add(keyword, handleProcedureCall);
    return dispatcher;
}

void StatementDispatcher::add(const std::string& keyword, StatementHandler handler) {
    handlers_[upperCase(keyword)] = std::move(handler);
}

Flow StatementDispatcher::run(const Statement& statement, StatementContext& context) const {
    const SqlToken& first = statement.tokens.front();
    if (first.kind == TokenKind::Word) {
        auto found = handlers_.find(upperCase(first.text));
        if (found != handlers_.end()) {
            try {
                return found->second(statement, context);
            } catch (const SyntaxError& error) {
                context.reply.message(errors::incorrectSyntax(error.near), error.line);
                context.reply.done(kDoneError);
                return Flow::EndBatch;
            }
        }
    }
    context.reply.done(kDoneFinal);
    return Flow::Continue;
}

}  // namespace wf::standin
