#include "batch_runner.h"

#include <iostream>

#include "server_context.h"
#include "server_errors.h"
#include "sql/statement.h"

namespace wf::standin {

void recordBatch(const ServerContext& server, const std::string& database, const std::string& text) {
    try {
        server.recorder.record(database, text);
    } catch (const std::exception& error) {
        std::cerr << "sqlserver-standin: " << error.what() << std::endl;
    }
}

bool runBatchText(const std::string& text, StatementContext& context, const ServerContext& server) {
    if (const ScriptedFailure* failure = server.script.failureFor(text)) {
        for (const ServerMessage& error : failure->errors) context.reply.message(error, 1);
        context.reply.done(kDoneError);
        return true;
    }
    try {
        for (const Statement& statement : splitStatements(tokenize(text))) {
            std::chrono::milliseconds delay = server.script.delayFor(statementText(statement));
            if (delay.count() > 0) context.pause(delay);
            if (server.dispatcher.run(statement, context) == Flow::EndBatch) break;
        }
    } catch (const UnclosedQuote& error) {
        context.reply.message(errors::unclosedQuote(error.remainder), error.line);
        context.reply.done(kDoneError);
    }
    if (context.reply.empty()) context.reply.done(kDoneFinal);
    return context.reply.failed();
}

}  // namespace wf::standin
