// Installing demonstration data through ODBC where the prepared files are never
// reached: the server refuses the login or the detach, or the data set lacks a
// file. The user is told and no database is left out.
#include "installer/operations/demo_data.h"

#include <gtest/gtest.h>

#include "tests/integration/installer/standin_installation.h"

namespace wf::testing {
namespace {

constexpr const char* kVersionFolder = "C:\\Tools\\dbprep\\SQLdbgen\\demodata\\CPointData\\Spa\\8.3.1\\";
constexpr const char* kInUseAdvice =
    "\r\n\r\nPlease make sure that no one is currently using the accounting database or Wrenfold";

// A CounterPoint SQL 8.3.1 installation with the data set "Spa", on the computer
// that holds the stand-in's database files.
void prepareDataSet(StandinInstallation& s) {
    s.f.state.host.strHostPath = "D:\\CPSQL";
    s.f.state.host.strDataSetFolders[0] = "Spa";
    s.f.files.addFile("D:\\CPSQL\\counterpoint.ini", "[CP]\r\nSWVERSION=8.3.1\r\n");
    for (const char* file : {"DemoSpa.mdf", "DemoSpa.ldf", "..\\WFdata\\DemoSpaSV.mdf", "..\\WFdata\\DemoSpaSV.ldf"})
        s.f.files.addFile(kVersionFolder + std::string(file), "");
    for (const char* file : {"ACME.mdf", "ACME_log.ldf", "ACMESV.mdf", "ACMESV_log.ldf"})
        s.f.files.addFile(StandinInstallation::clientPath(s.scratch / "host" / file), "");
}

std::vector<std::string> companyRows(StandinInstallation& s) { return s.column("ACME", "DB_CTL", "SHARED_DIR"); }

TEST(DemoDataThroughStandin, RefusedLoginOrDetachStopsTheRunAndLeavesTheDatabasesOnline) {
    struct Case {
        const char* what;
        const char* directives;
        const char* server;
        const char* password;
        const char* caption;
        const char* description;
        std::vector<std::string> sent;
    };
    const Case cases[] = {
        {"wrong password", "", nullptr, "wrong", "Wrenfold Database Install, ", "Login failed for user 'sa'.", {}},
        {"no server", "", "127.0.0.1,1", "Secret1", "Wrenfold Database Install, ",
         "Unable to connect: Adaptive Server is unavailable or does not exist", {}},
        {"detach refused",
         "fail 'sp_detach_db \"ACME\"' (3703, 16, 'Cannot detach the database ''ACME'' because it is currently in use.')\n",
         nullptr, "Secret1", "Wrenfold Database Install, detach ACME",
         "Cannot detach the database 'ACME' because it is currently in use.",
         {"use Master", "alter database \"ACME\" set offline with rollback immediate", "sp_detach_db \"ACME\"",
          "alter database \"ACME\" set online"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandinInstallation s(companyDatabases, c.directives);
        prepareDataSet(s);
        if (c.server) s.f.state.login.strDBServer = c.server;
        s.f.state.login.strDBPassword = c.password;
        composeConnectionStrings(s.f.state, s.f.host);

        EXPECT_EQ(InstallDemoData(s.context, 0), DemoDataResult::Failed);
        ASSERT_EQ(s.f.ui.messages.size(), 1u);
        EXPECT_EQ(s.f.ui.messages[0].title, c.caption);
        EXPECT_EQ(s.f.ui.messages[0].text, c.description + std::string(kInUseAdvice));
        EXPECT_EQ(s.batchesOn("master"), c.sent);
        s.f.state.login.strDBServer = "127.0.0.1," + std::to_string(s.server->port());
        s.f.state.login.strDBPassword = "Secret1";
        EXPECT_EQ(companyRows(s), (std::vector<std::string>{"C:\\old\\", "C:\\other\\"}));
    }
}

// The data set lacks a file: the user is told before anything changes.
TEST(DemoDataThroughStandin, AMissingDataSetFileIsFoundBeforeAnythingChanges) {
    StandinInstallation s;
    prepareDataSet(s);
    s.f.files.deleteFile(kVersionFolder + std::string("DemoSpa.mdf"), true);

    EXPECT_EQ(InstallDemoData(s.context, 0), DemoDataResult::Refused);
    ASSERT_EQ(s.f.ui.messages.size(), 1u);
    EXPECT_EQ(s.f.ui.messages[0].text, "The demonstration data set lacks the file\r\n" + std::string(kVersionFolder) +
                                           "DemoSpa.mdf\r\n\r\nPlease make sure that the Wrenfold demo data directory exists"
                                           "\r\n\r\nNothing has been changed.");
    EXPECT_TRUE(s.batchesOn("master").empty());
    EXPECT_EQ(companyRows(s), (std::vector<std::string>{"C:\\old\\", "C:\\other\\"}));
    EXPECT_EQ(s.column("ACMESV", "SV_SETTINGS", "NAME"), std::vector<std::string>{"O'Brien"});
}

}  // namespace
}  // namespace wf::testing
