// WrenfoldClient.exe: finds the Wrenfold server program, updates itself from the
// server and starts the server program in client mode.
#include <windows.h>

#include "client/frm_client.h"
#include "client/self_update.h"
#include "common/registry_store/registry_value_store.h"
#include "common/unexpected_failure.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_clock.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_process_services.h"
#include "platform/win32/win32_registry_api.h"
#include "platform/win32/win32_user_interface.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    wf::win32::restrictLibrarySearchToSystemFolder();
    wf::win32::Win32FileSystem files;
    wf::win32::Win32ProcessServices process;
    wf::win32::Win32Clock clock;
    wf::win32::Win32UserInterface ui(process.programName());
    wf::win32::Win32RegistryApi registryApi;
    wf::RegistryValueStore registry(registryApi);
    wf::SelfUpdate selfUpdate(files, process, clock);

    try {
        wf::frmClient form(wf::ClientContext{files, process, clock, ui, registry}, selfUpdate);
        form.Form_Load();
    } catch (const std::exception& failure) {
        wf::reportUnexpectedFailure(failure, files, process, ui);
        return 1;
    }
    return 0;
}
