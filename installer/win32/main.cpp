// dbprep.exe: the database installer. Puts the machine's services together for
// the installer window and shows it until the user leaves.
#include <windows.h>
#include <commctrl.h>

#include "common/unexpected_failure.h"
#include "installer/win32/data_ins_view.h"
#include "installer/win32/win32_installer_services.h"
#include "installer/wizard/frm_data_ins.h"
#include "platform/win32/common_controls_library.h"
#include "platform/win32/system_library.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wf::win32::restrictLibrarySearchToSystemFolder();
    wf::win32::Win32InstallerServices services;
    try {
        // The version 6 controls of the program's manifest, with the visual styles.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
        wf::win32::commonControlsLibrary().InitCommonControlsEx(&controls);
        wf::frmDataIns form(services.context(wf::buildHostSystem()));
        wf::win32::DataInsView::show(form);
    } catch (const std::exception& failure) {
        wf::reportUnexpectedFailure(failure, services.files, services.process, services.ui);
        return 1;
    }
    return 0;
}
