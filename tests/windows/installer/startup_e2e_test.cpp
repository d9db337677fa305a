#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "installer/win32/data_ins_resources.h"
#include "tests/windows/support/host_paths.h"
#include "tests/windows/support/registry_views.h"
#include "tests/windows/support/scratch_folder.h"
#include "tools/automation/automation.h"

namespace wf::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kWindowTitle[] = "Wrenfold SQL Database Install";
constexpr char kCounterPointKey[] = "SOFTWARE\\Synchronics";
constexpr char kInstallKey[] = "SOFTWARE\\Synchronics\\CounterPoint\\8.0";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::stringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line.substr(0, line.find('\r')));
    return lines;
}

// A log entry's first line: date, time and the file about to be read.
std::string fileNote(const std::string& line) {
    static const std::regex stamp(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d )");
    std::smatch found;
    if (!std::regex_search(line, found, stamp, std::regex_constants::match_continuous)) return "<no date and time> " + line;
    return found.suffix();
}

std::string testName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

// dbprep.exe in a program folder of a scratch folder, started from another folder.
class InstallerStartup : public ::testing::Test {
protected:
    InstallerStartup() {
        deleteViewTree(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, kCounterPointKey);
        copyFileTo(windowsPath(WF_DBPREP_EXE), program + "\\dbprep.exe");
        // The server list must never broadcast, should anything ask for it.
        SetEnvironmentVariableA("WRENFOLD_SQL_BROWSER", "127.0.0.1:1434");
    }
    ~InstallerStartup() override {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
        }
        deleteViewTree(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, kCounterPointKey);
        CreateDirectoryA(windowsPath(WF_TRAIL_DIR).c_str(), nullptr);
        trail.saveTo(windowsPath(WF_TRAIL_DIR) + "\\" + testName() + ".txt");
    }

    void start() {
        std::string command = "\"" + program + "\\dbprep.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, scratch.path().c_str(),
                                   &startup, &process_))
            << GetLastError();
        CloseHandle(process_.hThread);
        trail.note("started: " + command);
    }
    bool ends() { return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0; }
    std::optional<automation::WindowInfo> window(const std::string& title, std::chrono::milliseconds timeout) {
        return automation::waitForWindow(title, {}, timeout, process_.dwProcessId);
    }

    automation::Recorder trail;
    ScratchFolder scratch{"dbprep"};
    std::string program = scratch.folder("program");

private:
    PROCESS_INFORMATION process_{};
};

TEST_F(InstallerStartup, FindsCounterPointAndListsItsCompaniesAndTheDataSets) {
    std::string install = scratch.folder("CPSQL\\Install");
    std::string top = scratch.folder("CPSQL\\Top");
    std::string demo = scratch.folder("program\\SQLdbgen\\demodata\\CPointData");
    writeFileText(scratch.folder("CPSQL\\Install\\bin") + "\\CounterPoint.ini",
                  "[CounterPoint]\r\nTOPLEVEL=" + top + "\r\nLANGUAGE=EN\r\n");
    writeFileText(top + "\\Companies.ini",
                  "[Companies]\r\nDEMO=Demo Company\r\nACME=Acme Ltd\r\n[DEMO]\r\nData Source=SRV1\r\n");
    writeFileText(scratch.folder("program\\SQLdbgen\\demodata\\CPointData\\Spa") + "\\DataDesc.txt", "Pool and Spa 2010\r\nv2\r\n");
    writeFileText(scratch.folder("program\\SQLdbgen\\demodata\\CPointData\\Auto") + "\\DataDesc.txt", "Vehicle Service\r\n");
    putViewText(RegistryView::ThirtyTwoBit, HKEY_LOCAL_MACHINE, kInstallKey, "InstallPath", install);

    start();
    auto shown = window(kWindowTitle, 20s);
    ASSERT_TRUE(shown.has_value()) << "no installer window";
    HWND main = shown->handle;
    trail.note("window: " + shown->title);
    EXPECT_EQ(GetWindow(main, GW_OWNER), nullptr);
    EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW) << "shown in the taskbar";
    EXPECT_EQ(automation::textOf(automation::controlById(main, IDC_DATA_INS_VERSION)), "Version " WF_VERSION_TEXT);
    HWND companies = automation::controlById(main, IDC_DATA_INS_COMPANY);
    EXPECT_EQ(automation::listEntries(companies), (std::vector<std::string>{"Demo Company", "Acme Ltd"}));
    std::vector<std::string> dataSets = automation::listEntries(automation::controlById(main, IDC_DATA_INS_DATA_TYPE));
    std::sort(dataSets.begin(), dataSets.end());  // in the order the folder lists them
    EXPECT_EQ(dataSets, (std::vector<std::string>{"Pool and Spa 2010", "Vehicle Service"}));
    EXPECT_FALSE(IsWindowVisible(companies)) << "the company page is hidden";
    EXPECT_TRUE(IsWindowVisible(automation::controlById(main, IDC_DATA_INS_EMPTY_FILES))) << "the start page shows";

    std::vector<std::string> log = linesOf(readFileText(program + "\\ErrorLog.txt"));
    ASSERT_EQ(log.size(), 8u) << readFileText(program + "\\ErrorLog.txt");
    EXPECT_EQ(fileNote(log[0]), install + "\\bin\\CounterPoint.ini");
    EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.begin() + 3),
              (std::vector<std::string>{"[CounterPoint]", "TOPLEVEL=" + top}));
    EXPECT_EQ(fileNote(log[3]), top + "\\Companies.ini");
    EXPECT_EQ(std::vector<std::string>(log.begin() + 4, log.end()),
              (std::vector<std::string>{"[Companies]", "DEMO=Demo Company", "ACME=Acme Ltd", "[DEMO]"}));

    std::string screenshots = windowsPath(WF_SCREENSHOT_DIR);
    CreateDirectoryA(screenshots.c_str(), nullptr);
    EXPECT_TRUE(automation::saveScreenshot(main, screenshots + "\\" + testName() + ".start_page.png"));
    ASSERT_TRUE(automation::pressButton(main, "Exit"));
    EXPECT_TRUE(ends()) << "Exit ends the program";
}

TEST_F(InstallerStartup, WithoutCounterPointTheProgramSaysSoAndEndsBeforeItsWindowShows) {
    start();
    ASSERT_TRUE(window("Error", 20s).has_value()) << "no message";
    EXPECT_FALSE(window(kWindowTitle, 0ms).has_value()) << "the window never shows";
    auto box = automation::answerMessageBox("Error", "OK", 5s, &trail);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text,
              "Wrenfold Database Install requires CounterPoint SQL to run.\r\n\r\n"
              "No CP SQL server or workstation install was found on this computer.");
    EXPECT_TRUE(box->hasIcon);
    EXPECT_TRUE(ends());
    EXPECT_FALSE(window(kWindowTitle, 0ms).has_value());
}

}  // namespace
}  // namespace wf::testing
