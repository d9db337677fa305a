// dbprep.exe: the database installer. Puts the machine's services together for
// the installer window and shows it until the user leaves; started with
// arguments it runs them as dbprep.com does, without the window.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/unexpected_failure.h"
#include "installer/dialogs/server_list.h"
#include "installer/win32/console_program.h"
#include "installer/win32/data_ins_view.h"
#include "installer/win32/win32_installer_dialogs.h"
#include "installer/win32/win32_installer_services.h"
#include "installer/wizard/frm_data_ins.h"
#include "platform/win32/com_apartment.h"
#include "platform/win32/common_controls_library.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_user_interface.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wf::win32::restrictLibrarySearchToSystemFolder();
    if (__argc > 1) return wf::win32::runConsoleProgram(std::vector<std::string>(__argv + 1, __argv + __argc));
    // The window's taskbar button shows the processing page's progress through the shell's COM objects.
    const wf::win32::ComApartment apartment;
    wf::win32::Win32InstallerServices services;
    wf::win32::Win32UserInterface ui{wf::kInstallerTitle};
    wf::win32::Win32InstallerDialogs dialogs{ui, wf::GetServerList};
    try {
        // The version 6 controls of the program's manifest, with the visual styles.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS};
        wf::win32::commonControlsLibrary().InitCommonControlsEx(&controls);
        wf::frmDataIns form(services.context(wf::buildHostSystem(), ui, dialogs));
        wf::win32::DataInsView::show(form);
    } catch (const std::exception& failure) {
        wf::reportUnexpectedFailure(failure, services.files, services.process, ui);
        return 1;
    }
    return 0;
}
