// dbprep.exe: the database installer. Puts the machine's services together for
// the installer window and shows it until the user leaves.
#include <windows.h>
#include <commctrl.h>

#include "installer/dialogs/server_list.h"
#include "installer/frm_data_ins.h"
#include "installer/installer_state.h"
#include "installer/win32/data_ins_view.h"
#include "installer/win32/win32_installer_dialogs.h"
#include "platform/odbc/odbc_connection.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_process_services.h"
#include "platform/win32/win32_registry_api.h"
#include "platform/win32/win32_user_interface.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The version 6 controls of the program's manifest, with the visual styles.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    wf::win32::Win32FileSystem files;
    wf::win32::Win32ProcessServices process;
    wf::win32::Win32Clock clock;
    wf::win32::Win32UserInterface ui(wf::kInstallerTitle);
    wf::win32::Win32RegistryApi registry;
    wf::OdbcConnectionFactory sql;
    wf::win32::Win32InstallerDialogs dialogs(ui, wf::GetServerList);
    wf::InstallerState state;

    wf::frmDataIns form(wf::InstallerContext{state, wf::buildHostSystem(), files, process, clock, ui, dialogs, sql, registry});
    wf::win32::DataInsView::show(form);
    return 0;
}
