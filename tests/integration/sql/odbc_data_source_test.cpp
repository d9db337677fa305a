#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "installer/connection_test.h"
#include "installer/sql/odbc_connection.h"
#include "tests/integration/sql/standin_server.h"

namespace wf {
namespace {

// Data sources defined in an odbc.ini of a scratch folder, as the Passport build
// names its companies by data source alone.
struct OdbcDataSourceTest : ::testing::Test {
    OdbcDataSourceTest() {
        std::filesystem::create_directories(folder);
        std::ofstream ini(folder / "odbc.ini");
        ini << "[Payroll]\nDriver=FreeTDS\nServer=127.0.0.1\nPort=" << testing::sqlStandinPort()
            << "\nTDS_Version=7.4\nDatabase=ACME\n"
            << "[Closed]\nDriver=FreeTDS\nServer=127.0.0.1\nPort=1\nTDS_Version=7.4\n";
        setenv("ODBCINI", (folder / "odbc.ini").c_str(), 1);
    }
    ~OdbcDataSourceTest() override {
        unsetenv("ODBCINI");
        std::filesystem::remove_all(folder);
    }

    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("wf-sql-dsn-" + std::to_string(getpid()));
    OdbcConnectionFactory factory;
};

TEST_F(OdbcDataSourceTest, ANameAloneReachesTheServerItDefines) {
    // A data source carries no login: FreeTDS then tries an integrated login,
    // which the stand-in refuses after it has answered the connection.
    EXPECT_EQ(TestConnectString(factory, "Payroll"), "Unable to connect to data source");
    EXPECT_EQ(TestConnectString(factory, "Closed"), "Unable to connect: Adaptive Server is unavailable or does not exist");
    EXPECT_EQ(TestConnectString(factory, "NoSuchSource"),
              "Data source name not found and no default driver specified");
}

}  // namespace
}  // namespace wf
