// Installing demonstration data: the statements and copies of a run on each host
// system, what the user is told when a step fails, and that no database is lost
// whichever step fails or wherever the program ends.
#include "installer/demo_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "installer/database_file_copy.h"
#include "tests/unit/installer/installer_fixture.h"

namespace wf {
namespace {

using testing::FileOp;
using testing::InstallerFixture;
using testing::ProcessEnded;
using testing::SqlOp;
using testing::SqlScriptedFailure;
using testing::SqlScriptedTable;

constexpr const char* kDemo = "C:\\Tools\\dbprep\\SQLdbgen\\demodata\\";
constexpr const char* kTitle = "Wrenfold Database Install";
constexpr const char* kInUseAdvice =
    "\r\n\r\nPlease make sure that no one is currently using the accounting database or Wrenfold";
constexpr const char* kSysFiles = "select * from SYSFILES";
constexpr const char* kDbCtl = "select * from DB_CTL where KEY_ID = 1";

// A database on the server: its files there and those of the data set meant to replace them.
struct DemoDatabase {
    std::string name;
    DatabaseFilePair own;
    DatabaseFilePair demo;
};

SqlScriptedTable sysFiles(const DatabaseFilePair& files) {
    const std::string padding(40, ' ');
    return {{"fileid", "name", "FileName"},
            {{"1", "data", files.data + padding}, {"2", "log", files.log + padding}, {"3", "more", "E:\\extra.ndf"}}};
}

struct Demo {
    explicit Demo(HostSystem host = HostSystem::CounterPointSql, std::string demoFolder = "CPointData\\Spa\\8.3.1\\",
                  std::string baseName = "DemoSpa")
        : f(host) {
        f.state.strHostPath = "D:\\CPSQL";
        f.state.strCompanyDB = "ACME";
        f.state.strOurDB = "ACMESV";
        f.state.strDataSetFolders[0] = "Spa";
        f.state.strGPVersion = "10";
        f.state.strNoCatConnectionString = "NOCAT";
        f.state.strCompanyConnectionString = "COMPANY";
        f.state.strOurConnectionString = "OURS";
        f.files.addFile("D:\\CPSQL\\counterpoint.ini", "[CP]\r\nSWVERSION=8.3.1\r\n");
        const std::string from = kDemo + demoFolder;
        company = {"ACME", {"E:\\Data\\ACME.mdf", "E:\\Data\\ACME_log.ldf"}, {from + baseName + ".mdf", from + baseName + ".ldf"}};
        ours = {"ACMESV", {"E:\\Data\\ACMESV.mdf", "E:\\Data\\ACMESV_log.ldf"},
                {from + "..\\WFdata\\" + baseName + "SV.mdf", from + "..\\WFdata\\" + baseName + "SV.ldf"}};
        for (const DemoDatabase* database : {&company, &ours}) {
            f.files.addFile(database->own.data, "own data of " + database->name);
            f.files.addFile(database->own.log, "own log of " + database->name);
            f.files.addFile(database->demo.data, "demo data of " + database->name);
            f.files.addFile(database->demo.log, "demo log of " + database->name);
        }
        f.sql.tablesOn[{"COMPANY", kSysFiles}] = sysFiles(company.own);
        f.sql.tablesOn[{"OURS", kSysFiles}] = sysFiles(ours.own);
        f.sql.tables[kDbCtl] = {{"KEY_ID", "SHARED_DIR"}, {{"1", "C:\\Elsewhere\\"}}};
    }

    bool install(int dataSet = 0, const FileCopyProgress& progress = {}) {
        InstallerContext context = f.context();
        return InstallDemoData(context, dataSet, progress);
    }

    // Whose content one of a database's files now holds, "own" or "demo": a file
    // with any other content (half written) or none is "lost".
    std::string holds(const DemoDatabase& database, std::string DatabaseFilePair::*file) const {
        const std::string& path = database.own.*file;
        if (!f.files.has(path)) return "lost";
        const std::string& content = f.files.file(path).content;
        const std::string kind = file == &DatabaseFilePair::data ? " data of " : " log of ";
        if (content == "own" + kind + database.name) return "own";
        if (content == "demo" + kind + database.name) return "demo";
        return "lost";
    }

    InstallerFixture f;
    DemoDatabase company;
    DemoDatabase ours;
};

TEST(DemoData, ExchangesBothDatabasesFilesAndPointsCounterPointHere) {
    Demo d;
    EXPECT_TRUE(d.install());
    EXPECT_EQ(d.f.sql.events,
              (std::vector<std::string>{
                  "open NOCAT", "timeout 300", "open COMPANY", "recordset select * from SYSFILES 0 1", "close recordset",
                  "close", "open OURS", "recordset select * from SYSFILES 0 1", "close recordset", "close",
                  "execute use Master", "execute alter database \"ACME\" set offline with rollback immediate",
                  "execute sp_detach_db \"ACME\"",
                  "execute sp_attach_db 'ACME', 'E:\\Data\\ACME.mdf', 'E:\\Data\\ACME_log.ldf'",
                  "execute alter database \"ACMESV\" set offline with rollback immediate",
                  "execute sp_detach_db \"ACMESV\"",
                  "execute sp_attach_db 'ACMESV', 'E:\\Data\\ACMESV.mdf', 'E:\\Data\\ACMESV_log.ldf'", "open COMPANY",
                  "recordset select * from DB_CTL where KEY_ID = 1 2 2", "update SHARED_DIR=D:\\CPSQL\\",
                  "close recordset", "close", "close"}));
    for (const DemoDatabase* database : {&d.company, &d.ours}) {
        EXPECT_EQ(d.f.files.file(database->own.data).content, "demo data of " + database->name);
        EXPECT_EQ(d.f.files.file(database->own.log).content, "demo log of " + database->name);
    }
    EXPECT_EQ(d.f.files.filesIn("E:\\Data"),
              (std::set<std::string>{"ACME.mdf", "ACME_log.ldf", "ACMESV.mdf", "ACMESV_log.ldf"}));
    EXPECT_TRUE(d.f.ui.messages.empty());
    EXPECT_EQ(d.f.ui.pointer, (std::vector<bool>{true, false}));
    EXPECT_EQ(d.f.log(), "");
    EXPECT_EQ(d.f.sql.connectionsOpen, 0);
}

TEST(DemoData, TakesEachHostsDataFolder) {
    struct Case {
        const char* what;
        HostSystem host;
        int dataSet;
        const char* folder;
        const char* baseName;
    };
    const Case cases[] = {
        {"CounterPoint SQL without a data set", HostSystem::CounterPointSql, -1, "CPointData\\8.3.1\\", ""},
        {"Great Plains by its version", HostSystem::GreatPlains, 0, "GPData\\10\\", ""},
        {"Passport, whose folder part ends in a separator", HostSystem::Passport, 0, "PBSData\\\\", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Demo d(c.host, c.folder, c.baseName);
        EXPECT_TRUE(d.install(c.dataSet));
        EXPECT_EQ(d.f.files.file(d.company.own.data).content, "demo data of ACME");
        EXPECT_EQ(d.f.files.file(d.ours.own.log).content, "demo log of ACMESV");
        const auto pointsHere = std::count(d.f.sql.events.begin(), d.f.sql.events.end(), "update SHARED_DIR=D:\\CPSQL\\");
        EXPECT_EQ(pointsHere, c.host == HostSystem::CounterPointSql ? 1 : 0);
    }
}

TEST(DemoData, StopsBeforeAnythingWhenCounterPointsVersionHasNoData) {
    struct Case {
        const char* what;
        const char* ini;  // nullptr: no counterpoint.ini
        const char* shown;
    };
    const Case cases[] = {
        {"five characters of a longer version, key in any case", "swversion=8.3.22.7\r\n", "8.3.2"},
        {"a short version", "X\rSWVERSION=8.4\r\nSWVERSION=9.9.9\r\n", "a\\8.4"},
        {"no version line: the last line read", "[CP]\r\nTOPLEVEL=C:\\CPSQL\r\n", ":\\CPS"},
        {"no file", nullptr, "\\Spa\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Demo d;
        d.f.files.deleteFile("D:\\CPSQL\\counterpoint.ini", true);
        if (c.ini) d.f.files.addFile("D:\\CPSQL\\counterpoint.ini", c.ini);
        EXPECT_FALSE(d.install());
        ASSERT_EQ(d.f.ui.messages.size(), 1u);
        EXPECT_EQ(d.f.ui.messages[0].text,
                  "This version of the data install utility does not contain data for your version of CP SQL.\r\n"
                  "Your CP SQL version is " + std::string(c.shown) + ".");
        EXPECT_EQ(d.f.ui.messages[0].style, kOkOnly + kCritical);
        EXPECT_EQ(d.f.ui.messages[0].title, kTitle);
        EXPECT_TRUE(d.f.sql.events.empty());
        EXPECT_EQ(d.f.ui.pointer, (std::vector<bool>{true, false}));
    }
}

TEST(DemoData, BringsTheCompanyDatabaseBackOnlineWhenItCannotBeDetached) {
    Demo d;
    const std::string inUse = "Cannot detach the database 'ACME' because it is currently in use.";
    d.f.sql.statementFailures["sp_detach_db \"ACME\""] = {3703, {inUse}};
    EXPECT_FALSE(d.install());
    ASSERT_EQ(d.f.ui.messages.size(), 1u);
    EXPECT_EQ(d.f.ui.messages[0].title, std::string(kTitle) + ", detach ACME");
    EXPECT_EQ(d.f.ui.messages[0].text, inUse + kInUseAdvice);
    EXPECT_EQ(d.f.ui.messages[0].style, kOkOnly + kCritical);
    EXPECT_EQ(d.f.log(), "sp_detach_db \"ACME\"\r\n    ----> " + inUse +
                             "\r\nalter database \"ACME\" set online\r\n"
                             "    ----> The database was brought back online after the failed detach.\r\n");
    EXPECT_EQ(d.f.sql.events[d.f.sql.events.size() - 2], "execute alter database \"ACME\" set online");
    EXPECT_EQ(d.f.sql.connectionsOpen, 0);
}

TEST(DemoData, QuotesNamesAndPathsThatHoldQuoteCharacters) {
    Demo d;
    d.f.state.strCompanyDB = "O'Neil \"Co\"";
    d.f.sql.tablesOn[{"COMPANY", kSysFiles}] = sysFiles({"E:\\O'Neil\\co.mdf", "E:\\O'Neil\\co.ldf"});
    d.f.files.addFile("E:\\O'Neil\\co.mdf", "x");
    d.f.files.addFile("E:\\O'Neil\\co.ldf", "x");
    EXPECT_TRUE(d.install());
    EXPECT_EQ(d.f.sql.events[11], "execute alter database \"O'Neil \"\"Co\"\"\" set offline with rollback immediate");
    EXPECT_EQ(d.f.sql.events[12], "execute sp_detach_db \"O'Neil \"\"Co\"\"\"");
    EXPECT_EQ(d.f.sql.events[13], "execute sp_attach_db 'O''Neil \"Co\"', 'E:\\O''Neil\\co.mdf', 'E:\\O''Neil\\co.ldf'");
}

// What became of each database on the server after a run: "online", "offline"
// or "detached", replayed from the statements that went through (all but the
// `failedExecute`th, 0 for none). `refusedAttach` gets the database whose attach
// was refused, if any.
std::map<std::string, std::string> replay(const std::vector<std::string>& events, int failedExecute,
                                          std::string* refusedAttach = nullptr) {
    std::map<std::string, std::string> state{{"ACME", "online"}, {"ACMESV", "online"}};
    int executes = 0;
    for (const std::string& event : events) {
        if (!event.starts_with("execute ")) continue;
        const bool refused = ++executes == failedExecute;
        for (const std::string name : {"ACME", "ACMESV"}) {
            const std::string quoted = "\"" + name + "\"";
            const bool attach = event.starts_with("execute sp_attach_db '" + name + "',");
            if (refused) {
                if (attach && refusedAttach) *refusedAttach = name;
                continue;
            }
            if (event == "execute alter database " + quoted + " set offline with rollback immediate")
                state[name] = "offline";
            if (event == "execute alter database " + quoted + " set online" || attach) state[name] = "online";
            if (event == "execute sp_detach_db " + quoted) state[name] = "detached";
        }
    }
    return state;
}

// Every file of both databases holds the database's own content or the data
// set's, whole; no copy is left beside them.
void expectNoFileLost(const Demo& d) {
    for (const DemoDatabase* database : {&d.company, &d.ours}) {
        for (auto file : {&DatabaseFilePair::data, &DatabaseFilePair::log}) {
            EXPECT_NE(d.holds(*database, file), "lost") << database->own.*file;
        }
    }
}

TEST(DemoData, NoDatabaseIsLostWhicheverStepIsRefused) {
    Demo counted;
    ASSERT_TRUE(counted.install());
    for (SqlOp op : {SqlOp::Open, SqlOp::Execute, SqlOp::OpenRecordSet}) {
        const int calls = counted.f.sql.faults().calls(op);
        for (int nth = 1; nth <= calls; ++nth) {
            SCOPED_TRACE("SQL operation " + std::to_string(static_cast<int>(op)) + ", call " + std::to_string(nth));
            Demo d;
            d.f.sql.faults().failNth(op, nth, {4242, {"Refused by the server."}});
            const bool sharedDirectoryStep = op != SqlOp::Execute && nth == calls;
            EXPECT_EQ(d.install(), sharedDirectoryStep);
            EXPECT_EQ(d.f.ui.messages.size(), sharedDirectoryStep ? 0u : 1u);
            EXPECT_EQ(d.f.log().find("    ----> Refused by the server.") != std::string::npos, !sharedDirectoryStep);
            std::string refusedAttach;
            for (const auto& [name, state] : replay(d.f.sql.events, op == SqlOp::Execute ? nth : 0, &refusedAttach))
                EXPECT_EQ(state, name == refusedAttach ? "detached" : "online") << name;
            expectNoFileLost(d);
            EXPECT_EQ(d.f.sql.connectionsOpen, 0);
        }
    }
    for (FileOp op : {FileOp::Copy, FileOp::Move, FileOp::FindFile, FileOp::OpenForReading}) {
        const int calls = counted.f.files.faults().calls(op);
        ASSERT_GT(calls, 0);
        for (int nth = 1; nth <= calls; ++nth) {
            SCOPED_TRACE("file operation " + std::to_string(static_cast<int>(op)) + ", call " + std::to_string(nth));
            Demo d;
            d.f.files.faults().failNth(op, nth, RunError(kErrDiskFull, "Disk full"));
            EXPECT_FALSE(d.install());
            EXPECT_EQ(d.f.ui.messages.size(), 1u);
            for (const auto& [name, state] : replay(d.f.sql.events, 0)) EXPECT_EQ(state, "online") << name;
            expectNoFileLost(d);
            for (const std::string& name : d.f.files.filesIn("E:\\Data"))
                EXPECT_FALSE(name.ends_with(".wrenfold-copy")) << name;
            if (op == FileOp::Copy) {
                EXPECT_NE(d.f.log().find("    ----> Disk full"), std::string::npos);
                EXPECT_EQ(d.holds(nth <= 2 ? d.company : d.ours, &DatabaseFilePair::data), "own") << "both or neither";
            }
        }
    }
}

TEST(DemoData, NoFileIsLostWhereverTheProgramEnds) {
    Demo counted;
    ASSERT_TRUE(counted.install());
    const int sqlCalls = counted.f.sql.faults().calls();
    const int fileCalls = counted.f.files.faults().calls();
    for (int nth = 1; nth <= sqlCalls + fileCalls; ++nth) {
        SCOPED_TRACE("program ends at call " + std::to_string(nth));
        Demo d;
        if (nth <= sqlCalls)
            d.f.sql.faults().endProcessAtAny(nth);
        else
            d.f.files.faults().endProcessAtAny(nth - sqlCalls);
        EXPECT_THROW(d.install(), ProcessEnded);
        expectNoFileLost(d);
    }
}

TEST(DemoData, EachCopyIsReportedOnItsTargetAndStoppingOneFailsIt) {
    Demo d;
    d.f.files.copyPiece = 5;
    std::vector<std::string> targets;  // in the order their reports came
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> lastReport;
    EXPECT_TRUE(d.install(0, [&](const std::string& target, std::uint64_t copied, std::uint64_t total) {
        if (targets.empty() || targets.back() != target) targets.push_back(target);
        lastReport[target] = {copied, total};
        return true;
    }));
    EXPECT_EQ(targets, (std::vector<std::string>{d.company.own.data, d.company.own.log, d.ours.own.data, d.ours.own.log}));
    for (const DemoDatabase* database : {&d.company, &d.ours}) {
        for (auto file : {&DatabaseFilePair::data, &DatabaseFilePair::log}) {
            const std::uint64_t size = d.f.files.file(database->demo.*file).content.size();
            EXPECT_EQ(lastReport[database->own.*file], std::make_pair(size, size)) << database->own.*file;
        }
    }

    Demo stopped;
    int asked = 0;
    EXPECT_FALSE(stopped.install(0, [&](const std::string&, std::uint64_t, std::uint64_t) {
        ++asked;
        return false;
    }));
    EXPECT_EQ(asked, 2) << "each database's first copy stops at its first report";
    for (const DemoDatabase* database : {&stopped.company, &stopped.ours}) {
        EXPECT_EQ(stopped.holds(*database, &DatabaseFilePair::data), "own");
        EXPECT_EQ(stopped.holds(*database, &DatabaseFilePair::log), "own");
    }
    EXPECT_EQ(stopped.f.files.filesIn("E:\\Data"),
              (std::set<std::string>{"ACME.mdf", "ACME_log.ldf", "ACMESV.mdf", "ACMESV_log.ldf"}));
    ASSERT_EQ(stopped.f.ui.messages.size(), 1u);
    EXPECT_EQ(stopped.f.ui.messages[0].text, "User interrupt occurred: \r\n" + stopped.company.demo.data +
                                                 "\r\n\r\nPlease make sure that the Wrenfold demo data directory exists");
    EXPECT_EQ(stopped.f.ui.messages[0].title, std::string(kTitle) + ", copy DemoSpa.mdf");
    for (const auto& [name, state] : replay(stopped.f.sql.events, 0)) EXPECT_EQ(state, "online") << name;
}

}  // namespace
}  // namespace wf
