// USE, SET and WAITFOR: statements about the session rather than data.
#include <charconv>

#include "handlers/handlers.h"
#include "server_errors.h"
#include "sql/token_cursor.h"

namespace wf::standin {
namespace {

// "hh:mm[:ss[.fff]]" as WAITFOR DELAY takes it; nothing when malformed.
std::optional<std::chrono::milliseconds> parseDelay(const std::string& text) {
    long parts[3] = {0, 0, 0};
    long millis = 0;
    std::size_t count = 0;
    const char* at = text.data();
    const char* end = text.data() + text.size();
    while (count < 3) {
        auto [next, error] = std::from_chars(at, end, parts[count]);
        if (error != std::errc() || parts[count] < 0 || parts[count] > 59) return std::nullopt;
        ++count;
        at = next;
        if (at == end || *at != ':') break;
        ++at;
    }
    if (count < 2) return std::nullopt;
    if (at != end && *at == '.' && count == 3) {
        auto [next, error] = std::from_chars(at + 1, end, millis);
        if (error != std::errc() || next - (at + 1) > 3) return std::nullopt;
        for (auto digits = next - (at + 1); digits < 3; ++digits) millis *= 10;
        at = next;
    }
    if (at != end || parts[0] > 23) return std::nullopt;
    return std::chrono::hours(parts[0]) + std::chrono::minutes(parts[1]) + std::chrono::seconds(parts[2]) +
           std::chrono::milliseconds(millis);
}

}  // namespace

Flow handleUse(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    cursor.expect("USE");
    std::string name = cursor.name();
    cursor.expectEnd();
    std::optional<std::string> database = context.catalogue.findDatabase(name);
    if (!database) {
        context.reply.message(errors::databaseDoesNotExist(name), statement.line());
        context.reply.done(kDoneError);
        return Flow::Continue;
    }
    if (!context.catalogue.isOnline(*database)) {
        context.reply.message(errors::databaseOffline(*database), statement.line());
        context.reply.done(kDoneError);
        return Flow::Continue;
    }
    context.reply.envChange(kEnvDatabase, *database, context.session.database());
    context.reply.message(errors::changedDatabase(*database), statement.line());
    context.session.useDatabase(*database);
    context.reply.done(kDoneFinal);
    return Flow::Continue;
}

Flow handleSet(const Statement&, StatementContext& context) {
    context.reply.done(kDoneFinal);
    return Flow::Continue;
}

Flow handleWaitfor(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    cursor.expect("WAITFOR");
    cursor.expect("DELAY");
    std::string text = cursor.string();
    cursor.expectEnd();
    std::optional<std::chrono::milliseconds> delay = parseDelay(text);
    if (!delay) {
        context.reply.message(errors::badWaitforTime(text), statement.line());
        context.reply.done(kDoneError);
        return Flow::EndBatch;
    }
    context.pause(*delay);
    context.reply.done(kDoneFinal);
    return Flow::Continue;
}

}  // namespace wf::standin
