// Defining an empty Wrenfold database: the statements sent, the batches of the
// definition script, what is logged and whether the definition succeeded.
#include "installer/operations/empty_database.h"

#include <gtest/gtest.h>

#include "common/line_reader.h"
#include "tests/unit/installer/installer_fixture.h"

namespace wf {
namespace {

using testing::InstallerFixture;

constexpr const char* kScript = "C:\\Tools\\dbprep\\SQLdbgen\\mkWFdb.sql";
constexpr const char* kOffline = "alter database \"ACMESV\" set offline with rollback immediate";
constexpr const char* kOnline = "alter database \"ACMESV\" set online";
constexpr const char* kDrop = "DROP DATABASE \"ACMESV\"";
constexpr const char* kNotRun = "C:\\Tools\\dbprep\\SQLdbgen\\mkWFdb.sql\r\n    ----> Not run: the Wrenfold database was not created.\r\n";
struct Definition {
    Definition() {
        f.state.operation.strOurDB = "ACMESV";
        f.state.connections.strNoCatConnectionString = "NOCAT";
        f.state.connections.strOurConnectionString = "OURS";
    }
    bool create() {
        InstallerContext context = f.context();
        return CreateEmptyDatabase(context);
    }
    bool runScript() {
        InstallerContext context = f.context();
        return RunDefinitionScript(context);
    }
    // The batches sent on the Wrenfold database's connection.
    std::vector<std::string> batches() const {
        std::vector<std::string> sent;
        bool script = false;
        for (const std::string& event : f.sql.events) {
            if (event == "open OURS") script = true;
            if (script && event.starts_with("execute ")) sent.push_back(event.substr(8));
        }
        return sent;
    }
    InstallerFixture f;
};

TEST(EmptyDatabase, SplitsTheScriptOnlyAtLinesThatAreExactlyGo) {
    struct Case {
        const char* what;
        const char* script;
        std::vector<std::string> batches;
    };
    const Case cases[] = {
        {"lines joined with nothing between them; a trailing batch is never sent",
         "SELECT 1\r\nFROM T\r\nGO\r\nSELECT 2\r\n", {"SELECT 1FROM T"}},
        {"blanks around GO make it a line of the batch; go and Go separate", "GO \r\n GO\r\ngo\r\nA\r\nGo\r\n",
         {"GO  GO", "A"}},
        {"two separators in a row send an empty batch", "A\r\nGO\r\nGO\r\n", {"A", ""}},
        {"a lone CR ends a line, a lone LF does not", "A\rB\nC\rGO\rD\r\nGO", {"AB\nC", "D"}},
        {"a script with LF line ends is one line and sends nothing", "A\nGO\nB\nGO\n", {}},
        {"an empty script sends nothing", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Definition d;
        d.f.files.addFile(kScript, c.script);
        EXPECT_TRUE(d.runScript());
        EXPECT_EQ(d.batches(), c.batches);
    }
}

TEST(EmptyDatabase, ReportsEveryFailureAndGoesOn) {
    const std::string script = "A\r\nGO\r\nB\r\nGO\r\nC\r\nGO\r\n";
    struct Case {
        const char* what;
        void (*arrange)(InstallerFixture&);
        std::string log;
        std::vector<std::string> batches;
        std::string message;  // empty: none shown
    };
    const Case cases[] = {
        {"a failing batch is logged with its own errors and the next one runs",
         [](InstallerFixture& f) { f.sql.statementFailures["B"] = {102, {"Incorrect syntax near 'B'."}}; },
         "B\r\n    ----> Incorrect syntax near 'B'.\r\n", {"A", "B", "C"}, ""},
        {"the Wrenfold database cannot be reached: its batches fail without entries",
         [](InstallerFixture& f) { f.sql.openFailures["OURS"] = {4060, {"Cannot open database \"ACMESV\"."}}; },
         "\r\n    ----> Cannot open database \"ACMESV\".\r\n", {}, ""},
        {"the server cannot be reached: every statement logs the open's errors",
         [](InstallerFixture& f) { f.sql.openFailures["NOCAT"] = {18456, {"Login failed for user 'sa'."}}; },
         "\r\n    ----> Login failed for user 'sa'.\r\nuse Master\r\n    ----> Login failed for user 'sa'.\r\n" +
             std::string(kOffline) + "\r\n    ----> Login failed for user 'sa'.\r\n" + kOnline +
             "\r\n    ----> Login failed for user 'sa'.\r\n" + kDrop +
             "\r\n    ----> Login failed for user 'sa'.\r\nCREATE DATABASE \"ACMESV\"\r\n"
             "    ----> Login failed for user 'sa'.\r\n" + kNotRun,
         {}, ""},
        {"the database is in use elsewhere and cannot be created anew: no batch may run in the old one",
         [](InstallerFixture& f) {
             f.sql.statementFailures[kDrop] = {3702, {"Cannot drop database \"ACMESV\" because it is currently in use."}};
             f.sql.statementFailures["CREATE DATABASE \"ACMESV\""] = {
                 1801, {"Database 'ACMESV' already exists. Choose a different database name."}};
         },
         std::string(kDrop) + "\r\n    ----> Cannot drop database \"ACMESV\" because it is currently in use.\r\n"
                              "CREATE DATABASE \"ACMESV\"\r\n"
                              "    ----> Database 'ACMESV' already exists. Choose a different database name.\r\n" +
             kNotRun,
         {}, ""},
        {"no script: nothing is sent and the user is told", [](InstallerFixture& f) { f.files.deleteFile(kScript, true); }, "", {},
         "Error: 53 File not found"},
        {"the script cannot be read to its end",
         [](InstallerFixture& f) {
             f.files.faults().failNth(testing::FileOp::Read, 1, RunError(kErrPathFileAccess, "Path/File access error"));
         },
         "", {}, "Error: 75 Path/File access error"},
        {"a script without GO lines is not held whole",
         [](InstallerFixture& f) {
             const std::string line(LineReader::kLineLengthLimit / 4, 'x');
             f.files.addFile(kScript, line + "\r\n" + line + "\r\n" + line + "\r\n" + line + "\r\nx\r\nGO\r\n");
         },
         "", {},
         "Error: 7 A batch of " + std::string(kScript) +
             " is longer than 16777216 characters: the script cannot be run."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Definition d;
        d.f.files.addFile(kScript, script);
        c.arrange(d.f);
        EXPECT_FALSE(d.create());
        EXPECT_EQ(d.f.log(), c.log);
        EXPECT_EQ(d.batches(), c.batches);
        if (c.message.empty()) {
            EXPECT_TRUE(d.f.ui.messages.empty());
        } else {
            ASSERT_EQ(d.f.ui.messages.size(), 1u);
            EXPECT_EQ(d.f.ui.messages[0].text, c.message);
            EXPECT_EQ(d.f.ui.messages[0].style, kOkOnly + kCritical);
            EXPECT_EQ(d.f.ui.messages[0].title, "Wrenfold Database Install");
        }
        const bool scriptRun = c.log.find(kNotRun) == std::string::npos;
        EXPECT_EQ(d.f.ui.pointer, (scriptRun ? std::vector<bool>{true, false} : std::vector<bool>{}));
        EXPECT_EQ(d.f.sql.connectionsOpen, 0);
    }
}

TEST(EmptyDatabase, QuotesANameThatHoldsQuoteCharacters) {
    Definition d;
    d.f.state.operation.strOurDB = "Mc\"Db]SV";
    d.f.files.addFile(kScript, "");
    EXPECT_TRUE(d.create());
    EXPECT_EQ(d.f.sql.events[2], "execute alter database \"Mc\"\"Db]SV\" set offline with rollback immediate");
    EXPECT_EQ(d.f.sql.events[5], "execute CREATE DATABASE \"Mc\"\"Db]SV\"");
}

}  // namespace
}  // namespace wf
