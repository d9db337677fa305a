#pragma once
// Runs one statement by its first keyword. Statements without a handler are
// answered with a plain DONE: the stand-in is a test peer, not a database.
#include <functional>
#include <map>
#include <string>

#include "handlers/statement_context.h"
#include "sql/statement.h"

namespace wf::standin {

enum class Flow {
    Continue,  // the next statement of the batch runs
    EndBatch,  // the statement aborted the batch
};

using StatementHandler = std::function<Flow(const Statement&, StatementContext&)>;

class StatementDispatcher {
public:
    // The dispatcher with every statement the stand-in understands.
    static StatementDispatcher standard();

    void add(const std::string& keyword, StatementHandler handler);
    Flow run(const Statement& statement, StatementContext& context) const;

private:
    std::map<std::string, StatementHandler> handlers_;  // by upper-case keyword
};

}  // namespace wf::standin
