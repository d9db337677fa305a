#pragma once
// What the launcher works with: the seams of the machine it runs on.
#include "common/clock.h"
#include "common/file_system.h"
#include "common/process_services.h"
#include "common/registry_store/registry_value_store.h"
#include "common/user_interface.h"

namespace wf {

struct ClientContext {
    FileSystem& files;
    ProcessServices& process;
    Clock& clock;
    UserInterface& ui;
    RegistryValueStore& registry;
};

// The client's version text: major.minor.revision of its file version.
std::string clientVersionText(ProcessServices& process);

// The current date and time as the client's log entries write them.
std::string clientLogTimestamp(Clock& clock);

}  // namespace wf
