#include <cstdlib>
#include <cstdio>
#include <fstream>

#include <gtest/gtest.h>

#include "installer/login/connection_strings.h"
#include "platform/odbc/odbc_connection.h"
#include "tests/integration/sql/standin_server.h"

namespace wf {
namespace {

// Data sources defined in an odbc.ini of the build tree, as the Passport build
// names its companies by data source alone. The test's environment points the
// driver manager at that file (ODBCINI); the test writes it.
struct OdbcDataSourceTest : ::testing::Test {
    void SetUp() override {
        ASSERT_NE(std::getenv("ODBCINI"), nullptr) << "the test runs with ODBCINI set";
        std::ofstream ini(WRENFOLD_SQL_ODBC_INI);
        ini << "[Payroll]\nDriver=FreeTDS\nServer=127.0.0.1\nPort=" << testing::sqlStandinPort()
            << "\nTDS_Version=7.4\nDatabase=ACME\n"
            << "[Closed]\nDriver=FreeTDS\nServer=127.0.0.1\nPort=1\nTDS_Version=7.4\n";
        ASSERT_TRUE(ini.flush()) << "cannot write " << WRENFOLD_SQL_ODBC_INI;
    }
    void TearDown() override { std::remove(WRENFOLD_SQL_ODBC_INI); }

    OdbcConnectionFactory factory;
};

TEST_F(OdbcDataSourceTest, ANameAloneReachesTheServerItDefines) {
    // A data source carries no login, so FreeTDS attempts an integrated login:
    // the server answers its pre-login, then the login fails on this machine
    // before it is sent. A closed port and an unknown name fail differently.
    EXPECT_EQ(TestConnectString(factory, "Payroll"), "Unable to connect to data source");
    EXPECT_EQ(TestConnectString(factory, "Closed"), "Unable to connect: Adaptive Server is unavailable or does not exist");
    EXPECT_EQ(TestConnectString(factory, "NoSuchSource"),
              "Data source name not found and no default driver specified");
}

}  // namespace
}  // namespace wf
