// dbprep's command line on the doubles' CounterPoint SQL installation: each
// command, its refusals and its exit codes; and that it runs what the wizard
// runs, in the same order.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "installer/console/command_line.h"
#include "installer/console/console_run.h"
#include "installer/wizard/frm_data_ins.h"
#include "tests/doubles/fault_harness.h"
#include "tests/unit/installer/counterpoint_doubles.h"

namespace wf {
namespace {

using testing::InstallerFixture;
using testing::kSpa;
using testing::login;

constexpr const char* kM2 = "Error: Cannot login to the SQL database for this company ";
constexpr const char* kOverwrite =
    "Warning!  A Wrenfold SQL database already exists for this company. \r\n\r\n"
    "Do you want to overwrite the existing database?";
constexpr const char* kWarning =
    "Warning!  This procedure is about to install demonstration data\r\nfor the company Acme Ltd.  Any existing "
    "information   \r\nin the database for this company will be replaced.\r\n\r\nAre you sure you want to do this?";
constexpr const char* kDemoFailed = "An error was encountered while installing Wrenfold demo data";
const std::string kDemoContent = "demo data, 20 bytes.";

class RecordingConsole : public Console {
public:
    void printLine(const std::string& text) override { lines.push_back(text); }
    void holdInterrupts(const std::string& notice) override { heldWith = notice; }
    // Answers true from the `interruptAt`th question on.
    bool interruptRequested() override { return interruptAt > 0 && ++asked >= interruptAt; }

    std::vector<std::string> lines;
    std::string heldWith;
    int interruptAt = 0;
    int asked = 0;
};

// The installation with the data set's files 20 bytes long, copied a byte at a time.
struct CommandLine {
    CommandLine() {
        testing::layOutCounterPoint(f);
        testing::layOutDemoData(f);
        for (const char* file : {"DemoSpa", "..\\WFdata\\DemoSpaSV"})
            for (const char* extension : {".mdf", ".ldf"})
                f.files.addFile(std::string(kSpa) + "8.3.1\\" + file + extension, kDemoContent);
        f.files.copyPiece = 1;
    }

    int run(const std::vector<std::string>& arguments) {
        return exitCode = runCommandLine(arguments, console, [this](UserInterface& ui, InstallerDialogs& dialogs) {
                   return f.contextWith(ui, dialogs);
               });
    }

    // What the run left of the company: nothing changed, its Wrenfold database
    // defined or not, the data set installed, or its own files back.
    std::string companyLeft() const {
        const auto executed = [&](const std::string& statement) {
            return std::find(f.sql.events.begin(), f.sql.events.end(), "execute " + statement) != f.sql.events.end();
        };
        const auto allHold = [&](const std::string& content) {
            return std::all_of(std::begin(kOwnFiles), std::end(kOwnFiles), [&](const char* file) {
                return f.files.has(file) && f.files.file(file).content == content;
            });
        };
        if (executed("CREATE TABLE T (A int)")) return "defined";
        if (executed("CREATE DATABASE \"ACMESV\"")) return "not defined";
        if (allHold(kDemoContent)) return "demo data";
        if (std::none_of(f.sql.events.begin(), f.sql.events.end(),
                         [](const std::string& event) { return event.starts_with("execute"); }))
            return "unchanged";
        return allHold("own") ? "own files back" : "changed";
    }

    static constexpr const char* kOwnFiles[] = {"E:\\ACME.mdf", "E:\\ACME.ldf", "E:\\SV.mdf", "E:\\SV.ldf"};
    InstallerFixture f;
    RecordingConsole console;
    int exitCode = -1;
};

std::vector<std::string> badArguments(const std::string& error) { return {error, "", usageText()}; }

std::vector<std::string> copiedTenths() {
    std::vector<std::string> lines;
    for (const char* file : {"ACME.mdf", "ACME.ldf", "SV.mdf", "SV.ldf"})
        for (int tenth = 1; tenth <= 10; ++tenth)
            lines.push_back("Copying " + std::string(file) + ": " + std::to_string(tenth * 10) + "%");
    return lines;
}

std::vector<std::string> operator+(std::vector<std::string> lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

TEST(CommandLine, EachCommandItsRefusalsAndItsExitCode) {
    struct Case {
        const char* what;
        std::vector<std::string> arguments;
        std::function<void(CommandLine&)> arrange;
        int exitCode;
        std::vector<std::string> printed;
        std::string companyLeft;
    };
    const auto none = [](CommandLine&) {};
    const std::string installing = "Installing data, please wait...";
    const std::string defining = "Defining database, please wait...";
    const Case cases[] = {
        {"the usage", {"/?"}, none, 0, {usageText()}, "unchanged"},
        {"no command", {}, none, 3, badArguments("No command is given."), "unchanged"},
        {"an unknown command", {"-list"}, none, 3, badArguments("\"-list\" is not a command."), "unchanged"},
        {"no company", {"/define"}, none, 3, badArguments("/define needs a company."), "unchanged"},
        {"two companies", {"/DEFINE", "ACME", "BETA"}, none, 3,
         badArguments("/define takes a company, not also \"BETA\"."), "unchanged"},
        {"another command's option", {"/define", "ACME", "/yes"}, none, 3,
         badArguments("\"/yes\" is not an option of /define."), "unchanged"},
        {"the list",
         {"/List"},
         none,
         0,
         {"Host system: CounterPoint SQL", "Companies:", "ACME\tAcme Ltd", "DATA\tAcme Data", "LOST\tLost Co",
          "BETA\tBeta Corp", "EMPTY\tEmpty Co", "Demonstration data sets:", "Pool and Spa"},
         "unchanged"},
        {"no host installation",
         {"/list"},
         [](CommandLine& c) {
             RegistryValueStore(c.f.registry)
                 .WriteValue(kHkeyLocalMachine, "SOFTWARE\\Synchronics\\CounterPoint\\8.0", "InstallPath", "");
         },
         1,
         {"Wrenfold Database Install requires CounterPoint SQL to run.\r\n\r\n"
          "No CP SQL server or workstation install was found on this computer."},
         "unchanged"},
        {"an unknown company", {"/define", "Nobody"}, none, 1,
         {"No company has the id or the name \"Nobody\".", "Please select a valid company before continuing"},
         "unchanged"},
        {"a name two companies bear",
         {"/define", "acme ltd"},
         [](CommandLine& c) {
             std::string companies = c.f.files.file("D:\\CPSQL\\Companies.ini").content;
             c.f.files.addFile("D:\\CPSQL\\Companies.ini",
                               companies.insert(companies.find("DATA="), "COPY=Acme Ltd\r\n"));
         },
         1,
         {"More than one company is named \"acme ltd\": name it by its id."},
         "unchanged"},
        {"an existing database kept", {"/define", "acme"}, none, 1, {kOverwrite, "No: /overwrite is not given."},
         "unchanged"},
        {"an existing database overwritten, the company by its name",
         {"/define", " acme LTD ", "/Overwrite"},
         none,
         0,
         {kOverwrite, "Yes (/overwrite).", defining, "Wrenfold database successfully defined"},
         "defined"},
        {"a blank in the database name", {"/define", "DATA", "/overwrite"}, none, 1,
         {"Error: Wrenfold does not allow a physical SQL database name to contain embedded spaces.\r\n"
          "The name \"Acme Data\" is invalid."},
         "unchanged"},
        {"a failed login: no logon dialog",
         {"/define", "ACME", "/overwrite"},
         [](CommandLine& c) {
             for (const char* catalogue : {"", "ACME"})
                 c.f.sql.openFailures[login(catalogue)] = {18456, {"Login failed for user 'sa'."}};
         },
         1,
         {"Login failed for user 'sa'.", kM2, "Login failed for user 'sa'."},
         "unchanged"},
        {"a failed definition",
         {"/define", "ACME"},
         [](CommandLine& c) {
             testing::dropOurDatabase(c.f);
             c.f.sql.statementFailures["CREATE DATABASE \"ACMESV\""] = {1801, {"Database 'ACMESV' already exists."}};
         },
         2,
         {defining,
          "An error was encountered while defining the Wrenfold database.\r\n\r\n"
          "The errors are listed in C:\\Tools\\dbprep\\ErrorLog.txt."},
         "not defined"},
        {"demo data not confirmed", {"/demo", "ACME", "pool AND spa"}, none, 1, {kWarning, "No: /yes is not given."},
         "unchanged"},
        {"demo data installed",
         {"/demo", "Acme Ltd", " Pool and Spa", "/YES"},
         none,
         0,
         std::vector<std::string>{kWarning, "Yes (/yes).", installing} + copiedTenths() +
             std::vector<std::string>{"Wrenfold demo data successfully installed"},
         "demo data"},
        {"an unknown data set", {"/demo", "ACME", "Heating and Air", "/yes"}, none, 1,
         {"No demonstration data set is named \"Heating and Air\"."}, "unchanged"},
        {"no Wrenfold database for demo data", {"/demo", "ACME", "Pool and Spa", "/yes"},
         [](CommandLine& c) { testing::dropOurDatabase(c.f); }, 1,
         {"A Wrenfold SQL database does not exist for this company. "}, "unchanged"},
        {"a data set's file missing",
         {"/demo", "ACME", "Pool and Spa", "/yes"},
         [](CommandLine& c) { c.f.files.deleteFile(std::string(kSpa) + "8.3.1\\..\\WFdata\\DemoSpaSV.mdf", true); },
         1,
         {kWarning, "Yes (/yes).", installing,
          "The demonstration data set lacks the file\r\n" + std::string(kSpa) +
              "8.3.1\\..\\WFdata\\DemoSpaSV.mdf\r\n\r\nPlease make sure that the Wrenfold demo data directory "
              "exists\r\n\r\nNothing has been changed.",
          kDemoFailed},
         "unchanged"},
        // Asked before each change and at each piece copied: the fifth is ACME.mdf's third piece.
        {"Ctrl+C during the copy",
         {"/demo", "ACME", "Pool and Spa", "/yes"},
         [](CommandLine& c) { c.console.interruptAt = 5; },
         2,
         {kWarning, "Yes (/yes).", installing, "Copying ACME.mdf: 10%", kDemoFailed},
         "own files back"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CommandLine run;
        c.arrange(run);
        EXPECT_EQ(run.run(c.arguments), c.exitCode);
        EXPECT_EQ(run.console.lines, c.printed);
        EXPECT_EQ(run.companyLeft(), c.companyLeft);
        EXPECT_EQ(run.f.dialogs.logonsShown, 0);
        // Ctrl+C is held off once an operation runs, and only then.
        const bool operationRan = std::find(c.printed.begin(), c.printed.end(), defining) != c.printed.end() ||
                                  std::find(c.printed.begin(), c.printed.end(), installing) != c.printed.end();
        EXPECT_EQ(!run.console.heldWith.empty(), operationRan);
    }
}

// The command line and the wizard, each defining ACME's database and installing
// demonstration data into it: the same calls of the server and the same log.
// The wizard checks the company again on the data set page's Next; the calls
// and log lines of the company page's Next are left out of its run.
TEST(CommandLine, RunsWhatTheWizardRuns) {
    const auto byWizard = [](CommandLine& c, bool demo) {
        frmDataIns form(c.f.context());
        form.Form_Load();
        demo ? form.cmdDemoData_Click() : form.cmdEmptyFiles_Click();
        form.cmboCompany.listIndex = 0;
        const std::size_t loaded = c.f.sql.events.size();
        const std::size_t logged = c.f.log().size();
        form.cmdCompanyNext_Click();
        if (!demo) return;
        c.f.sql.events.erase(c.f.sql.events.begin() + static_cast<std::ptrdiff_t>(loaded), c.f.sql.events.end());
        c.f.files.addFile(c.f.process.folder + "\\ErrorLog.txt", c.f.log().substr(0, logged));
        form.cmboDataType.listIndex = 0;
        form.cmdCompanyNext_Click();
    };
    for (bool demo : {false, true}) {
        SCOPED_TRACE(demo ? "demonstration data" : "definition");
        CommandLine wizard, commandLine;
        byWizard(wizard, demo);
        EXPECT_EQ(commandLine.run(demo ? std::vector<std::string>{"/demo", "ACME", "Pool and Spa", "/yes"}
                                       : std::vector<std::string>{"/define", "ACME", "/overwrite"}),
                  kExitDone);
        EXPECT_EQ(commandLine.f.sql.events, wizard.f.sql.events);
        EXPECT_EQ(commandLine.f.log(), wizard.f.log());
        EXPECT_EQ(commandLine.companyLeft(), demo ? "demo data" : "defined");
    }
}

// Each call of the doubles failing in turn, once or from then on: the exit code
// tells the truth. Done only when the data set is installed, a refusal changes
// nothing, and a single failure leaves the company on its own files.
TEST(CommandLine, TheExitCodeTellsWhatBecameOfTheCompanyWhicheverCallFails) {
    testing::forEachFault<CommandLine>(
        [](CommandLine& c, testing::FaultSchedule& schedule) { c.f.attachFaults(schedule); },
        [](CommandLine& c) { c.run({"/demo", "ACME", "Pool and Spa", "/yes"}); },
        [](const CommandLine& c, const testing::Fault& fault) {
            if (fault.ended) return;
            const std::string left = c.companyLeft();
            if (c.exitCode == kExitDone) {
                EXPECT_EQ(left, "demo data");
            } else if (c.exitCode == kExitRefused) {
                EXPECT_EQ(left, "unchanged");
            } else if (fault.mode == testing::FaultMode::Once) {
                EXPECT_EQ(c.exitCode, kExitFailed);
                EXPECT_TRUE(left == "own files back" || left == "unchanged") << left;
            }
        });
}

}  // namespace
}  // namespace wf
