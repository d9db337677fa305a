#pragma once
// What every session of one server shares.
#include <string>

#include "batch_recorder.h"
#include "catalogue.h"
#include "handlers/dispatcher.h"
#include "rpc/procedures.h"
#include "scripted_behaviour.h"

namespace wf::standin {

struct ServerContext {
    Catalogue& catalogue;
    const ScriptedBehaviour& script;
    BatchRecorder& recorder;
    const StatementDispatcher& dispatcher;
    const ProcedureDispatcher& procedures;
    std::string serverName;
};

}  // namespace wf::standin
