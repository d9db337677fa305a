#pragma once
// Runs the text of a batch, whether it came as a batch or through sp_executesql.
#include <string>

#include "handlers/statement_context.h"

namespace wf::standin {

struct ServerContext;

// Keeps the text for the tests; a record that cannot be written is reported on
// standard error and the batch still runs.
void recordBatch(const ServerContext& server, const std::string& database, const std::string& text);

// A scripted failure, else the statements in order, each after its scripted delay.
// Returns whether the batch failed. Raises AttentionReceived when the client
// cancels.
bool runBatchText(const std::string& text, StatementContext& context, const ServerContext& server);

}  // namespace wf::standin
