#pragma once
// An installer context over doubles, for tests of the window's procedures.
#include "installer/installer_context.h"
#include "tests/doubles/fake_process_services.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_file_system.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/scripted_installer_dialogs.h"
#include "tests/doubles/scripted_user_interface.h"
#include "tests/doubles/sql_scripted_server.h"

namespace wf::testing {

struct InstallerFixture {
    explicit InstallerFixture(HostSystem host = HostSystem::CounterPointSql) : host(host) {
        process.folder = "C:\\Tools\\dbprep";
        files.addFolder(process.folder);
    }

    std::string log() const {
        const std::string path = process.folder + "\\ErrorLog.txt";
        return files.has(path) ? files.file(path).content : std::string();
    }

    InstallerContext context() { return contextWith(ui, dialogs); }
    // The context of another front end, which brings its own user interface and dialogs.
    InstallerContext contextWith(UserInterface& userInterface, InstallerDialogs& installerDialogs) {
        return {state, host, files, process, clock, userInterface, installerDialogs, sql, registry};
    }

    // Numbers the calls of every double with a fault plan in `schedule`, as one process's.
    void attachFaults(FaultSchedule& schedule) {
        files.faults().attach(schedule);
        process.faults().attach(schedule);
        sql.faults().attach(schedule);
        registry.faults().attach(schedule);
    }

    HostSystem host;
    InstallerState state;
    MemoryFileSystem files;
    FakeProcessServices process;
    FixedClock clock;
    ScriptedUserInterface ui;
    ScriptedInstallerDialogs dialogs;
    SqlScriptedServer sql;
    MemoryRegistry registry;
};

}  // namespace wf::testing
