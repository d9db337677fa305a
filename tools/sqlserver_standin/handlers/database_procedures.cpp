// sp_detach_db and sp_attach_db, called with or without EXEC(UTE).
#include "handlers/handlers.h"
#include "server_errors.h"
#include "sql/token_cursor.h"
#include "text.h"

namespace wf::standin {
namespace {

using ProcedureBody = Flow (*)(TokenCursor&, const Statement&, StatementContext&);

// A procedure's argument: a string, a name, or either after "@parameter =".
std::string argument(TokenCursor& cursor) {
    if (cursor.acceptVariable()) cursor.expectSymbol("=");
    if (cursor.peek() && cursor.peek()->kind == TokenKind::String) return cursor.string();
    return cursor.name();
}

Flow finish(StatementContext& context, const Statement& statement, std::initializer_list<ServerMessage> errors) {
    for (const ServerMessage& error : errors) context.reply.message(error, statement.line());
    context.reply.returnStatus(errors.size() == 0 ? 0 : 1);
    context.reply.doneProc(errors.size() == 0 ? kDoneFinal : kDoneError);
    return Flow::Continue;
}

Flow detach(TokenCursor& cursor, const Statement& statement, StatementContext& context) {
    std::string name = argument(cursor);
    while (cursor.acceptSymbol(",")) argument(cursor);  // skipchecks and the like
    cursor.expectEnd();
    std::optional<std::string> database = context.catalogue.findDatabase(name);
    if (!database) return finish(context, statement, {errors::noDatabaseToDetach(name)});
    if (equalsNoCase(context.session.database(), *database) ||
        context.session.directory().countIn(*database, context.session.id()) > 0) {
        return finish(context, statement, {errors::cannotDetachInUse(*database)});
    }
    context.catalogue.detach(*database);
    return finish(context, statement, {});
}

Flow attach(TokenCursor& cursor, const Statement& statement, StatementContext& context) {
    std::string name = argument(cursor);
    cursor.expectSymbol(",");
    std::string dataFile = argument(cursor);
    cursor.expectSymbol(",");
    std::string logFile = argument(cursor);
    cursor.expectEnd();
    std::optional<DatabaseProblem> problem = context.catalogue.attach(name, dataFile, logFile);
    if (!problem) return finish(context, statement, {});
    switch (problem->kind) {
    case DatabaseProblem::Exists:
        return finish(context, statement, {errors::databaseExists(name)});
    case DatabaseProblem::FileInvalid:
        return finish(context, statement, {errors::invalidFileHeader(problem->path), errors::cannotOpenNewDatabase(name)});
    default:
        return finish(context, statement, {errors::cannotOpenFile(problem->path), errors::cannotOpenNewDatabase(name)});
    }
}

ProcedureBody procedureNamed(const std::string& name) {
    if (equalsNoCase(name, "sp_detach_db")) return detach;
    if (equalsNoCase(name, "sp_attach_db")) return attach;
    return nullptr;
}

}  // namespace

Flow handleProcedureCall(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    if (!cursor.accept("EXEC")) cursor.accept("EXECUTE");
    std::string name = cursor.name();
    // "master.dbo.sp_detach_db" and "master..sp_detach_db" name the same procedure.
    while (cursor.acceptSymbol(".")) {
        if (!cursor.peek() || !cursor.peek()->isSymbol(".")) name = cursor.name();
    }
    ProcedureBody body = procedureNamed(name);
    if (!body) {
        context.reply.done(kDoneFinal);
        return Flow::Continue;
    }
    return body(cursor, statement, context);
}

}  // namespace wf::standin
