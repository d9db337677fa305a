#include "installer/win32/console_program.h"

#include "installer/console/console_run.h"
#include "installer/win32/win32_console.h"
#include "installer/win32/win32_installer_services.h"

namespace wf::win32 {

int runConsoleProgram(const std::vector<std::string>& arguments) {
    Win32InstallerServices services;
    Win32Console console;
    return runCommandLine(arguments, console, [&](UserInterface& ui, InstallerDialogs& dialogs) {
        return services.context(buildHostSystem(), ui, dialogs);
    });
}

}  // namespace wf::win32
