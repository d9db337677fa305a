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
Flow handleCreate(const Statement& statement, StatementContext& context);
Flow handleDrop(const Statement& statement, StatementContext& context);
Flow handleAlter(const Statement& statement, StatementContext& context);
// EXEC(UTE) of a procedure, or a procedure named first in its statement.
Flow handleProcedureCall(const Statement& statement, StatementContext& context);

}  // namespace wf::standin
