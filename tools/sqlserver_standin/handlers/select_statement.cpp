// SELECT from the tables of the catalogue.
#include "handlers/handlers.h"
#include "select_query.h"

namespace wf::standin {

Flow handleSelect(const Statement& statement, StatementContext& context) {
    auto outcome = runSelect(parseSelect(statement.tokens), context.catalogue, context.session.database());
    if (const ServerMessage* failure = std::get_if<ServerMessage>(&outcome)) {
        context.reply.message(*failure, statement.line());
        context.reply.done(kDoneError);
        return Flow::Continue;
    }
    const QueryResult& result = std::get<QueryResult>(outcome);
    context.reply.columns(result.columns, result.identityColumn);
    for (const TableRow& row : result.rows) context.reply.row(row.values);
    context.reply.done(kDoneCount, kCommandSelect, result.rows.size());
    return Flow::Continue;
}

}  // namespace wf::standin
