// The stand-in's configuration file and the cutting of batches into statements.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

#include "catalogue.h"
#include "configuration.h"
#include "sql/statement.h"

namespace {

using namespace wf::standin;

TEST(StandinConfigurationTest, BuildsTablesLoginsAndScriptedBehaviour) {
    Catalogue catalogue;
    ScriptedBehaviour script;
    applyConfiguration("# comment\r\n"
                       "login [app user] 'p''w'\n"
                       "\n"
                       "database \"My DB\"\n"
                       "table [my db].T (A, [B C])\n"
                       "row \"My DB\".t (N'x''y', NULL)  -- trailing comment\n"
                       "row \"My DB\".t (-5, 'z');\n"
                       "fail 'drop' (3701, 11, 'gone'), (5069, 16, 'failed')\n"
                       "fail once 'attach' (1813, 16, 'first only')\n"
                       "delay 'wait' 250\n",
                       catalogue, script);
    EXPECT_TRUE(catalogue.checkLogin("APP USER", "p'w"));
    EXPECT_FALSE(catalogue.checkLogin("app user", "P'W"));
    std::optional<TableSnapshot> table = catalogue.readTable("my db", "T");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->columns, (std::vector<std::string>{"A", "B C"}));
    ASSERT_EQ(table->rows.size(), 2u);
    EXPECT_EQ(table->rows[0].values, (std::vector<FieldValue>{"x'y", std::nullopt}));
    EXPECT_EQ(table->rows[1].values, (std::vector<FieldValue>{"-5", "z"}));
    ASSERT_NE(script.failureFor("DROP DATABASE x"), nullptr);
    EXPECT_EQ(script.failureFor("DROP DATABASE x")->errors.at(1).text, "failed");
    EXPECT_EQ(script.failureFor("create"), nullptr);
    std::atomic<int> failedOnce{0};
    std::vector<std::thread> sessions;
    for (int i = 0; i < 8; ++i) sessions.emplace_back([&] { failedOnce += script.failureFor("sp_ATTACH_db") != nullptr; });
    for (std::thread& session : sessions) session.join();
    EXPECT_EQ(failedOnce, 1) << "a failure once is spent by the first batch of any session";
    EXPECT_EQ(script.delayFor("WAITFOR"), std::chrono::milliseconds(250));
}

TEST(StandinConfigurationTest, FaultsNameTheirLine) {
    auto errorOf = [](const std::string& text) {
        Catalogue catalogue;
        ScriptedBehaviour script;
        try {
            applyConfiguration(text, catalogue, script);
        } catch (const ConfigurationError& error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(errorOf("database A\nbogus directive"), "line 2: unexpected 'bogus'");
    EXPECT_EQ(errorOf("table NOPE.T (A)"), "line 1: no database NOPE for table T");
    EXPECT_EQ(errorOf("database A\ntable A.T (X, Y)\nrow A.T (1)"), "line 3: row of T has 1 values for 2 columns");
    EXPECT_EQ(errorOf("database A\ntable A.T (X)\ntable A.t (Y)"), "line 3: table t defined twice");
    EXPECT_EQ(errorOf("login sa 'unclosed"), "line 1: unclosed quotation mark");
    EXPECT_EQ(errorOf("fail 'x' (1, 5, 'info only')"), "line 1: a scripted error needs a severity from 11 to 25");
    EXPECT_EQ(errorOf("delay 'x' 5 extra"), "line 1: unexpected 'extra'");
    EXPECT_EQ(errorOf("database D FILES '/nonexistent/d.mdf' '/nonexistent/d.ldf'"), "line 1: cannot write /nonexistent/d.mdf");
    std::string notData = ::testing::TempDir() + "standin-not-data.mdf";
    std::string log = ::testing::TempDir() + "standin-not-data.ldf";
    std::ofstream(notData) << "something else";
    EXPECT_EQ(errorOf("database D FILES '" + notData + "' '" + log + "'"), "line 1: cannot open " + log + " for database D");
    std::ofstream(log) << "-- sqlserver-standin log file\n";
    EXPECT_EQ(errorOf("database D FILES '" + notData + "' '" + log + "'"), "line 1: cannot open " + notData + " for database D");
    std::remove(notData.c_str());
    std::remove(log.c_str());
}

std::vector<std::string> firstWords(const std::string& batch) {
    std::vector<std::string> words;
    for (const Statement& statement : splitStatements(tokenize(batch))) words.push_back(statement.tokens.front().text);
    return words;
}

TEST(StandinStatementSplitTest, StartsStatementsWhereTheServerWould) {
    EXPECT_EQ(firstWords("use Master alter database \"X\" set offline with rollback immediate"),
              (std::vector<std::string>{"use", "alter"}));
    EXPECT_EQ(firstWords("set nocount on select * from T; raiserror('a',16,1) THROW 50000, 'b', 1"),
              (std::vector<std::string>{"set", "select", "raiserror", "THROW"}));
    EXPECT_EQ(firstWords("insert into T select * from U if exists (select 1) raiserror('x', 16, 1)"),
              (std::vector<std::string>{"insert", "if", "raiserror"}));
    EXPECT_EQ(firstWords("CREATE PROCEDURE p AS BEGIN SELECT 1; RAISERROR('in body', 16, 1) END"),
              (std::vector<std::string>{"CREATE"}));
    EXPECT_EQ(firstWords("-- only a comment"), std::vector<std::string>{});
}

}  // namespace
