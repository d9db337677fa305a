// dbprep.com started as a script starts it, its output in a file, on the sample
// CounterPoint SQL installation against the stand-in of these tests: what it
// prints, its exit code and the databases afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/odbc/odbc_connection.h"
#include "tests/integration/installer/standin_readback.h"
#include "tests/integration/sql/standin_server.h"
#include "tests/windows/support/host_paths.h"
#include "tests/windows/support/scratch_folder.h"
#include "tools/installer_sample/installer_sample.h"

namespace wf::testing {
namespace {

struct Finished {
    DWORD exitCode = 99;
    std::string output;
};

class CommandLineRun : public ::testing::Test {
protected:
    CommandLineRun() {
        SetEnvironmentVariableA("WRENFOLD_SQL_BROWSER", "127.0.0.1:1434");  // never a broadcast
        for (const char* database : {"master", "ACME", "ACMESV"})
            removeTree(windowsPath(WRENFOLD_SQL_STANDIN_RECORDS) + "\\" + database);
        EXPECT_TRUE(copyFileTo(windowsPath(WF_DBPREP_COM), installation.program + "\\dbprep.com"));
    }
    ~CommandLineRun() override { sample::removeInstallerSampleKeys(); }

    // Runs `program` in the installation's program folder with `arguments` and
    // waits for it; a program that waits for a user instead fails the test.
    Finished run(const std::string& arguments, const std::string& program = "dbprep.com") {
        const std::string outputPath = scratch.path() + "\\output.txt";
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(output, INVALID_HANDLE_VALUE);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
        std::string command = "\"" + installation.program + "\\" + program + "\" " + arguments;
        PROCESS_INFORMATION started{};
        Finished finished;
        const bool began = CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                          scratch.path().c_str(), &startup, &started);
        CloseHandle(output);
        EXPECT_TRUE(began) << command;
        if (!began) return finished;
        CloseHandle(started.hThread);
        if (WaitForSingleObject(started.hProcess, 60000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << command << " did not end by itself";
            TerminateProcess(started.hProcess, 99);
            WaitForSingleObject(started.hProcess, 5000);
        }
        GetExitCodeProcess(started.hProcess, &finished.exitCode);
        CloseHandle(started.hProcess);
        finished.output = readFileText(outputPath);
        return finished;
    }

    std::string connectionTo(const std::string& database) const {
        return "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=127.0.0.1," +
               std::to_string(sqlStandinPort()) + ";Initial Catalog=" + database + ";User ID=sa;Password=Secret1";
    }
    // The batches that may change something: reads left out.
    std::vector<std::string> recorded(const std::string& database) const {
        std::vector<std::string> batches = recordedBatches(windowsPath(WRENFOLD_SQL_STANDIN_RECORDS), database);
        std::erase_if(batches, [](const std::string& batch) { return startsWithUpper(batch, "SELECT"); });
        return batches;
    }

    ScratchFolder scratch{"command_line"};
    sample::InstallerSample installation =
        sample::layInstallerSample(scratch.path(), windowsPath(WF_DBPREP_EXE), sqlStandinPort());
};

TEST_F(CommandLineRun, ListsDefinesAndInstallsAsAScriptRunsIt) {
    const std::string listed =
        "Host system: CounterPoint SQL\r\nCompanies:\r\nACME\tAcme Ltd\r\nACMEDATA\tAcme Data Services\r\n"
        "WIDGET\tWidget Works\r\nCOAST\tCoastal Pools\r\nNEWCO\tNew Company\r\nDemonstration data sets:\r\n"
        "Pool and Spa\r\n";
    for (const char* program : {"dbprep.com", "dbprep.exe"}) {
        SCOPED_TRACE(program);
        const Finished list = run("/list", program);
        EXPECT_EQ(list.exitCode, 0u);
        EXPECT_EQ(list.output, listed);
    }
    EXPECT_EQ(run("/define").exitCode, 3u);

    const Finished kept = run("/define \"acme ltd\"");
    EXPECT_EQ(kept.exitCode, 1u);
    EXPECT_NE(kept.output.find("Do you want to overwrite the existing database?\r\nNo: /overwrite is not given.\r\n"),
              std::string::npos)
        << kept.output;
    const Finished defined = run("/define ACME /overwrite");
    EXPECT_EQ(defined.exitCode, 0u) << defined.output;
    EXPECT_TRUE(defined.output.ends_with("Wrenfold database successfully defined\r\n")) << defined.output;
    const std::vector<std::string> created = recorded("master");
    EXPECT_NE(std::find(created.begin(), created.end(), "CREATE DATABASE \"ACMESV\""), created.end());
    EXPECT_EQ(recorded("ACMESV").size(), 3u) << "the definition's three batches";

    const Finished unconfirmed = run("/demo ACME \"Pool and Spa\"");
    EXPECT_EQ(unconfirmed.exitCode, 1u);
    EXPECT_TRUE(unconfirmed.output.ends_with("No: /yes is not given.\r\n")) << unconfirmed.output;
    const Finished installed = run("/demo ACME \"pool and spa\" /yes");
    EXPECT_EQ(installed.exitCode, 0u) << installed.output;
    for (const char* copied : {"Copying ACME.mdf: 100%", "Copying ACMESV_log.ldf: 100%"})
        EXPECT_NE(installed.output.find(copied), std::string::npos) << copied;
    EXPECT_TRUE(installed.output.ends_with("Wrenfold demo data successfully installed\r\n")) << installed.output;
    OdbcConnectionFactory odbc;
    EXPECT_EQ(columnValues(odbc, connectionTo("ACMESV"), "SV_CUSTOMERS", "NAME"),
              (std::vector<std::string>{"Spa Dublin", "O'Brien Pools"}));
    EXPECT_EQ(columnValues(odbc, connectionTo("ACME"), "DB_CTL", "SHARED_DIR"),
              (std::vector<std::string>{installation.topLevel + "\\", "Demo register 2"}));
    EXPECT_NE(readFileText(installation.program + "\\ErrorLog.txt").find("*** Start DB Utility "), std::string::npos);
}

}  // namespace
}  // namespace wf::testing
