#pragma once
// The machine's services as dbprep puts them together: the Windows side of every
// seam, ODBC for SQL Server, and the one shared state. The user interface and
// the dialogs are the front end's: the wizard's windows or the console.
#include "installer/installer_context.h"
#include "platform/odbc/odbc_connection.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_process_services.h"
#include "platform/win32/win32_registry_api.h"

namespace wf::win32 {

struct Win32InstallerServices {
    Win32FileSystem files;
    Win32ProcessServices process;
    Win32Clock clock;
    Win32RegistryApi registry;
    OdbcConnectionFactory sql;
    InstallerState state;

    InstallerContext context(HostSystem host, UserInterface& ui, InstallerDialogs& dialogs) {
        return {state, host, files, process, clock, ui, dialogs, sql, registry};
    }
};

}  // namespace wf::win32
