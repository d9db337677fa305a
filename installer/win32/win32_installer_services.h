#pragma once
// The machine's services as dbprep puts them together: the Windows side of every
// seam, ODBC for SQL Server, and the one shared state.
#include "installer/dialogs/server_list.h"
#include "installer/installer_context.h"
#include "installer/win32/win32_installer_dialogs.h"
#include "platform/odbc/odbc_connection.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_process_services.h"
#include "platform/win32/win32_registry_api.h"
#include "platform/win32/win32_user_interface.h"

namespace wf::win32 {

struct Win32InstallerServices {
    Win32FileSystem files;
    Win32ProcessServices process;
    Win32Clock clock;
    Win32UserInterface ui{kInstallerTitle};
    Win32RegistryApi registry;
    OdbcConnectionFactory sql;
    Win32InstallerDialogs dialogs{ui, GetServerList};
    InstallerState state;

    InstallerContext context(HostSystem host) {
        return {state, host, files, process, clock, ui, dialogs, sql, registry};
    }
};

}  // namespace wf::win32
