#pragma once
// What every session of one server shares.
#include <filesystem>
#include <optional>
#include <string>

#include "batch_recorder.h"
#include "catalogue.h"
#include "handlers/dispatcher.h"
#include "rpc/procedures.h"
#include "scripted_behaviour.h"
#include "session_directory.h"

namespace wf::standin {

struct ServerContext {
    Catalogue& catalogue;
    const ScriptedBehaviour& script;
    BatchRecorder& recorder;
    const StatementDispatcher& dispatcher;
    const ProcedureDispatcher& procedures;
    SessionDirectory& sessions;
    std::string serverName;
    std::optional<std::filesystem::path> dataFolder;
};

}  // namespace wf::standin
