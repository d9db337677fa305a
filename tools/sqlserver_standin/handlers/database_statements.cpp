// CREATE, DROP and ALTER DATABASE. Other CREATE, DROP and ALTER statements are
// accepted without effect, like every statement the stand-in does not run.
#include "handlers/handlers.h"
#include "server_errors.h"
#include "sql/token_cursor.h"
#include "text.h"

namespace wf::standin {
namespace {

Flow accepted(StatementContext& context) {
    context.reply.done(kDoneFinal);
    return Flow::Continue;
}

Flow failed(StatementContext& context, const Statement& statement, std::initializer_list<ServerMessage> messages) {
    for (const ServerMessage& message : messages) context.reply.message(message, statement.line());
    context.reply.done(kDoneError);
    return Flow::Continue;
}

bool inUse(StatementContext& context, const std::string& database) {
    return equalsNoCase(context.session.database(), database) ||
           context.session.directory().countIn(database, context.session.id()) > 0;
}

}  // namespace

Flow handleCreate(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    cursor.expect("CREATE");
    if (!cursor.accept("DATABASE")) return accepted(context);
    std::string name = cursor.name();
    std::optional<DatabaseFiles> files;
    if (context.dataFolder) {
        std::string base = fileSafeName(name);
        files = DatabaseFiles{*context.dataFolder / (base + ".mdf"), *context.dataFolder / (base + "_log.ldf")};
    }
    std::optional<DatabaseProblem> problem = context.catalogue.createDatabase(name, files);
    if (!problem) return accepted(context);
    if (problem->kind == DatabaseProblem::Exists) return failed(context, statement, {errors::databaseExists(name)});
    return failed(context, statement, {errors::fileExists(problem->path), errors::createFilesFailed()});
}

Flow handleDrop(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    cursor.expect("DROP");
    if (!cursor.accept("DATABASE")) return accepted(context);
    std::string name = cursor.name();
    cursor.expectEnd();
    std::optional<std::string> database = context.catalogue.findDatabase(name);
    if (!database) return failed(context, statement, {errors::cannotDropMissing(name)});
    if (inUse(context, *database)) return failed(context, statement, {errors::cannotDropInUse(*database)});
    context.catalogue.dropDatabase(*database);
    return accepted(context);
}

Flow handleAlter(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    cursor.expect("ALTER");
    if (!cursor.accept("DATABASE")) return accepted(context);
    std::string name = cursor.name();
    std::optional<std::string> database = context.catalogue.findDatabase(name);
    if (!database) return failed(context, statement, {errors::cannotAlter(name), errors::alterFailed()});
    if (!cursor.accept("SET")) return accepted(context);
    bool offline = cursor.accept("OFFLINE");
    if (!offline && !cursor.accept("ONLINE")) return accepted(context);
    bool rollbackImmediate = cursor.accept("WITH") && cursor.accept("ROLLBACK") && cursor.accept("IMMEDIATE");

    if (offline) {
        SessionDirectory& sessions = context.session.directory();
        if (sessions.countIn(*database, context.session.id()) > 0) {
            // Without ROLLBACK IMMEDIATE the server would wait for the others; a test peer refuses instead.
            if (!rollbackImmediate) {
                return failed(context, statement, {errors::alterLockFailed(*database), errors::alterFailed()});
            }
            sessions.endSessionsIn(*database, context.session.id());
        }
        context.catalogue.setOffline(*database);
        return accepted(context);
    }
    std::optional<DatabaseProblem> problem = context.catalogue.setOnline(*database);
    if (!problem) return accepted(context);
    ServerMessage cause = problem->kind == DatabaseProblem::FileInvalid ? errors::invalidFileHeader(problem->path)
                                                                          : errors::cannotOpenFile(problem->path);
    return failed(context, statement, {cause, errors::alterFailed()});
}

}  // namespace wf::standin
