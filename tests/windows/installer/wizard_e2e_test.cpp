// The real dbprep.exe walked through its wizard as an administrator would, on the
// sample CounterPoint SQL installation, against the stand-in of these tests.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/text.h"
#include "installer/win32/data_ins_resources.h"
#include "installer/win32/dialog_resources.h"
#include "platform/odbc/odbc_connection.h"
#include "tests/integration/installer/standin_readback.h"
#include "tests/integration/sql/standin_server.h"
#include "tests/windows/automation/png_reading.h"
#include "tests/windows/support/host_paths.h"
#include "tests/windows/support/scratch_folder.h"
#include "tools/automation/automation.h"
#include "tools/automation/poll_for.h"
#include "tools/installer_sample/installer_sample.h"
#include "tools/installer_sample/wizard_driver.h"

namespace wf::testing {
namespace {

using namespace std::chrono_literals;

using sample::WizardPage;

constexpr char kOverwriteQuestion[] =
    "Warning!  A Wrenfold SQL database already exists for this company. \r\n\r\n"
    "Do you want to overwrite the existing database?";

std::string testName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string(info->test_suite_name()) + "." + info->name();
}

std::string connectionTo(const std::string& database) {
    return "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=127.0.0.1," +
           std::to_string(sqlStandinPort()) + (database.empty() ? "" : ";Initial Catalog=" + database) +
           ";User ID=sa;Password=Secret1";
}

// A connection string as the run header logs it: the password hidden.
std::string logged(const std::string& connection) {
    const std::string password = "Password=Secret1";
    return "    ----> " + connection.substr(0, connection.find(password)) + "Password=********";
}

std::vector<std::string> recordedWithReads(const std::string& database) {
    return recordedBatches(windowsPath(WRENFOLD_SQL_STANDIN_RECORDS), database);
}

// The batches that may change something: reads (selects) left out.
std::vector<std::string> recorded(const std::string& database) {
    std::vector<std::string> batches = recordedWithReads(database);
    std::erase_if(batches, [](const std::string& batch) { return startsWithUpper(batch, "SELECT"); });
    return batches;
}

// dbprep.exe in the sample installation's program folder.
class Wizard : public ::testing::Test {
protected:
    Wizard() {
        SetEnvironmentVariableA("WRENFOLD_SQL_BROWSER", "127.0.0.1:1434");  // never a broadcast
        // Only this test's batches are read back.
        const std::string records = windowsPath(WRENFOLD_SQL_STANDIN_RECORDS);
        for (const char* database : {"master", "ACME", "ACMESV", "COAST", "COASTSV"})
            removeTree(records + "\\" + database);
    }
    ~Wizard() override {
        if (process_.hProcess) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 5000);
            CloseHandle(process_.hProcess);
        }
        sample::removeInstallerSampleKeys();
        CreateDirectoryA(windowsPath(WF_TRAIL_DIR).c_str(), nullptr);
        trail.saveTo(windowsPath(WF_TRAIL_DIR) + "\\" + testName() + ".txt");
    }

    void start() {
        std::string command = "\"" + installation.program + "\\dbprep.exe\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, scratch.path().c_str(),
                                   &startup, &process_));
        CloseHandle(process_.hThread);
        trail.note("started: " + command);
        wizard.emplace(process_.dwProcessId, trail);
        ASSERT_TRUE(wizard->found()) << "no installer window";
    }
    DWORD processId() const { return process_.dwProcessId; }
    bool ends() { return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0; }

    std::string text(int id) const { return wizard->text(id); }
    void press(const std::string& caption) { ASSERT_TRUE(wizard->press(caption)) << caption; }
    void choose(int list, const std::string& entry) { ASSERT_TRUE(wizard->choose(list, entry)) << entry; }
    std::string answer(const std::string& button) { return wizard->answer(button); }
    void screenshot(HWND window, const std::string& what) {
        const std::string folder = windowsPath(WF_SCREENSHOT_DIR);
        CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(automation::saveScreenshot(window, folder + "\\" + testName() + "." + what + ".png")) << what;
    }
    // The error log's lines after its last run header.
    std::vector<std::string> loggedSinceLastHeader() const {
        std::stringstream log(readFileText(installation.program + "\\ErrorLog.txt"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(log, line);) {
            line = line.substr(0, line.find('\r'));
            if (line.starts_with("*** Start DB Utility ")) lines.clear();
            else lines.push_back(line);
        }
        return lines;
    }

    // While the program's thread waits for the server (no message box up yet, and
    // nothing asked of that thread): the status reads as the work goes on and the
    // screen shows it in its dark blue, and the bar part-way: its first fifth
    // shows a colour (the filled part's) that its last fifth does not.
    bool processingShownWhileBusy() {
        const auto onlyTheWindow = [&] { return automation::topLevelWindows(processId()).size() == 1; };
        const HWND bar = GetDlgItem(wizard->window(), IDC_DATA_INS_PROGRESS);
        if (!wizard->busyWith("Defining database, please wait...") || !IsWindowVisible(bar)) return false;
        const std::string shot = windowsPath(WF_SCREENSHOT_DIR) + "\\" + testName() + ".processing_page.png";
        CreateDirectoryA(windowsPath(WF_SCREENSHOT_DIR).c_str(), nullptr);
        if (!automation::saveScreenshotAsItIs(wizard->window(), shot) || !onlyTheWindow()) return false;
        const std::optional<PngPicture> picture = readPng(readFileText(shot));
        if (!picture) return false;
        const std::size_t rowLength = 1 + 3 * std::size_t{picture->width};
        RECT window, area;
        GetWindowRect(wizard->window(), &window);
        GetWindowRect(bar, &area);
        const LONG width = area.right - area.left;
        const std::size_t middleRow = static_cast<std::size_t>((area.top + area.bottom) / 2 - window.top) * rowLength;
        const auto barColour = [&](LONG x) {
            return picture->rows.substr(middleRow + 1 + 3 * static_cast<std::size_t>(area.left - window.left + x), 3);
        };
        std::set<std::string> unfilled;
        for (LONG x = width * 4 / 5; x < width; ++x) unfilled.insert(barColour(x));
        bool filled = false;
        for (LONG x = 0; x < width / 5; ++x) filled = filled || !unfilled.contains(barColour(x));
        if (!filled) return false;
        for (std::size_t row = 0; row < picture->height; ++row)
            for (std::size_t pixel = row * rowLength + 1; pixel + 3 <= (row + 1) * rowLength; pixel += 3)
                if (picture->rows.compare(pixel, 3, std::string("\x00\x00\x80", 3)) == 0) return true;
        return false;
    }

    automation::Recorder trail;
    ScratchFolder scratch{"wizard"};
    sample::InstallerSample installation =
        sample::layInstallerSample(scratch.path(), windowsPath(WF_DBPREP_EXE), sqlStandinPort());
    std::optional<sample::WizardDriver> wizard;

private:
    PROCESS_INFORMATION process_{};
};

TEST_F(Wizard, DefinesAnEmptyDatabaseOverTheOldOneOnlyOnceTheUserAgrees) {
    start();
    screenshot(wizard->window(), "start_page");
    press("Define new &empty database");
    ASSERT_EQ(wizard->pageBecomes(WizardPage::Company), WizardPage::Company);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Defining a new Wrenfold database, for use in a new company");
    screenshot(wizard->window(), "company_page");
    press("Next");
    EXPECT_EQ(answer("OK"), "Please select a valid company before continuing");

    choose(IDC_DATA_INS_COMPANY, "Acme Ltd");
    press("Next");
    EXPECT_EQ(answer("No"), kOverwriteQuestion);
    EXPECT_EQ(wizard->page(), WizardPage::Company);
    EXPECT_TRUE(recorded("master").empty()) << "nothing is changed";

    press("Next");
    EXPECT_EQ(answer("Yes"), kOverwriteQuestion);
    // The server takes its time over the second batch while the program's thread
    // waits for it: the processing page must be on the screen already.
    ASSERT_TRUE(automation::pollFor(10s, [&] { return processingShownWhileBusy(); })) << "no processing page while busy";
    // Found without asking the program anything, then asked: answered once its thread
    // is back from the server, past the first batch and before the end.
    const HWND bar = GetDlgItem(wizard->window(), IDC_DATA_INS_PROGRESS);
    const LRESULT position = SendMessageA(bar, PBM_GETPOS, 0, 0);
    EXPECT_TRUE(position > 0 && position < SendMessageA(bar, PBM_GETRANGE, FALSE, 0)) << position;
    EXPECT_EQ(answer("OK"), "Wrenfold database successfully defined");
    EXPECT_EQ(wizard->finishedWith(), "Process complete");
    screenshot(wizard->window(), "finished_page");
    EXPECT_EQ(recorded("master"),
              (std::vector<std::string>{"use Master", "alter database \"ACMESV\" set offline with rollback immediate",
                                        "alter database \"ACMESV\" set online", "DROP DATABASE \"ACMESV\"",
                                        "CREATE DATABASE \"ACMESV\""}));
    EXPECT_EQ(recorded("ACMESV"),
              (std::vector<std::string>{
                  "CREATE TABLE [dbo].[SV_CUSTOMERS] ( [ID] int NOT NULL, [NAME] nvarchar(40) NULL)",
                  "CREATE TABLE [dbo].[SV_SERVICE_CALLS] ( [CALL_NO] int NOT NULL, [CUSTOMER_ID] int NOT NULL)",
                  "CREATE PROCEDURE [dbo].[SV_NEXT_CALL] AS SELECT MAX([CALL_NO]) + 1 FROM [SV_SERVICE_CALLS]"}));
    EXPECT_EQ(loggedSinceLastHeader(),
              (std::vector<std::string>{"strOurConnectionString", logged(connectionTo("ACMESV")),
                                        "strNoCatConnectionString", logged(connectionTo(""))}))
        << "no statement failed";
    press("Finish");
    EXPECT_EQ(wizard->pageBecomes(WizardPage::Start), WizardPage::Start);

    // A batch the server refuses: the user is told where the errors are listed.
    writeFileText(installation.program + "\\SQLdbgen\\mkWFdb.sql", "CREATE TABLE [SV_BROKEN] ([ID] int)\r\nGO\r\n");
    press("Define new &empty database");
    press("Next");
    EXPECT_EQ(answer("Yes"), kOverwriteQuestion);
    EXPECT_EQ(answer("OK"), "An error was encountered while defining the Wrenfold database.\r\n\r\n"
                            "The errors are listed in " + installation.program + "\\ErrorLog.txt.");
    EXPECT_EQ(wizard->finishedWith(), "Process was not successfully completed");
    const std::vector<std::string> logged = loggedSinceLastHeader();
    EXPECT_EQ(std::vector<std::string>(logged.begin() + std::min<std::size_t>(4, logged.size()), logged.end()),
              (std::vector<std::string>{"CREATE TABLE [SV_BROKEN] ([ID] int)",
                                        "    ----> There is already an object named 'SV_BROKEN' in the database."}));
}

TEST_F(Wizard, InstallsTheDemonstrationDataSetChosenOnItsOwnPage) {
    start();
    press("Install &demo data");
    ASSERT_EQ(wizard->pageBecomes(WizardPage::Company), WizardPage::Company);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Installing Wrenfold demonstration data");
    choose(IDC_DATA_INS_COMPANY, "Acme Ltd");
    press("Next");
    ASSERT_EQ(wizard->pageBecomes(WizardPage::DataSet), WizardPage::DataSet);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Installing Wrenfold demonstration data into Acme Ltd");
    EXPECT_EQ(text(IDC_DATA_INS_COMPANY_INSTRS),
              "Select the type of demo data you would like to install, then click 'Next' to continue.");
    screenshot(wizard->window(), "data_set_page");

    // Previous forgets the data set chosen.
    choose(IDC_DATA_INS_DATA_TYPE, "Pool and Spa");
    press("Previous");
    ASSERT_EQ(wizard->pageBecomes(WizardPage::Company), WizardPage::Company);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Installing Wrenfold demonstration data");
    EXPECT_EQ(SendMessageA(wizard->control(IDC_DATA_INS_DATA_TYPE), CB_GETCURSEL, 0, 0), CB_ERR);

    press("Next");
    ASSERT_EQ(wizard->pageBecomes(WizardPage::DataSet), WizardPage::DataSet);
    choose(IDC_DATA_INS_DATA_TYPE, "Pool and Spa");
    press("Next");
    EXPECT_EQ(answer("Yes"),
              "Warning!  This procedure is about to install demonstration data\r\nfor the company Acme Ltd.  "
              "Any existing information   \r\nin the database for this company will be replaced.\r\n\r\n"
              "Are you sure you want to do this?");
    EXPECT_EQ(answer("OK"), "Wrenfold demo data successfully installed");
    EXPECT_EQ(wizard->finishedWith(), "Process complete");
    const std::vector<std::string> exchange = recorded("master");
    ASSERT_EQ(exchange.size(), 7u) << "both databases taken out and attached again";
    EXPECT_TRUE(exchange.back().starts_with("sp_attach_db 'ACMESV', 'Z:\\")) << exchange.back();
    OdbcConnectionFactory odbc;
    EXPECT_EQ(columnValues(odbc, connectionTo("ACME"), "DB_CTL", "SHARED_DIR"),
              (std::vector<std::string>{installation.topLevel + "\\", "Demo register 2"}));
    EXPECT_EQ(columnValues(odbc, connectionTo("ACMESV"), "SV_CUSTOMERS", "NAME"),
              (std::vector<std::string>{"Spa Dublin", "O'Brien Pools"}));
    press("Finish");
    EXPECT_EQ(wizard->pageBecomes(WizardPage::Start), WizardPage::Start);
}

TEST_F(Wizard, PutsBothDatabasesBackWhenTheServerRefusesTheDemoPair) {
    const std::string data = windowsPath(WF_WIZARD_STANDIN_DATA);
    start();
    press("Install &demo data");
    choose(IDC_DATA_INS_COMPANY, "Coastal Pools");
    press("Next");
    ASSERT_EQ(wizard->pageBecomes(WizardPage::DataSet), WizardPage::DataSet);
    choose(IDC_DATA_INS_DATA_TYPE, "Pool and Spa");
    press("Next");
    EXPECT_NE(answer("Yes").find("for the company Coastal Pools."), std::string::npos);
    // While the databases are out the window holds off the end of the session, and lets it go after.
    const auto sessionMayEnd = [&] {
        DWORD_PTR answer = 0;
        EXPECT_NE(SendMessageTimeoutA(wizard->window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, &answer), 0);
        return answer != 0;
    };
    ASSERT_TRUE(automation::waitForWindow("Wrenfold Database Install, attach COASTSV", "#32770", 60s, processId()));
    EXPECT_FALSE(sessionMayEnd());
    auto refused = automation::answerMessageBox("Wrenfold Database Install, attach COASTSV", "OK", 60s, &trail);
    ASSERT_TRUE(refused.has_value()) << "no message about the refused attach";
    EXPECT_TRUE(refused->hasIcon);
    EXPECT_NE(refused->text.find("Unable to open the physical file \"" + data + "\\COASTSV.mdf\". Operating system "
                                 "error 5: \"5(Access is denied.)\".\r\n\r\n"
                                 "Please make sure that no one is currently using the accounting database or Wrenfold"),
              std::string::npos)
        << refused->text;
    EXPECT_EQ(answer("OK"), "An error was encountered while installing Wrenfold demo data");
    EXPECT_EQ(wizard->finishedWith(), "Process was not successfully completed");
    EXPECT_TRUE(sessionMayEnd());
    // The bar stays where the work stopped (its error colour is not read back:
    // Wine's bar keeps no state but the normal one).
    const HWND bar = wizard->control(IDC_DATA_INS_PROGRESS);
    const LRESULT stoppedAt = SendMessageA(bar, PBM_GETPOS, 0, 0);
    EXPECT_TRUE(stoppedAt > 0 && stoppedAt < SendMessageA(bar, PBM_GETRANGE, FALSE, 0)) << stoppedAt;

    const auto offline = [](const std::string& name) {
        return "alter database \"" + name + "\" set offline with rollback immediate";
    };
    const auto attach = [&](const std::string& name) {
        return "sp_attach_db '" + name + "', '" + data + "\\" + name + ".mdf', '" + data + "\\" + name + "_log.ldf'";
    };
    EXPECT_EQ(recorded("master"),
              (std::vector<std::string>{"use Master", offline("COAST"), "sp_detach_db \"COAST\"", attach("COAST"),
                                        offline("COASTSV"), "sp_detach_db \"COASTSV\"", attach("COASTSV"),
                                        attach("COASTSV"), offline("COAST"), "sp_detach_db \"COAST\"",
                                        attach("COAST")}))
        << "the demo pair refused, COASTSV's own files attached again, then COAST's put back";
    const std::vector<std::string> sent = recordedWithReads("master");
    const auto firstChange = std::find(sent.begin(), sent.end(), offline("COAST"));
    const std::string read = "select name from sys.databases where name = N'COASTSV'";
    EXPECT_NE(std::find(sent.begin(), firstChange, read), firstChange)
        << "the catalogue is read before anything changes";

    OdbcConnectionFactory odbc;
    EXPECT_EQ(columnValues(odbc, connectionTo("COAST"), "DB_CTL", "SHARED_DIR"),
              std::vector<std::string>{"C:\\Coastal\\"});
    EXPECT_EQ(columnValues(odbc, connectionTo("COASTSV"), "SV_CUSTOMERS", "NAME"),
              std::vector<std::string>{"Coastal Own Customer"});
    for (const auto& entry : std::filesystem::directory_iterator(data)) {
        const std::string name = entry.path().filename().string();
        EXPECT_FALSE(name.ends_with(".wrenfold-copy") || name.ends_with(".wrenfold-own")) << name << " left behind";
    }
}

TEST_F(Wizard, AWrongPasswordIsPutRightInTheLogonDialog) {
    sample::putWrenfoldLogin("sa", "Wrong1");
    start();
    press("Define new &empty database");
    choose(IDC_DATA_INS_COMPANY, "Acme Ltd");
    press("Next");
    EXPECT_NE(answer("OK").find("Login failed for user 'sa'"), std::string::npos);
    auto logon = automation::waitForWindow("Database Logon", "#32770", 20s, processId());
    ASSERT_TRUE(logon.has_value()) << "no logon dialog";
    screenshot(logon->handle, "logon_dialog");
    EXPECT_EQ(automation::textOf(automation::controlById(logon->handle, IDC_LOGON_SERVER)),
              "127.0.0.1," + std::to_string(sqlStandinPort()));
    EXPECT_EQ(automation::textOf(automation::controlById(logon->handle, IDC_LOGON_USER)), "sa");
    ASSERT_TRUE(automation::setEditText(automation::controlById(logon->handle, IDC_LOGON_PASSWORD), "Secret1"));
    ASSERT_TRUE(automation::pressButton(logon->handle, "OK"));

    EXPECT_EQ(answer("Yes"), kOverwriteQuestion);
    EXPECT_EQ(answer("OK"), "Wrenfold database successfully defined");
    EXPECT_EQ(wizard->finishedWith(), "Process complete");
}

TEST_F(Wizard, RefusesCompaniesItCannotServeAndGoesBackAPageAtATime) {
    start();
    press("Install &demo data");
    choose(IDC_DATA_INS_COMPANY, "Acme Data Services");
    press("Next");
    EXPECT_EQ(answer("OK"),
              "Error: Wrenfold does not allow a physical SQL database name to contain embedded spaces.\r\n"
              "The name \"Acme Data\" is invalid.");
    choose(IDC_DATA_INS_COMPANY, "Widget Works");
    press("Next");
    EXPECT_EQ(answer("OK"), "A Wrenfold SQL database does not exist for this company. ");
    choose(IDC_DATA_INS_COMPANY, "New Company");
    press("Next");
    EXPECT_EQ(answer("OK"), "Error: Cannot login to the SQL database for this company ");
    EXPECT_EQ(answer("OK"), "No database is named for this company in Companies.ini.");
    EXPECT_EQ(wizard->page(), WizardPage::Company);
    EXPECT_TRUE(recorded("master").empty()) << "nothing is changed";

    press("Previous");
    EXPECT_EQ(wizard->pageBecomes(WizardPage::Start), WizardPage::Start);
    press("Exit");
    EXPECT_TRUE(ends()) << "Exit ends the program";
}

}  // namespace
}  // namespace wf::testing
