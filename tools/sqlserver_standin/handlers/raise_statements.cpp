// RAISERROR and THROW, with which scripts fail on purpose.
#include "handlers/handlers.h"
#include "server_errors.h"
#include "sql/token_cursor.h"

namespace wf::standin {
namespace {

constexpr int kUserMessageNumber = 50000;

// RAISERROR formats its text printf-style; without arguments only "%%" changes.
std::string formatRaiserror(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result.push_back(text[i]);
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%') ++i;
    }
    return result;
}

}  // namespace

Flow handleRaiserror(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    cursor.expect("RAISERROR");
    cursor.expectSymbol("(");
    std::string text = cursor.string();
    cursor.expectSymbol(",");
    long severity = cursor.number();
    cursor.expectSymbol(",");
    long state = cursor.number();
    cursor.expectSymbol(")");
    if (cursor.accept("WITH")) {
        do {
            cursor.name();
        } while (cursor.acceptSymbol(","));
    }
    cursor.expectEnd();
    ServerMessage raised = errors::raised(kUserMessageNumber, formatRaiserror(text), static_cast<int>(severity),
                                          static_cast<int>(state));
    context.reply.message(raised, statement.line());
    context.reply.done(raised.severity > 10 ? kDoneError : kDoneFinal);
    return Flow::Continue;
}

Flow handleThrow(const Statement& statement, StatementContext& context) {
    TokenCursor cursor(statement.tokens);
    cursor.expect("THROW");
    long number = cursor.number();
    cursor.expectSymbol(",");
    std::string text = cursor.string();
    cursor.expectSymbol(",");
    long state = cursor.number();
    cursor.expectEnd();
    constexpr int kThrowSeverity = 16;
    context.reply.message(errors::raised(static_cast<int>(number), text, kThrowSeverity, static_cast<int>(state)),
                          statement.line());
    context.reply.done(kDoneError);
    return Flow::EndBatch;
}

}  // namespace wf::standin
