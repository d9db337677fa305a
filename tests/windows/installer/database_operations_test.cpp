// The database operations in-process through the 32-bit ODBC path: the real
// files of a scratch program folder, the real ODBC driver manager reaching the
// native stand-in, whose databases live on files the program copies over.
#include <windows.h>

#include <gtest/gtest.h>

#include "installer/login/connection_strings.h"
#include "installer/operations/database_file_exchange.h"
#include "installer/operations/demo_data.h"
#include "installer/operations/empty_database.h"
#include "platform/odbc/odbc_connection.h"
#include "platform/win32/win32_file_system.h"
#include "tests/doubles/fake_process_services.h"
#include "tests/doubles/fixed_clock.h"
#include "tests/doubles/memory_registry.h"
#include "tests/doubles/scripted_installer_dialogs.h"
#include "tests/doubles/scripted_user_interface.h"
#include "tests/integration/installer/standin_readback.h"
#include "tests/integration/sql/standin_server.h"
#include "tests/windows/support/host_paths.h"
#include "tests/windows/support/scratch_folder.h"

namespace wf::testing {
namespace {

constexpr const char* kDataHeader = "-- sqlserver-standin data file\n";
constexpr const char* kLogFile = "-- sqlserver-standin log file\n";

std::vector<std::string> recordedOn(const std::string& database) {
    return recordedBatches(windowsPath(WRENFOLD_SQL_STANDIN_RECORDS), database);
}

class DatabaseOperations : public ::testing::Test {
protected:
    DatabaseOperations() {
        SetEnvironmentVariableA("WRENFOLD_SQL_BROWSER", "127.0.0.1:1434");
        process.folder = scratch.folder("dbprep");
        state.host.strHostPath = scratch.folder("CPSQL");
        state.login.strDBServer = "127.0.0.1," + std::to_string(sqlStandinPort());
        state.login.strDBUser = "sa";
        state.login.strDBPassword = "Secret1";
        state.login.strCPIntegratedSecurity = "False";
        state.operation.strCompanyDB = "ACME";
        state.operation.strOurDB = "ACMESV";
        composeConnectionStrings(state, HostSystem::CounterPointSql);
        // Only this test's batches are read back.
        for (const char* database : {"master", "ACMESV"}) removeTree(windowsPath(WRENFOLD_SQL_STANDIN_RECORDS) + "\\" + database);
    }

    ScratchFolder scratch{"database_operations"};
    InstallerState state;
    win32::Win32FileSystem files;
    FakeProcessServices process;
    FixedClock clock;
    ScriptedUserInterface ui;
    ScriptedInstallerDialogs dialogs;
    OdbcConnectionFactory odbc;
    MemoryRegistry registry;
    InstallerContext context{state, HostSystem::CounterPointSql, files, process, clock, ui, dialogs, odbc, registry};
};

TEST_F(DatabaseOperations, DefinesTheWrenfoldDatabaseFromTheScript) {
    scratch.folder("dbprep\\SQLdbgen");
    writeFileText(process.folder + "\\SQLdbgen\\mkWFdb.sql",
                  "CREATE TABLE [dbo].[SV_CUSTOMERS] (\r\n[ID] int NOT NULL\r\n)\r\nGO\r\n"
                  "CREATE PROCEDURE [dbo].[SV_FIND] @ID int AS\r\n SELECT * FROM SV_CUSTOMERS WHERE ID = @ID\r\ngo\r\n");

    EXPECT_TRUE(CreateEmptyDatabase(context));
    EXPECT_EQ(recordedOn("master"),
              (std::vector<std::string>{"use Master", "alter database \"ACMESV\" set offline with rollback immediate",
                                        "alter database \"ACMESV\" set online", "DROP DATABASE \"ACMESV\"",
                                        "CREATE DATABASE \"ACMESV\""}));
    EXPECT_EQ(recordedOn("ACMESV"),
              (std::vector<std::string>{"CREATE TABLE [dbo].[SV_CUSTOMERS] ([ID] int NOT NULL)",
                                        "CREATE PROCEDURE [dbo].[SV_FIND] @ID int AS SELECT * FROM SV_CUSTOMERS WHERE ID = @ID"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DatabaseOperations, InstallsADemonstrationDataSetOverBothDatabasesFiles) {
    writeFileText(state.host.strHostPath + "\\counterpoint.ini", "[CounterPoint]\r\nSWVERSION=8.3.1\r\n");
    const std::string version = scratch.folder("dbprep\\SQLdbgen\\demodata\\CPointData\\Spa\\8.3.1");
    const std::string wrenfold = scratch.folder("dbprep\\SQLdbgen\\demodata\\CPointData\\Spa\\WFdata");
    writeFileText(version + "\\DemoSpa.mdf", std::string(kDataHeader) +
                                                 "table [DB_CTL] ([KEY_ID], [SHARED_DIR]);\n"
                                                 "row [DB_CTL] (N'1', N'C:\\DemoMachine\\');\n"
                                                 "row [DB_CTL] (N'2', N'demo second');\n");
    writeFileText(version + "\\DemoSpa.ldf", kLogFile);
    writeFileText(wrenfold + "\\DemoSpaSV.mdf", std::string(kDataHeader) +
                                                    "table [SV_CUSTOMERS] ([NAME]);\n"
                                                    "row [SV_CUSTOMERS] (N'Spa Dublin');\n"
                                                    "row [SV_CUSTOMERS] (N'O''Brien Spa');\n");
    writeFileText(wrenfold + "\\DemoSpaSV.ldf", kLogFile);
    state.host.strDataSetFolders[0] = "Spa";

    EXPECT_EQ(InstallDemoData(context, 0), DemoDataResult::Installed);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    const std::vector<std::string> sent = recordedOn("master");
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(std::vector<std::string>(sent.begin(), sent.begin() + 3),
              (std::vector<std::string>{"use Master", "alter database \"ACME\" set offline with rollback immediate",
                                        "sp_detach_db \"ACME\""}));
    EXPECT_TRUE(sent[3].starts_with("sp_attach_db 'ACME', 'Z:\\")) << sent[3];
    EXPECT_TRUE(sent[6].starts_with("sp_attach_db 'ACMESV', 'Z:\\")) << sent[6];
    EXPECT_EQ(columnValues(odbc, state.connections.strCompanyConnectionString, "DB_CTL", "SHARED_DIR"),
              (std::vector<std::string>{state.host.strHostPath + "\\", "demo second"}));
    EXPECT_EQ(columnValues(odbc, state.connections.strOurConnectionString, "SV_CUSTOMERS", "NAME"),
              (std::vector<std::string>{"Spa Dublin", "O'Brien Spa"}));
    const std::string data = windowsPath(WRENFOLD_STANDIN_DATA);
    for (const char* file : {"ACME.mdf", "ACME_log.ldf", "ACMESV.mdf", "ACMESV_log.ldf"}) {
        EXPECT_FALSE(files.fileExists(pendingCopyPath(data + "\\" + file))) << file;
        EXPECT_FALSE(files.fileExists(setAsidePath(data + "\\" + file))) << file;
    }
}

}  // namespace
}  // namespace wf::testing
