// FreeTDS's own command-line client against the stand-in: a client written
// elsewhere is the judge of the protocol.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

namespace fs = std::filesystem;
using wf::testing::StandinProcess;

class StandinTsqlClientTest : public ::testing::Test {
protected:
    void SetUp() override {
        scratch_ = fs::temp_directory_path() / ("standin-tsql-" + std::to_string(::getpid()));
        fs::create_directories(scratch_);
        std::ofstream(scratch_ / "freetds.conf") << "[global]\n\ttds version = 7.4\n";
        std::ofstream(scratch_ / "standin.conf") << "login sa 'Secret1'\n"
                                                    "database ACME\n"
                                                    "table ACME.DB_CTL (KEY_ID, SHARED_DIR)\n"
                                                    "row ACME.DB_CTL (1, 'C:\\CPSQL\\')\n"
                                                    "row ACME.DB_CTL (2, NULL)\n";
        server_.emplace(std::vector<std::string>{"--config", (scratch_ / "standin.conf").string()});
    }

    void TearDown() override {
        server_.reset();
        fs::remove_all(scratch_);
    }

    // Runs tsql with `script` on its input and returns everything it printed.
    std::string tsql(const std::string& password, const std::string& database, const std::string& script) {
        std::ofstream(scratch_ / "script.sql") << script << "\nexit\n";
        std::string command = "FREETDSCONF='" + (scratch_ / "freetds.conf").string() + "' timeout 20 tsql -H 127.0.0.1 -p " +
                              std::to_string(server_->port()) + " -U sa -P '" + password + "'" +
                              (database.empty() ? "" : " -D " + database) + " < '" + (scratch_ / "script.sql").string() +
                              "' 2>&1";
        std::string output;
        FILE* pipe = ::popen(command.c_str(), "r");
        char buffer[512];
        std::size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
        ::pclose(pipe);
        return output;
    }

    fs::path scratch_;
    std::optional<StandinProcess> server_;
};

TEST_F(StandinTsqlClientTest, LogsInAndSelectsRowsWithNulls) {
    std::string output = tsql("Secret1", "ACME", "select * from DB_CTL\ngo");
    EXPECT_NE(output.find("KEY_ID\tSHARED_DIR"), std::string::npos) << output;
    EXPECT_NE(output.find("1\tC:\\CPSQL\\"), std::string::npos) << output;
    EXPECT_NE(output.find("2\tNULL"), std::string::npos) << output;
    EXPECT_NE(output.find("(2 rows affected)"), std::string::npos) << output;
}

TEST_F(StandinTsqlClientTest, WhereClauseAndUseSwitchDatabases) {
    std::string output = tsql("Secret1", "", "use ACME\ngo\nselect SHARED_DIR from DB_CTL where KEY_ID = 1\ngo");
    EXPECT_NE(output.find("C:\\CPSQL\\"), std::string::npos) << output;
    EXPECT_NE(output.find("(1 row affected)"), std::string::npos) << output;
}

TEST_F(StandinTsqlClientTest, WrongPasswordIsAFailedLogin) {
    std::string output = tsql("wrong", "", "select * from DB_CTL\ngo");
    EXPECT_NE(output.find("Msg 18456 (severity 14, state 1)"), std::string::npos) << output;
    EXPECT_NE(output.find("Login failed for user 'sa'."), std::string::npos) << output;
    EXPECT_EQ(output.find("KEY_ID"), std::string::npos) << output;
}

TEST_F(StandinTsqlClientTest, MissingInitialDatabaseFailsTheLogin) {
    std::string output = tsql("Secret1", "NOSUCH", "select 1\ngo");
    EXPECT_NE(output.find("Msg 4060"), std::string::npos) << output;
    EXPECT_NE(output.find("Cannot open database \"NOSUCH\" requested by the login. The login failed."), std::string::npos)
        << output;
    EXPECT_NE(output.find("Msg 18456"), std::string::npos) << output;
}

}  // namespace
