#pragma once
// The statements the stand-in runs, one handler each.
#include "handlers/dispatcher.h"

namespace wf::standin {

Flow handleUse(const Statement& statement, StatementContext& context);
Flow handleSet(const Statement& statement, StatementContext& context);
Flow handleRaiserror(const Statement& statement, StatementContext& context);
Flow handleThrow(const Statement& statement, StatementContext& context);
Flow handleSelect(const Statement& statement, StatementContext& context);
Flow handleWaitfor(const Statement& statement, StatementContext& context);

}  // namespace wf::standin
