// The wizard's pages on CounterPoint SQL: what each button does on each page,
// the checks before anything changes, and what the processing page shows; and
// the company page's login on the other hosts.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "installer/operations/database_presence.h"
#include "installer/wizard/frm_data_ins.h"
#include "tests/unit/installer/counterpoint_doubles.h"

namespace wf {
namespace {

using testing::dropOurDatabase;
using testing::InstallerFixture;
using testing::kSpa;
using testing::layOutCounterPoint;
using testing::login;
using testing::SqlScriptedFailure;
using testing::SqlScriptedTable;

constexpr const char* kM1 = "Please select a valid company before continuing";
constexpr const char* kM2 = "Error: Cannot login to the SQL database for this company ";
constexpr const char* kM6 = "A Wrenfold SQL database does not exist for this company. ";

// The installation of counterpoint_doubles.h, its window loaded.
struct Wizard {
    Wizard() : form(f.context()) {
        layOutCounterPoint(f);
        form.Form_Load();
        // What the processing page showed when the window was redrawn during the work,
        // whether the window then held off the end of the session, and its bar.
        form.window.refresh = [this] {
            const ProgressBar& bar = form.prgProcessing;
            const bool held = !form.window.shutdownBlockReason.empty();
            redrawn.push_back(page() + ": " + form.lblInstallingMsg.caption + (held ? " [session held]" : "") +
                              (bar.visible ? " [bar " + std::to_string(bar.value) + (bar.failed ? " failed]" : "]") : ""));
        };
    }

    std::string page() const {
        if (form.fraProcessing.visible) return form.cmdProcNext.enabled ? "finished" : "processing";
        if (!form.fraCompanyInfo.visible) return "start";
        return form.cmboDataType.visible ? "data set" : "company";
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> shown;
        for (const auto& message : f.ui.messages) shown.push_back(message.text);
        return shown;
    }
    void choose(int company) { form.cmboCompany.listIndex = company; }
    void lacksOurDatabase() { dropOurDatabase(f); }
    void layOutDemoData() { testing::layOutDemoData(f); }

    InstallerFixture f;
    frmDataIns form;
    std::vector<std::string> redrawn;
};

TEST(StartPage, EachOperationOpensTheCompanyPageWithItsTexts) {
    Wizard w;
    w.form.cmboDataType.listIndex = 0;
    w.form.cmdEmptyFiles_Click();
    EXPECT_EQ(w.page(), "company");
    EXPECT_EQ(w.form.lblWhatDoing.caption, "Defining a new Wrenfold database, for use in a new company");
    EXPECT_EQ(w.form.lblCompanyInstrs.caption,
              "Please select a valid company to which you would like to add a Wrenfold database, then click 'Next' to "
              "continue.");
    EXPECT_EQ(w.form.cmboDataType.listIndex, 0) << "the data set stays chosen";
    EXPECT_EQ(w.form.window.focus, &w.form.cmboCompany);
    EXPECT_TRUE(w.f.state.operation.bEmptyDatabase && !w.f.state.operation.bDemoData);

    w.form.cmdCompanyPrev_Click();
    EXPECT_EQ(w.page(), "start");
    w.form.cmdDemoData_Click();
    EXPECT_EQ(
        w.form.lblCompanyInstrs.caption,
        "Please select a valid CP SQL company into which you would like to install Wrenfold demo data, then click "
        "'Next' to continue.");
    EXPECT_EQ(w.form.cmboDataType.listIndex, -1);
    EXPECT_TRUE(w.f.state.operation.bDemoData && !w.f.state.operation.bEmptyDatabase);
}

TEST(CompanyPage, AFailedCheckTellsWhyAndLeavesThePageAsItWas) {
    const std::vector<std::string> noCatalogue = {kM2, "No database is named for this company in Companies.ini."};
    struct Case {
        const char* what;
        int company;
        bool demo;
        bool unreachable;
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"no company chosen", -1, false, false, {kM1}},
        {"the company's database unreachable", 0, false, true, {kM2, "Login failed for user 'sa'."}},
        {"no connection line", 2, false, false, noCatalogue},
        {"a connection line without a catalogue, after Acme's", 3, false, false, noCatalogue},
        {"an empty connection line, after Acme's", 4, false, false, noCatalogue},
        {"a blank in the database name",
         1,
         false,
         false,
         {"Error: Wrenfold does not allow a physical SQL database name to contain embedded spaces.\r\n"
          "The name \"Acme Data\" is invalid."}},
        {"demo data without a Wrenfold database", 0, true, false, {kM6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Wizard w;
        if (c.unreachable) w.f.sql.openFailures[login("ACME")] = {18456, {"Login failed for user 'sa'."}};
        if (c.demo) w.lacksOurDatabase();
        c.demo ? w.form.cmdDemoData_Click() : w.form.cmdEmptyFiles_Click();
        if (c.company >= 3) {
            // Acme first, its overwrite declined: its catalogue must not serve the next company.
            w.f.ui.answers = {kAnswerNo};
            w.choose(0);
            w.form.cmdCompanyNext_Click();
            EXPECT_EQ(w.f.state.login.strCPCatalog, "ACME");
            w.f.ui.messages.clear();
            w.f.sql.events.clear();
        }
        w.choose(c.company);
        w.form.window.focus = nullptr;
        w.form.cmdCompanyNext_Click();
        EXPECT_EQ(w.texts(), c.told);
        EXPECT_EQ(w.page(), "company");
        EXPECT_EQ(w.form.window.focus, &w.form.cmboCompany);
        for (const auto& event : w.f.sql.events) EXPECT_EQ(event.rfind("execute", 0), std::string::npos) << event;
        // Without a company no login is read; one that names no database is only
        // taken to the server, never to a database.
        const auto opens = std::count_if(w.f.sql.events.begin(), w.f.sql.events.end(),
                                         [](const std::string& event) { return event.rfind("open", 0) == 0; });
        if (c.company == -1) {
            EXPECT_EQ(opens, 0);
        }
        if (c.company >= 2) {
            EXPECT_EQ(opens, 1);
            EXPECT_EQ(w.f.state.login.strCPCatalog, "");
        }
    }
}

TEST(CompanyPage, OtherHostsReadTheChosenCompanysLoginTheirWay) {
    // Great Plains has gone since the window loaded: the program has been ended.
    for (HostSystem host : {HostSystem::GreatPlains, HostSystem::Passport}) {
        InstallerFixture f(host);
        frmDataIns form(f.context());
        f.state.host.strCompanyIds = {"Payroll"};
        form.cmdEmptyFiles_Click();
        form.cmboCompany.listIndex = 0;
        form.cmdCompanyNext_Click();
        EXPECT_EQ(form.window.unloaded, host == HostSystem::GreatPlains);
        EXPECT_EQ(f.state.operation.strOurDB, "PayrollSV");
        EXPECT_EQ(f.state.connections.strCompanyConnectionString == "Payroll", host == HostSystem::Passport);
    }
}

TEST(ProcessingPage, DefinesTheDatabaseAskingFirstWhenItExists) {
    // The server lists the database; it may refuse logins all the same (offline,
    // single-user: kept only, as the double would refuse the new one too), and when
    // its list cannot be read the database counts as there.
    const std::vector<std::pair<std::string, void (*)(Wizard&)>> existing = {
        {"reachable", [](Wizard&) {}},
        {"the server's list unreadable",
         [](Wizard& w) {
             w.f.sql.statementFailures[databaseListingStatement("ACMESV")] = {229,
                                                                              {"The SELECT permission was denied."}};
         }},
        {"listed but offline",
         [](Wizard& w) {
             w.f.sql.openFailures[login("ACMESV")] = {942,
                                                      {"Database 'ACMESV' cannot be opened because it is offline."}};
         }},
    };
    for (const auto& [how, arrange] : existing)
        for (int answer : {kAnswerNo, kAnswerYes}) {
            if (how == "listed but offline" && answer == kAnswerYes) continue;
            SCOPED_TRACE(how + (answer == kAnswerYes ? ", overwritten" : ", kept"));
            Wizard w;
            arrange(w);
            w.f.ui.answers = {answer};
            w.form.cmdEmptyFiles_Click();
            w.choose(0);
            w.form.cmdCompanyNext_Click();
            EXPECT_EQ(w.texts().front(),
                      "Warning!  A Wrenfold SQL database already exists for this company. \r\n\r\n"
                      "Do you want to overwrite the existing database?");
            if (answer == kAnswerNo) {
                EXPECT_EQ(w.page(), "company");
                for (const auto& event : w.f.sql.events) EXPECT_FALSE(event.starts_with("execute")) << event;
                continue;
            }
            EXPECT_EQ(w.redrawn,
                      (std::vector<std::string>{"processing: Defining database, please wait... [session held] [bar 0]",
                                                "processing: Defining database, please wait... [session held] [bar 1000]",
                                                "processing: Process complete [bar 1000]"}));
            EXPECT_EQ(std::count(w.f.sql.events.begin(), w.f.sql.events.end(), "execute CREATE TABLE T (A int)"), 1);
            EXPECT_EQ(w.texts().back(), "Wrenfold database successfully defined");
            EXPECT_EQ(w.page(), "finished");
            EXPECT_EQ(w.form.lblInstallingMsg.caption, "Process complete");
            EXPECT_EQ(w.form.cmdProcNext.caption, "&Finish");
            EXPECT_EQ(w.form.window.focus, &w.form.cmdProcNext);
            EXPECT_EQ(w.f.ui.pointer.back(), false);
            w.form.cmdProcNext_Click();
            EXPECT_EQ(w.page(), "start");
        }
}

// The bar at each redraw of the processing page: a step of each batch (three of a
// third of the script each) or of each copy and database step, full on success,
// kept where the work stopped on failure. With the clock standing still only the
// bar's first step is drawn before the outcome.
TEST(ProcessingPage, TheBarShowsHowFarTheOperationHasCome) {
    struct Case {
        const char* what;
        bool demo;
        std::uint64_t clockStep;
        std::function<void(Wizard&)> atStart;  // once the processing page shows
        std::vector<std::string> bar;
    };
    const Case cases[] = {
        {"defined", false, 250, {}, {"0", "333", "666", "1000"}},
        {"defined, drawn a few times a second", false, 0, {}, {"0", "333", "1000"}},
        {"the script unreadable after its first batch", false, 250,
         [](Wizard& w) { w.f.files.faults().failNth(testing::FileOp::Read, 2, RunError(kErrDiskFull, "Disk full")); },
         {"0", "333", "333 failed"}},
        {"demo data installed", true, 250, {},
         {"0", "50", "150", "250", "350", "450", "500", "550", "650", "750", "850", "950", "1000"}},
        {"the server refusing the demo pair of ACMESV", true, 250,
         [](Wizard& w) {
             w.f.sql.statementFailures["sp_attach_db 'ACMESV', 'E:\\SV.mdf', 'E:\\SV.ldf'"] = {5120, {"Access is denied."}};
         },
         {"0", "50", "150", "250", "350", "450", "500", "550", "650", "750", "850", "950", "950 failed"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Wizard w;
        w.f.files.writeAll("C:\\Tools\\dbprep\\SQLdbgen\\mkWFdb.sql", std::string(40000 - 6, 'x') + "\r\nGO\r\n" +
                                                                      std::string(40000 - 6, 'y') + "\r\nGO\r\n" +
                                                                      std::string(40000 - 6, 'z') + "\r\nGO\r\n");
        if (c.demo) w.layOutDemoData();
        w.f.files.copyPiece = 2;
        w.f.clock.step = c.clockStep;
        std::vector<std::string> bar;  // each new state of the bar the window showed
        w.form.window.refresh = [&] {
            const ProgressBar& shown = w.form.prgProcessing;
            const std::string state = std::to_string(shown.value) + (shown.failed ? " failed" : "");
            if (!shown.visible || (!bar.empty() && bar.back() == state)) return;
            if (bar.empty() && c.atStart) c.atStart(w);
            bar.push_back(state);
        };
        w.f.ui.answers = {kAnswerYes};
        c.demo ? w.form.cmdDemoData_Click() : w.form.cmdEmptyFiles_Click();
        w.choose(0);
        w.form.cmdCompanyNext_Click();
        if (c.demo) {
            w.form.cmboDataType.listIndex = 0;
            w.form.cmdCompanyNext_Click();
        }
        EXPECT_EQ(bar, c.bar);
        w.form.cmdProcNext_Click();
        EXPECT_FALSE(w.form.fraProcessing.visible) << "Finish takes the bar and the taskbar's progress away";
    }
}

TEST(ProcessingPage, AFailedDefinitionSaysSoAndNamesTheLog) {
    Wizard w;
    w.lacksOurDatabase();
    w.f.sql.statementFailures["CREATE DATABASE \"ACMESV\""] = {1801, {"Database 'ACMESV' already exists."}};
    w.form.cmdEmptyFiles_Click();
    w.choose(0);
    w.form.cmdCompanyNext_Click();
    EXPECT_EQ(w.texts(),
              (std::vector<std::string>{"An error was encountered while defining the Wrenfold database.\r\n\r\n"
                                        "The errors are listed in C:\\Tools\\dbprep\\ErrorLog.txt."}));
    EXPECT_EQ(w.form.lblInstallingMsg.caption, "Process was not successfully completed");
    EXPECT_EQ(w.page(), "finished");
}

TEST(DataSetPage, OpensOnTheFirstNextAndPreviousReturnsToTheCompanies) {
    Wizard w;
    w.form.cmdDemoData_Click();
    w.choose(0);
    w.form.cmdCompanyNext_Click();
    EXPECT_EQ(w.page(), "data set");
    EXPECT_EQ(w.form.lblCompanyInstrs.caption,
              "Select the type of demo data you would like to install, then click 'Next' to continue.");
    EXPECT_EQ(w.form.window.focus, &w.form.cmboDataType);
    w.form.cmdCompanyNext_Click();
    EXPECT_EQ(w.form.lblWhatDoing.caption, "Installing Wrenfold demonstration data into Acme Ltd into Acme Ltd");
    EXPECT_TRUE(w.texts().empty());

    w.form.cmboDataType.listIndex = 0;
    w.form.cmdCompanyPrev_Click();
    EXPECT_EQ(w.page(), "company");
    EXPECT_EQ(w.form.lblWhatDoing.caption, "Installing Wrenfold demonstration data");
    EXPECT_EQ(w.form.cmboDataType.listIndex, -1);
}

TEST(DataSetPage, InstallsAfterTheQuestionAndShowsTheOutcome) {
    struct Case {
        const char* what;
        int answer;
        bool filesThere;
        std::string page;
        std::string status;
        std::string told;
    };
    const Case cases[] = {
        {"answered No", kAnswerNo, true, "start", "", ""},
        {"installed", kAnswerYes, true, "finished", "Process complete", "Wrenfold demo data successfully installed"},
        {"a data set's file missing", kAnswerYes, false, "finished", "Process was not successfully completed",
         "An error was encountered while installing Wrenfold demo data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Wizard w;
        w.layOutDemoData();
        if (!c.filesThere) w.f.files.deleteFile(std::string(kSpa) + "8.3.1\\..\\WFdata\\DemoSpaSV.mdf", true);
        w.f.ui.answers = {c.answer};
        w.form.cmdDemoData_Click();
        w.choose(0);
        w.form.cmdCompanyNext_Click();
        w.form.cmboDataType.listIndex = 0;
        w.form.cmdCompanyNext_Click();
        EXPECT_EQ(w.texts().front(),
                  "Warning!  This procedure is about to install demonstration data\r\nfor the company "
                  "Acme Ltd.  Any existing information   \r\nin the database for this company will be "
                  "replaced.\r\n\r\nAre you sure you want to do this?");
        EXPECT_EQ(w.page(), c.page);
        if (c.answer == kAnswerNo) continue;
        EXPECT_EQ(w.redrawn.front(), "processing: Installing data, please wait... [session held] [bar 0]");
        EXPECT_EQ(w.form.lblInstallingMsg.caption, c.status);
        EXPECT_EQ(w.texts().back(), c.told);
        EXPECT_EQ(w.f.files.file("E:\\ACME.mdf").content, c.filesThere ? "demo" : "own");
    }
}

// The user closes the window while the data is installed: at the first redraw
// (before any step), or when the first percentage shows; asked to stop, the
// installation puts back what it changed, shows its outcome and the program ends.
TEST(DataSetPage, TheCopyShowsHowFarItHasComeAndClosingTheWindowCanStopIt) {
    const std::string installing = "Installing data, please wait...";
    const std::string notCompleted = "Process was not successfully completed";
    struct Case {
        std::size_t closedAt;  // the redraw at which the user closes the window
        int stop;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {2,
         kAnswerNo,
         {installing, "Copying ACME.mdf: 50%", installing, "Copying ACME.ldf: 50%", installing, "Copying SV.mdf: 50%",
          installing, "Copying SV.ldf: 50%", installing, "Process complete"}},
        {2, kAnswerYes, {installing, "Copying ACME.mdf: 50%", notCompleted}},
        {1, kAnswerYes, {installing, notCompleted}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("closed at redraw " + std::to_string(c.closedAt) +
                     (c.stop == kAnswerYes ? ", stopped" : ", went on"));
        Wizard w;
        w.layOutDemoData();
        w.f.files.copyPiece = 2;
        std::vector<std::string> shown;  // each new status the window showed
        w.form.window.refresh = [&] {
            if (!shown.empty() && shown.back() == w.form.lblInstallingMsg.caption) return;
            shown.push_back(w.form.lblInstallingMsg.caption);
            if (shown.size() == c.closedAt) w.form.Form_QueryUnload();
        };
        w.f.ui.answers = {kAnswerYes, c.stop};
        w.form.cmdDemoData_Click();
        w.choose(0);
        w.form.cmdCompanyNext_Click();
        w.form.cmboDataType.listIndex = 0;
        w.form.cmdCompanyNext_Click();
        EXPECT_EQ(shown, c.shown);
        ASSERT_EQ(w.texts().size(), 3u);
        EXPECT_EQ(w.texts()[1],
                  "The demonstration data is still being installed.\r\n\r\n"
                  "Stop the installation and exit? Both databases are given their own data back.");
        EXPECT_EQ(w.f.ui.messages[1].style, kYesNo + kExclamation);
        if (c.stop == kAnswerNo) {
            EXPECT_EQ(w.texts().back(), "Wrenfold demo data successfully installed");
            EXPECT_EQ(w.f.ui.ended, 0);
            continue;
        }
        EXPECT_EQ(w.texts().back(), "An error was encountered while installing Wrenfold demo data");
        for (const char* file : {"E:\\ACME.mdf", "E:\\ACME.ldf", "E:\\SV.mdf", "E:\\SV.ldf"})
            EXPECT_EQ(w.f.files.file(file).content, "own") << file;
        EXPECT_EQ(w.f.files.filesIn("E:"), (std::set<std::string>{"ACME.mdf", "ACME.ldf", "SV.mdf", "SV.ldf"}));
        const bool detached =
            std::count(w.f.sql.events.begin(), w.f.sql.events.end(), "execute sp_detach_db \"ACME\"") > 0;
        EXPECT_EQ(detached, c.closedAt == 2) << "stopped before its first change, nothing is changed";
        EXPECT_TRUE(w.form.window.unloaded);
        EXPECT_EQ(w.f.ui.ended, 1);
    }
}

}  // namespace
}  // namespace wf
