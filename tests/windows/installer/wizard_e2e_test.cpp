// The real dbprep.exe walked through its wizard as an administrator would, on the
// sample CounterPoint SQL installation, against the stand-in of these tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "installer/win32/data_ins_resources.h"
#include "installer/win32/dialog_resources.h"
#include "platform/odbc/odbc_connection.h"
#include "tests/integration/installer/standin_readback.h"
#include "tests/integration/sql/standin_server.h"
#include "tests/windows/support/host_paths.h"
#include "tests/windows/support/scratch_folder.h"
#include "tools/automation/automation.h"
#include "tools/automation/poll_for.h"
#include "tools/installer_sample/installer_sample.h"

namespace wf::testing {
namespace {

using namespace std::chrono_literals;

constexpr char kWindowTitle[] = "Wrenfold SQL Database Install";
constexpr char kBoxTitle[] = "Wrenfold Database Install";

enum class Page { Start, Company, DataSet, Processing };

void PrintTo(Page page, std::ostream* out) {
    static const char* const names[] = {"the start page", "the company page", "the data set page", "the processing page"};
    *out << names[static_cast<int>(page)];
}

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

std::vector<std::string> recorded(const std::string& database) {
    return recordedBatches(windowsPath(WRENFOLD_SQL_STANDIN_RECORDS), database);
}

// dbprep.exe in the sample installation's program folder.
class Wizard : public ::testing::Test {
protected:
    Wizard() {
        SetEnvironmentVariableA("WRENFOLD_SQL_BROWSER", "127.0.0.1:1434");  // never a broadcast
        // Only this test's batches are read back.
        for (const char* database : {"master", "ACME", "ACMESV"}) removeTree(windowsPath(WRENFOLD_SQL_STANDIN_RECORDS) + "\\" + database);
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
        auto shown = automation::waitForWindow(kWindowTitle, {}, 20s, process_.dwProcessId);
        ASSERT_TRUE(shown.has_value()) << "no installer window";
        main_ = shown->handle;
        trail.note("started: " + command);
    }
    DWORD processId() const { return process_.dwProcessId; }
    bool ends() { return WaitForSingleObject(process_.hProcess, 15000) == WAIT_OBJECT_0; }

    HWND control(int id) const { return automation::controlById(main_, id); }
    std::string text(int id) const { return automation::textOf(control(id)); }
    bool shows(int id) const { return IsWindowVisible(control(id)) != FALSE; }
    int selected(int list) const { return static_cast<int>(SendMessageA(control(list), CB_GETCURSEL, 0, 0)); }

    Page page() const {
        if (shows(IDC_DATA_INS_PROCESSING_FRAME)) return Page::Processing;
        if (shows(IDC_DATA_INS_DATA_TYPE)) return Page::DataSet;
        if (shows(IDC_DATA_INS_COMPANY)) return Page::Company;
        return Page::Start;
    }
    // The page once it is `expected`, or the one still shown after a while.
    Page pageBecomes(Page expected) const {
        automation::pollFor(10s, [&] { return page() == expected; });
        return page();
    }

    void press(const std::string& caption) {
        trail.note("press " + caption);
        ASSERT_TRUE(automation::pollFor(10s, [&] { return automation::pressButton(main_, caption); })) << caption;
    }
    void choose(int list, const std::string& entry) {
        trail.note("choose " + entry);
        ASSERT_TRUE(automation::selectListEntry(control(list), entry)) << entry;
    }
    // The text of the program's next message box, answered with `button`.
    std::string answer(const std::string& button) {
        auto box = automation::answerMessageBox(kBoxTitle, button, 20s, &trail);
        return box ? box->text : "<no message box answered " + button + ">";
    }
    // The status line once the operation has ended and Finish may be pressed.
    std::string finishedWith() {
        automation::pollFor(20s, [&] {
            return text(IDC_DATA_INS_PROC_NEXT) == "&Finish" && IsWindowEnabled(control(IDC_DATA_INS_PROC_NEXT));
        });
        return text(IDC_DATA_INS_INSTALLING_MSG);
    }
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

    automation::Recorder trail;
    ScratchFolder scratch{"wizard"};
    sample::InstallerSample installation = sample::layInstallerSample(scratch.path(), windowsPath(WF_DBPREP_EXE), sqlStandinPort());
    HWND main_ = nullptr;

private:
    PROCESS_INFORMATION process_{};
};

TEST_F(Wizard, DefinesAnEmptyDatabaseOverTheOldOneOnlyOnceTheUserAgrees) {
    start();
    screenshot(main_, "start_page");
    press("Define new &empty database");
    ASSERT_EQ(pageBecomes(Page::Company), Page::Company);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Defining a new Wrenfold database, for use in a new company");
    screenshot(main_, "company_page");
    press("Next");
    EXPECT_EQ(answer("OK"), "Please select a valid company before continuing");

    choose(IDC_DATA_INS_COMPANY, "Acme Ltd");
    press("Next");
    EXPECT_EQ(answer("No"), kOverwriteQuestion);
    EXPECT_EQ(page(), Page::Company);
    EXPECT_TRUE(recorded("master").empty()) << "nothing is changed";

    press("Next");
    EXPECT_EQ(answer("Yes"), kOverwriteQuestion);
    EXPECT_EQ(answer("OK"), "Wrenfold database successfully defined");
    EXPECT_EQ(finishedWith(), "Process complete");
    screenshot(main_, "finished_page");
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
    EXPECT_EQ(pageBecomes(Page::Start), Page::Start);

    // A batch the server refuses: the user is told where the errors are listed.
    writeFileText(installation.program + "\\SQLdbgen\\mkWFdb.sql", "CREATE TABLE [SV_BROKEN] ([ID] int)\r\nGO\r\n");
    press("Define new &empty database");
    press("Next");
    EXPECT_EQ(answer("Yes"), kOverwriteQuestion);
    EXPECT_EQ(answer("OK"), "An error was encountered while defining the Wrenfold database.\r\n\r\n"
                            "The errors are listed in " + installation.program + "\\ErrorLog.txt.");
    EXPECT_EQ(finishedWith(), "Process was not successfully completed");
    const std::vector<std::string> logged = loggedSinceLastHeader();
    EXPECT_EQ(std::vector<std::string>(logged.begin() + std::min<std::size_t>(4, logged.size()), logged.end()),
              (std::vector<std::string>{"CREATE TABLE [SV_BROKEN] ([ID] int)",
                                        "    ----> There is already an object named 'SV_BROKEN' in the database."}));
}

TEST_F(Wizard, InstallsTheDemonstrationDataSetChosenOnItsOwnPage) {
    start();
    press("Install &demo data");
    ASSERT_EQ(pageBecomes(Page::Company), Page::Company);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Installing Wrenfold demonstration data");
    choose(IDC_DATA_INS_COMPANY, "Acme Ltd");
    press("Next");
    ASSERT_EQ(pageBecomes(Page::DataSet), Page::DataSet);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Installing Wrenfold demonstration data into Acme Ltd");
    EXPECT_EQ(text(IDC_DATA_INS_COMPANY_INSTRS),
              "Select the type of demo data you would like to install, then click 'Next' to continue.");
    screenshot(main_, "data_set_page");

    // Previous forgets the data set chosen.
    choose(IDC_DATA_INS_DATA_TYPE, "Pool and Spa");
    press("Previous");
    ASSERT_EQ(pageBecomes(Page::Company), Page::Company);
    EXPECT_EQ(text(IDC_DATA_INS_WHAT_DOING), "Installing Wrenfold demonstration data");
    EXPECT_EQ(selected(IDC_DATA_INS_DATA_TYPE), CB_ERR);

    press("Next");
    ASSERT_EQ(pageBecomes(Page::DataSet), Page::DataSet);
    choose(IDC_DATA_INS_DATA_TYPE, "Pool and Spa");
    press("Next");
    EXPECT_EQ(answer("Yes"),
              "Warning!  This procedure is about to install demonstration data\r\nfor the company Acme Ltd.  "
              "Any existing information   \r\nin the database for this company will be replaced.\r\n\r\n"
              "Are you sure you want to do this?");
    EXPECT_EQ(answer("OK"), "Wrenfold demo data successfully installed");
    EXPECT_EQ(finishedWith(), "Process complete");
    const std::vector<std::string> exchange = recorded("master");
    ASSERT_EQ(exchange.size(), 7u) << "both databases taken out and attached again";
    EXPECT_TRUE(exchange.back().starts_with("sp_attach_db 'ACMESV', 'Z:\\")) << exchange.back();
    OdbcConnectionFactory odbc;
    EXPECT_EQ(columnValues(odbc, connectionTo("ACME"), "DB_CTL", "SHARED_DIR"),
              (std::vector<std::string>{installation.topLevel + "\\", "Demo register 2"}));
    EXPECT_EQ(columnValues(odbc, connectionTo("ACMESV"), "SV_CUSTOMERS", "NAME"),
              (std::vector<std::string>{"Spa Dublin", "O'Brien Pools"}));
    press("Finish");
    EXPECT_EQ(pageBecomes(Page::Start), Page::Start);
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
    EXPECT_EQ(finishedWith(), "Process complete");
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
    EXPECT_EQ(page(), Page::Company);
    EXPECT_TRUE(recorded("master").empty()) << "nothing is changed";

    press("Previous");
    EXPECT_EQ(pageBecomes(Page::Start), Page::Start);
    press("Exit");
    EXPECT_TRUE(ends()) << "Exit ends the program";
}

}  // namespace
}  // namespace wf::testing
