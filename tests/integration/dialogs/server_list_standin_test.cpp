#include <gtest/gtest.h>

#include <cstdlib>

#include "installer/dialogs/server_list.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace wf {
namespace {

// The server list asking the stand-in's SQL Browser on its loopback port.
class ServerListStandinTest : public ::testing::Test {
protected:
    std::vector<std::string> listFrom(std::vector<std::string> extraArguments) {
        std::vector<std::string> arguments{"--browser-port", "0", "--server-name", "WRENHOST",
                                           "--instance", "MSSQLSERVER", "--instance", "SQLEXPRESS"};
        arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
        testing::StandinProcess standin(arguments);
        std::string target = "127.0.0.1:" + std::to_string(*standin.browserPort());
        ::setenv("WRENFOLD_SQL_BROWSER", target.c_str(), 1);
        ::setenv("WRENFOLD_SQL_BROWSER_TIMEOUTS", "1000,200,3000", 1);
        return GetServerList();
    }
    void TearDown() override {
        ::unsetenv("WRENFOLD_SQL_BROWSER");
        ::unsetenv("WRENFOLD_SQL_BROWSER_TIMEOUTS");
    }
};

TEST_F(ServerListStandinTest, ListsTheDefaultAndTheNamedInstance) {
    EXPECT_EQ(listFrom({}), (std::vector<std::string>{"WRENHOST", "WRENHOST\\SQLEXPRESS"}));
}

TEST_F(ServerListStandinTest, SkipsAMalformedDatagramBeforeTheAnswer) {
    EXPECT_EQ(listFrom({"--browser-extra-datagram", "05ff00414243"}),
              (std::vector<std::string>{"WRENHOST", "WRENHOST\\SQLEXPRESS"}));
}

TEST_F(ServerListStandinTest, ASilentBrowserGivesOneEmptyName) {
    EXPECT_EQ(listFrom({"--browser-silent"}), std::vector<std::string>{""});
}

}  // namespace
}  // namespace wf
