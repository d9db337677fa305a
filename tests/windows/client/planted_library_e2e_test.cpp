#include "tests/windows/client/client_e2e_fixture.h"

#include "tests/windows/support/host_paths.h"
#include "tools/automation/poll_for.h"

namespace wf::testing {
namespace {

using namespace std::chrono_literals;

// Has Wine look for version.dll as Windows does, beside the program first, for
// both programs while it lives. A started program takes Wine's loader settings
// from its own environment, not from its starter's: per-program settings reach it.
class VersionLibrarySearchedAsOnWindows {
public:
    VersionLibrarySearchedAsOnWindows() {
        for (const char* key : kProgramKeys)
            putViewText(RegistryView::SixtyFourBit, HKEY_CURRENT_USER, std::string(key) + "\\DllOverrides", "version",
                        "native,builtin");
    }
    ~VersionLibrarySearchedAsOnWindows() {
        for (const char* key : kProgramKeys) deleteViewTree(RegistryView::SixtyFourBit, HKEY_CURRENT_USER, key);
    }

private:
    static constexpr const char* kProgramKeys[] = {"Software\\Wine\\AppDefaults\\WrenfoldClient.exe",
                                                   "Software\\Wine\\AppDefaults\\dbprep.exe"};
};

using PlantedLibrary = ClientEndToEnd;

// The programs read versions through the system folder's version.dll, so one
// planted beside them gets none of their calls (Wine's own user32 loads it all the same).
TEST_F(PlantedLibrary, BesideTheProgramsGetsNoneOfTheirCalls) {
    copyFileTo(windowsPath(WF_PLANTED_VERSION_DLL), workstationFile("version.dll"));
    VersionLibrarySearchedAsOnWindows searchedAsOnWindows;

    // The client reads its own version and that of the copy on the share.
    std::string server = placeServer(share);
    copyFileTo(windowsPath(WF_CLIENT_EXE), share + "\\WrenfoldClient.exe");
    storePath(server);
    startClient();
    EXPECT_EQ(startedWith(share), "\"" + server + "\" /Client");
    ASSERT_TRUE(clientEnds());

    // dbprep reads its own version before it shows anything.
    copyFileTo(windowsPath(WF_DBPREP_EXE), workstationFile("dbprep.exe"));
    std::string command = "\"" + workstationFile("dbprep.exe") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION dbprep{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, workstation.c_str(),
                               &startup, &dbprep));
    bool shown = automation::pollFor(20s, [&] { return !automation::topLevelWindows(dbprep.dwProcessId).empty(); });
    TerminateProcess(dbprep.hProcess, 1);
    WaitForSingleObject(dbprep.hProcess, 5000);
    CloseHandle(dbprep.hProcess);
    CloseHandle(dbprep.hThread);
    EXPECT_TRUE(shown) << "dbprep showed nothing";

    EXPECT_EQ(readFileText(workstationFile("version.dll.called")), "") << "these programs called the planted library";
}

}  // namespace
}  // namespace wf::testing
