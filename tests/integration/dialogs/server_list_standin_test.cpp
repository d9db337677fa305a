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

// An answer listing INTRUDER, from another port than the one asked.
const char kForeignAnswer[] =
    "052e005365727665724e616d653b494e5452554445523b496e7374616e63654e616d653b4d5353514c5345525645523b3b";

TEST_F(ServerListStandinTest, SkipsMalformedAndForeignDatagramsBeforeTheAnswer) {
    for (const std::vector<std::string>& extra : std::vector<std::vector<std::string>>{
             {"--browser-extra-datagram", "05ff00414243"},
             {"--browser-extra-datagram", kForeignAnswer, "--browser-extra-from-other-port"}}) {
        EXPECT_EQ(listFrom(extra), (std::vector<std::string>{"WRENHOST", "WRENHOST\\SQLEXPRESS"})) << extra[1];
    }
}

TEST_F(ServerListStandinTest, ASilentBrowserGivesOneEmptyName) {
    EXPECT_EQ(listFrom({"--browser-silent"}), std::vector<std::string>{""});
}

}  // namespace
}  // namespace wf
