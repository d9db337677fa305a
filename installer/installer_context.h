#pragma once
// What the procedures of the installer window work with: the shared state, the
// host system the program was built for, and the seams of the machine.
#include "common/clock.h"
#include "common/file_system.h"
#include "common/process_services.h"
#include "common/registry_api.h"
#include "common/sql/sql_connection.h"
#include "common/user_interface.h"
#include "installer/dialogs/installer_dialogs.h"
#include "installer/hosts/host_system.h"
#include "installer/installer_state.h"
#include "installer/login/error_log.h"

namespace wf {

// Caption of the installer's message boxes that name no caption of their own.
inline constexpr const char* kInstallerTitle = "Wrenfold Database Install";

struct InstallerContext {
    InstallerState& state;
    HostSystem host;
    FileSystem& files;
    ProcessServices& process;
    Clock& clock;
    UserInterface& ui;
    InstallerDialogs& dialogs;
    SqlConnectionFactory& sql;
    RegistryApi& registry;

    ErrorLog errorLog() const { return ErrorLog(files, process, clock); }
};

}  // namespace wf
