// The stand-in's command line and the ways it stops.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "options.h"
#include "tools/sqlserver_standin/testing/standin_process.h"

namespace {

using wf::standin::Options;
using wf::standin::parseOptions;
using wf::standin::UsageError;
using wf::testing::StandinProcess;

TEST(StandinOptionsTest, ReadsRepeatedOptionsAndDefaultsTheInstance) {
    Options options = parseOptions({"--port", "1433", "--login", "sa:p:w", "--login", "u:", "--browser-port", "0",
                                    "--browser-extra-datagram", "05ff", "--server-name", "DB1"});
    EXPECT_EQ(options.port, 1433);
    EXPECT_EQ(options.logins, (std::vector<std::pair<std::string, std::string>>{{"sa", "p:w"}, {"u", ""}}));
    EXPECT_EQ(options.browserPort, 0);
    EXPECT_EQ(options.browserExtraDatagrams, std::vector<std::string>{std::string("\x05\xFF", 2)});
    EXPECT_EQ(options.instances, std::vector<std::string>{"MSSQLSERVER"});
    EXPECT_EQ(options.serverName, "DB1");
}

TEST(StandinOptionsTest, RefusesWhatItCannotUse) {
    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--port", "65536"}, {"--port", "12x"}, {"--port"}, {"--login", "nopassword"}, {"--login", ":pw"},
             {"--browser-extra-datagram", "0"}, {"--browser-extra-datagram", "zz"}, {"--bogus"}}) {
        EXPECT_THROW(parseOptions(bad), UsageError) << bad[0];
    }
}

TEST(StandinStopTest, EndsWhenItsInputCloses) {
    std::string command = std::string(StandinProcess::programPath()) + " --exit-on-stdin-eof > /dev/null";
    FILE* input = ::popen(command.c_str(), "w");
    ASSERT_NE(input, nullptr);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(::pclose(input), 0);  // closes its input and waits for it
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(StandinStopTest, BadCommandLineOrConfigurationEndsWithStatusTwo) {
    std::string program = StandinProcess::programPath();
    EXPECT_EQ(WEXITSTATUS(std::system((program + " --port 1 --port 2 --bogus 2>/dev/null").c_str())), 2);
    EXPECT_EQ(WEXITSTATUS(std::system((program + " --config /nonexistent/standin.conf 2>/dev/null").c_str())), 2);
}

}  // namespace
