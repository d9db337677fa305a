#pragma once
// A workstation folder holding the real WrenfoldClient.exe and a share holding the
// sample server program, in a scratch folder; the client is started as a user
// would start it and its windows are answered through the automation helper.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tools/automation/automation.h"
#include "tests/windows/support/registry_views.h"
#include "tests/windows/support/scratch_folder.h"

namespace wf::testing {

inline constexpr char kQuestionTitle[] = "Wrenfold Client Setup - v1.4.2";
inline constexpr char kDialogTitle[] = "Browse for Wrenfold Server";

class ClientEndToEnd : public ::testing::Test {
protected:
    ClientEndToEnd();
    ~ClientEndToEnd() override;

    // Starts the client with `arguments` as its command line.
    void startClient(const std::string& arguments = {});
    // Waits until the client has ended; false when it is still running after the time.
    bool clientEnds(DWORD timeoutMs = 20000);
    // The command line the sample server program was started with (waits for it).
    std::string startedWith(const std::string& serverFolder, DWORD timeoutMs = 15000);
    // True when no server program was started by the time the client ended.
    bool nothingStarted(const std::string& serverFolder) const;

    std::string workstationFile(const std::string& name) const { return workstation + "\\" + name; }
    std::string log() const { return readFileText(workstationFile("ErrorLog.txt")); }
    void storePath(const std::string& path) { writeFileText(workstationFile("ServerPath.ini"), path + "\r\n"); }
    // Puts a sample server program named `name` into `folder`.
    std::string placeServer(const std::string& folder, const std::string& name = "Wrenfold.exe");

    // The client's ServerPath value as a setup program leaves it; the client's own
    // view is the 32-bit one.
    static std::string registryPath(RegistryView view = RegistryView::ThirtyTwoBit);
    static void storeRegistryPath(const std::string& path, RegistryView view = RegistryView::ThirtyTwoBit);
    static void clearRegistryPath();
    static std::string versionOf(const std::string& path);

    // Saves a screenshot named after the test.
    void screenshot(HWND window, const std::string& what);

    automation::Recorder trail;
    ScratchFolder scratch{"client"};
    std::string workstation;
    std::string share;

private:
    PROCESS_INFORMATION client_{};
    HANDLE startedPrograms_ = CreateJobObjectA(nullptr, nullptr);
};

}  // namespace wf::testing
