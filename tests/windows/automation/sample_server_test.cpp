// The sample server program as the launcher's tests use it: started in a scratch
// folder, it records its command line and shows it in its window.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/support/host_paths.h"
#include "tests/windows/support/scratch_folder.h"
#include "tools/automation/automation.h"
#include "tools/automation/poll_for.h"

namespace wf::automation {
namespace {

constexpr char kSampleTitle[] = "Wrenfold Server (sample)";

class SampleServer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wf::testing::copyFileTo(wf::testing::windowsPath(SAMPLE_SERVER_PROGRAM), program_));
    }
    void TearDown() override {
        for (const char* name : {"WRENFOLD_SAMPLE_NO_WINDOW", "WRENFOLD_SAMPLE_SECONDS", "WRENFOLD_SAMPLE_WINDOW_DELAY_MS"})
            SetEnvironmentVariableA(name, nullptr);
    }

    // Starts the program with `commandLine` as given; the caller waits for and closes the process.
    PROCESS_INFORMATION start(std::string commandLine) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        EXPECT_TRUE(CreateProcessA(program_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   folder_.c_str(), &startup, &started));
        CloseHandle(started.hThread);
        return started;
    }

    std::string startedWith() const { return wf::testing::readFileText(folder_ + "\\StartedWith.txt"); }

    wf::testing::ScratchFolder scratch_{"sample"};
    const std::string folder_ = scratch_.path();
    const std::string program_ = folder_ + "\\Wrenfold.exe";
};

TEST_F(SampleServer, WithoutAWindowRecordsEachStartAndEnds) {
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_NO_WINDOW", "1");
    const std::string first = program_ + " /Client\tHEAD\tone two";
    const std::string second = program_ + " /Client";
    for (const std::string& line : {first, second}) {
        PROCESS_INFORMATION started = start(line);
        ASSERT_EQ(WaitForSingleObject(started.hProcess, 10000), WAIT_OBJECT_0);
        DWORD exitCode = 99;
        GetExitCodeProcess(started.hProcess, &exitCode);
        CloseHandle(started.hProcess);
        EXPECT_EQ(exitCode, 0u);
    }
    EXPECT_EQ(startedWith(), first + "\r\n" + second + "\r\n");
}

TEST_F(SampleServer, SaysWhenItCannotRecordItsStart) {
    CreateDirectoryA((folder_ + "\\StartedWith.txt").c_str(), nullptr);  // in the file's way
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_NO_WINDOW", "1");
    PROCESS_INFORMATION quiet = start(program_ + " /Client");
    ASSERT_EQ(WaitForSingleObject(quiet.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(quiet.hProcess, &exitCode);
    CloseHandle(quiet.hProcess);
    EXPECT_EQ(exitCode, 1u);

    SetEnvironmentVariableA("WRENFOLD_SAMPLE_NO_WINDOW", nullptr);
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_SECONDS", "1");
    PROCESS_INFORMATION shown = start(program_ + " /Client");
    auto window = waitForWindow(kSampleTitle, {}, 10s, shown.dwProcessId);
    ASSERT_TRUE(window);
    EXPECT_EQ(textOf(controls(window->handle).at(0).handle).rfind("Could not write StartedWith.txt: ", 0), 0u);
    EXPECT_EQ(WaitForSingleObject(shown.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(shown.hProcess);
}

TEST_F(SampleServer, ShowsItsCommandLineAndClosesAfterTheSetTime) {
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_SECONDS", "2");
    PROCESS_INFORMATION started = start(program_ + " /Client\tA\tB C");
    auto window = waitForWindow(kSampleTitle, {}, 10s, started.dwProcessId);
    ASSERT_TRUE(window);
    std::vector<ControlInfo> shown = controls(window->handle);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find(" /Client<TAB>A<TAB>B C\r\n"), std::string::npos) << shown[0].text;
    EXPECT_NE(shown[0].text.find("\r\n1: /Client\r\n2: A\r\n3: B\r\n4: C\r\n"), std::string::npos) << shown[0].text;
    EXPECT_EQ(startedWith(), program_ + " /Client\tA\tB C\r\n");
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 10000), WAIT_OBJECT_0) << "closed itself";
    CloseHandle(started.hProcess);
}

TEST_F(SampleServer, CreatesItsWindowLateWhenAsked) {
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_SECONDS", "1");
    SetEnvironmentVariableA("WRENFOLD_SAMPLE_WINDOW_DELAY_MS", "1500");
    PROCESS_INFORMATION started = start(program_ + " /Client");
    pollFor(1s, [&] { return !startedWith().empty(); });
    EXPECT_FALSE(startedWith().empty()) << "recorded before the delay";
    EXPECT_FALSE(waitForWindow(kSampleTitle, {}, 500ms, started.dwProcessId)) << "not yet";
    EXPECT_TRUE(waitForWindow(kSampleTitle, {}, 10s, started.dwProcessId));
    EXPECT_EQ(WaitForSingleObject(started.hProcess, 10000), WAIT_OBJECT_0);
    CloseHandle(started.hProcess);
}

}  // namespace
}  // namespace wf::automation
