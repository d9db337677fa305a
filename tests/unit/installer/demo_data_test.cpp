// Installing demonstration data: the statements and copies of a run on each host
// system, what the user is told when a step fails, and that no database is lost
// whichever step fails or wherever the program ends.
#include "installer/operations/demo_data.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "common/text.h"
#include "tests/doubles/fault_harness.h"
#include "tests/unit/installer/installer_fixture.h"

namespace wf {
namespace {

using testing::Fault;
using testing::FaultMode;
using testing::FaultSchedule;
using testing::forEachFault;
using testing::InstallerFixture;
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
        f.state.host.strHostPath = "D:\\CPSQL";
        f.state.operation.strCompanyDB = "ACME";
        f.state.operation.strOurDB = "ACMESV";
        f.state.host.strDataSetFolders[0] = "Spa";
        f.state.host.strGPVersion = "10";
        f.state.connections.strNoCatConnectionString = "NOCAT";
        f.state.connections.strCompanyConnectionString = "COMPANY";
        f.state.connections.strOurConnectionString = "OURS";
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
        f.sql.databases = {{"ACME", {"online", "own of ACME"}}, {"ACMESV", {"online", "own of ACMESV"}}};
        f.sql.fileOwner = [this](const std::string& path) { return owner(path); };
    }

    bool install(int dataSet = 0, const InstallationWatch& watch = {}) {
        InstallerContext context = f.context();
        result = InstallDemoData(context, dataSet, watch);
        return installed = result == DemoDataResult::Installed;
    }

    // Whose pair a file belongs to ("own of ACME", "demo of ACMESV"); empty when
    // there is no such file, or only half of one.
    std::string owner(const std::string& path) const {
        if (!f.files.has(path)) return "";
        const std::string& content = f.files.file(path).content;
        for (const char* kind : {" data of ", " log of "}) {
            const std::size_t at = content.find(kind);
            if (at != std::string::npos) return content.substr(0, at) + " of " + content.substr(at + std::strlen(kind));
        }
        return "";
    }

    InstallerFixture f;
    DemoDatabase company;
    DemoDatabase ours;
    DemoDataResult result{};  // what the last install answered
    bool installed = false;
};

// After a run: each database online on a whole pair of `whose` files, "own" or
// "demo", its files under their own names holding that pair, nothing else left
// beside them; with `ownMayStayAside`, but for own files set aside whole.
void expectCompanyLeftOn(const Demo& d, const std::string& whose, bool ownMayStayAside = false) {
    std::set<std::string> left{"ACME.mdf", "ACME_log.ldf", "ACMESV.mdf", "ACMESV_log.ldf"};
    for (const DemoDatabase* database : {&d.company, &d.ours}) {
        const std::string pair = whose + " of " + database->name;
        EXPECT_EQ(d.f.sql.databases.at(database->name).state, "online") << database->name;
        EXPECT_EQ(d.f.sql.databases.at(database->name).files, pair) << database->name;
        EXPECT_EQ(d.owner(database->own.data), pair);
        EXPECT_EQ(d.owner(database->own.log), pair);
        for (const std::string* file : {&database->own.data, &database->own.log}) {
            if (!ownMayStayAside || !d.f.files.has(setAsidePath(*file))) continue;
            EXPECT_EQ(d.owner(setAsidePath(*file)), "own of " + database->name) << *file;
            left.insert(setAsidePath(file->substr(file->rfind('\\') + 1)));
        }
    }
    EXPECT_EQ(d.f.files.filesIn("E:\\Data"), left);
}

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
    expectCompanyLeftOn(d, "demo");
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
    d.f.state.operation.strCompanyDB = "O'Neil \"Co\"";
    d.f.sql.tablesOn[{"COMPANY", kSysFiles}] = sysFiles({"E:\\O'Neil\\co.mdf", "E:\\O'Neil\\co.ldf"});
    d.f.files.addFile("E:\\O'Neil\\co.mdf", "x");
    d.f.files.addFile("E:\\O'Neil\\co.ldf", "x");
    EXPECT_TRUE(d.install());
    EXPECT_EQ(d.f.sql.events[11], "execute alter database \"O'Neil \"\"Co\"\"\" set offline with rollback immediate");
    EXPECT_EQ(d.f.sql.events[12], "execute sp_detach_db \"O'Neil \"\"Co\"\"\"");
    EXPECT_EQ(d.f.sql.events[13], "execute sp_attach_db 'O''Neil \"Co\"', 'E:\\O''Neil\\co.mdf', 'E:\\O''Neil\\co.ldf'");
}

// Wherever the process ended: until both databases run on the data set's files,
// each of a database's own files is whole, under its own name or set aside; its own
// names never hold one file of each pair.
void expectOwnPairRecoverable(const Demo& d) {
    const auto onDemo = [&](const DemoDatabase* database) {
        return d.f.sql.databases.at(database->name).files == "demo of " + database->name;
    };
    const bool installed = onDemo(&d.company) && onDemo(&d.ours);
    for (const DemoDatabase* database : {&d.company, &d.ours}) {
        const std::string own = (installed ? "demo of " : "own of ") + database->name;
        const std::string data = d.owner(database->own.data);
        const std::string log = d.owner(database->own.log);
        EXPECT_TRUE(data.empty() || log.empty() || data == log) << database->name << ": " << data << " with " << log;
        for (const std::string* file : {&database->own.data, &database->own.log})
            EXPECT_TRUE(d.owner(*file) == own || d.owner(setAsidePath(*file)) == own) << *file;
    }
}

// A stop asked before each step that changes a database, or during a copy: both
// databases are back online on their own files, and the user is not told.
TEST(DemoData, AStoppedInstallationLeavesTheCompanyAsItWas) {
    Demo counted;
    int stopQuestions = 0;
    ASSERT_TRUE(counted.install(0, {{}, [&] { return ++stopQuestions < 0; }, {}}));
    std::vector<std::pair<std::string, InstallationWatch>> stops;
    for (int nth = 1; nth <= stopQuestions; ++nth) {
        auto asked = std::make_shared<int>(0);
        stops.push_back({"stopped at question " + std::to_string(nth), {{}, [=] { return ++*asked == nth; }, {}}});
    }
    stops.push_back({"a copy stopped", {[](const std::string&, std::uint64_t, std::uint64_t) { return false; }, {}, {}}});
    for (const auto& [what, watch] : stops) {
        SCOPED_TRACE(what);
        Demo d;
        EXPECT_FALSE(d.install(0, watch));
        EXPECT_TRUE(d.f.ui.messages.empty());
        expectCompanyLeftOn(d, "own");
        EXPECT_EQ(d.f.sql.connectionsOpen, 0);
        EXPECT_EQ(d.f.ui.pointer.back(), false);
    }
}

TEST(DemoData, ADatabaseThatCannotBeAttachedAgainIsNamedWithItsFiles) {
    Demo d;
    d.f.sql.refusedPairs = {"demo of ACMESV", "own of ACMESV"};
    EXPECT_FALSE(d.install());
    ASSERT_EQ(d.f.ui.messages.size(), 2u);
    EXPECT_EQ(d.f.ui.messages[0].title, std::string(kTitle) + ", attach ACMESV");
    const std::string stranded = "The database ACMESV could not be attached again and is detached. Its own files are:\r\n"
                                 "E:\\Data\\ACMESV.mdf\r\nE:\\Data\\ACMESV_log.ldf";
    EXPECT_EQ(d.f.ui.messages[1].text, stranded);
    EXPECT_EQ(d.f.ui.messages[1].style, kOkOnly + kCritical);
    EXPECT_NE(d.f.log().find("put back ACMESV\r\n    ----> " + replaceAll(stranded, "\r\n", " ")), std::string::npos);
    EXPECT_EQ(d.f.sql.databases.at("ACMESV").state, "detached");
    EXPECT_EQ(d.f.sql.databases.at("ACME").files, "own of ACME") << "the company database is put back all the same";
    expectOwnPairRecoverable(d);
}

// Each call of the server and of the files in turn failing once or from then on, or
// the program ending there, also when the server refuses a data set and the
// databases are put back: no file is lost. One failure alone leaves the company as
// it was, the user told; one past the exchange, which is only noted, leaves the
// data set installed.
TEST(DemoData, NoFileIsLostWhicheverCallFailsOrWhereverTheProgramEnds) {
    for (const std::string refused : {"", "demo of ACME", "demo of ACMESV"}) {
        SCOPED_TRACE(refused.empty() ? "the server attaches every pair" : "the server refuses the " + refused);
        forEachFault<Demo>(
            [&](Demo& d, FaultSchedule& schedule) {
                if (!refused.empty()) d.f.sql.refusedPairs = {refused};
                d.f.attachFaults(schedule);
            },
            [](Demo& d) { d.install(); },
            [&](const Demo& d, const Fault& fault) {
                expectOwnPairRecoverable(d);
                if (fault.ended) return;
                EXPECT_EQ(d.f.sql.connectionsOpen, 0);
                EXPECT_EQ(d.f.ui.pointer.back(), false);
                // Past the last statement both databases run on the data set; a file's
                // size unread only keeps the bar still.
                const bool sizeUnread = fault.mode == FaultMode::Once &&
                                        std::string_view(fault.cleanRun[fault.call - 1]) == "FileOp::Size";
                const bool pastExchange = fault.mode == FaultMode::None || sizeUnread ||
                                          fault.call > fault.lastCallOf("SqlOp::Execute");
                const bool oneFailure = refused.empty() ? fault.mode == FaultMode::Once : fault.mode == FaultMode::None;
                EXPECT_EQ(d.installed, refused.empty() && pastExchange);
                if (d.installed) {
                    EXPECT_TRUE(d.f.ui.messages.empty());
                    expectCompanyLeftOn(d, "demo", true);
                } else if (oneFailure) {
                    if (d.result == DemoDataResult::Refused) {
                        for (const std::string& event : d.f.sql.events)
                            EXPECT_FALSE(event.starts_with("execute")) << "a refusal changes nothing: " << event;
                    }
                    EXPECT_EQ(d.f.ui.messages.size(), 1u) << "one failure, one message";
                    expectCompanyLeftOn(d, "own");
                } else {
                    EXPECT_FALSE(d.f.ui.messages.empty());
                }
            });
    }
}

TEST(DemoData, RefusesBeforeAnyChangeWhatCannotBeExchanged) {
    struct Case {
        const char* what;
        std::function<void(Demo&)> arrange;
        std::string told;
    };
    const std::string thisComputer =
        "Demonstration data can only be installed on the SQL Server computer itself: run dbprep there.";
    const Case cases[] = {
        {"a data set's file missing", [](Demo& d) { d.f.files.deleteFile(d.ours.demo.log, true); },
         "The demonstration data set lacks the file\r\n" + std::string(kDemo) +
             "CPointData\\Spa\\8.3.1\\..\\WFdata\\DemoSpaSV.ldf\r\n\r\n"
             "Please make sure that the Wrenfold demo data directory exists"},
        {"no log file named", [](Demo& d) { d.f.sql.tablesOn[{"OURS", kSysFiles}].rows.resize(1); },
         "SQL Server names no log file for the database ACMESV."},
        {"a share", [](Demo& d) { d.f.sql.tablesOn[{"COMPANY", kSysFiles}].rows[0][2] = "\\\\srv\\data\\ACME.mdf"; },
         "The data file of the database ACME, \\\\srv\\data\\ACME.mdf, is not on a local drive of the SQL Server computer."},
        {"a device path", [](Demo& d) { d.f.sql.tablesOn[{"COMPANY", kSysFiles}].rows[1][2] = "\\\\?\\E:\\Data\\ACME_log.ldf"; },
         "The log file of the database ACME, \\\\?\\E:\\Data\\ACME_log.ldf, is not on a local drive of the SQL Server computer."},
        {"a parent folder", [](Demo& d) { d.f.sql.tablesOn[{"OURS", kSysFiles}].rows[0][2] = "E:\\Data\\..\\Data\\ACMESV.mdf"; },
         "The data file of the database ACMESV, E:\\Data\\..\\Data\\ACMESV.mdf, is not on a local drive of the SQL Server computer."},
        {"one file named twice, in another case", [](Demo& d) { d.f.sql.tablesOn[{"OURS", kSysFiles}].rows[1][2] = "e:\\data\\acme_LOG.ldf"; },
         "The file e:\\data\\acme_LOG.ldf is named for two database files."},
        {"run on another computer", [](Demo& d) { d.f.files.deleteFile(d.company.own.data, true); },
         "The data file of the database ACME, E:\\Data\\ACME.mdf, is not on this computer.\r\n\r\n" + thisComputer},
        {"an unfinished installation's file", [](Demo& d) { d.f.files.addFile(setAsidePath(d.ours.own.log), "own log of ACMESV"); },
         "The file E:\\Data\\ACMESV_log.ldf.wrenfold-own is left from an installation that did not finish and may hold "
         "the database's own data.\r\n\r\nMove it elsewhere before installing demonstration data."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Demo d;
        c.arrange(d);
        d.install();
        EXPECT_EQ(d.result, DemoDataResult::Refused);
        ASSERT_EQ(d.f.ui.messages.size(), 1u);
        EXPECT_EQ(d.f.ui.messages[0].text, c.told + "\r\n\r\nNothing has been changed.");
        EXPECT_EQ(d.f.ui.messages[0].title, std::string(kTitle) + ", check files");
        for (const std::string& event : d.f.sql.events) EXPECT_FALSE(event.starts_with("execute")) << event;
    }
}

TEST(DemoData, EachCopyIsReportedOnItsTarget) {
    Demo d;
    d.f.files.copyPiece = 5;
    std::vector<std::string> targets;  // in the order their reports came
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> lastReport;
    InstallationWatch watch;
    watch.progress = [&](const std::string& target, std::uint64_t copied, std::uint64_t total) {
        if (targets.empty() || targets.back() != target) targets.push_back(target);
        lastReport[target] = {copied, total};
        return true;
    };
    EXPECT_TRUE(d.install(0, watch));
    EXPECT_EQ(targets, (std::vector<std::string>{d.company.own.data, d.company.own.log, d.ours.own.data, d.ours.own.log}));
    for (const DemoDatabase* database : {&d.company, &d.ours}) {
        for (auto file : {&DatabaseFilePair::data, &DatabaseFilePair::log}) {
            const std::uint64_t size = d.f.files.file(database->demo.*file).content.size();
            EXPECT_EQ(lastReport[database->own.*file], std::make_pair(size, size)) << database->own.*file;
        }
    }
}

}  // namespace
}  // namespace wf
