#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/odbc/odbc_connection.h"
#include "platform/odbc/odbc_driver_choice.h"
#include "tests/integration/sql/sql_test_support.h"

namespace wf {
namespace {

std::string openFailure(const std::string& connectionString) {
    OdbcConnectionFactory factory;
    auto connection = factory.createConnection();
    try {
        connection->open(connectionString);
    } catch (const RunError& failure) {
        return failure.description();
    }
    return {};
}

TEST(OdbcDriver, TheEnvironmentSettingNamesTheDriver) {
    setenv(kOdbcDriverVariable, "FreeTDS", 1);
    EXPECT_EQ(openFailure(testing::standinConnectionString("sa", "Secret1")), "");
    setenv(kOdbcDriverVariable, "NoSuchDriver", 1);
    EXPECT_NE(openFailure(testing::standinConnectionString("sa", "Secret1")).find("NoSuchDriver"), std::string::npos);
    unsetenv(kOdbcDriverVariable);
}

TEST(OdbcDriver, AMachineWithoutSqlServerDriverFailsAtOpen) {
    // The driver manager keeps the place of its driver list for the life of the
    // process: the test runs in a process of its own.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("wf-sql-drivers-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "odbcinst.ini") << "[PostgreSQL Unicode]\nDriver=psqlodbcw.so\n";
    EXPECT_EXIT(
        {
            setenv("ODBCSYSINI", folder.c_str(), 1);
            unsetenv(kOdbcDriverVariable);
            std::string failure = openFailure("Data Source=127.0.0.1,1;User ID=sa;Password=x");
            std::fprintf(stderr, "%s", failure.c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "^No ODBC driver for SQL Server is installed\\.$");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace wf
