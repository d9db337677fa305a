#include "common/sql/connection_string_syntax.h"

#include <gtest/gtest.h>

#include "common/sql/sql_connection.h"

namespace wf {
namespace {

TEST(ConnectionStringValue, LeavesOrdinaryValuesByteForByte) {
    for (std::string value : {"", "sa", " pass word ", "a=b", "it's", "x\"y", "{braced}"})
        EXPECT_EQ(connectionStringValue(value), value) << value;
}

TEST(ConnectionStringValue, QuotesSemicolonsAndLeadingQuotes) {
    EXPECT_EQ(connectionStringValue("pa;ss"), "\"pa;ss\"");
    EXPECT_EQ(connectionStringValue("\"quoted\""), "\"\"\"quoted\"\"\"");
    EXPECT_EQ(connectionStringValue("'single"), "\"'single\"");
    EXPECT_EQ(connectionStringValue("a;\"b"), "\"a;\"\"b\"");
}

TEST(ParseConnectionString, ReadsComposedValuesBackIntact) {
    const std::vector<std::string> values = {"",          "plain", "pa;ss",  "\"",    "\"\"", "'",
                                             "x;\"y\";z", " lead", "trail ", "a=b=c", ";",    "it's"};
    for (const std::string& value : values) {
        std::string text = "Provider=SQLOLEDB.1;Password=" + connectionStringValue(value) + ";User ID=sa";
        auto items = parseConnectionString(text);
        ASSERT_EQ(items.size(), 3u) << text;
        EXPECT_EQ(items[1].keyword, "Password");
        EXPECT_EQ(items[1].value, value) << text;
        EXPECT_EQ(items[2].value, "sa") << text;
    }
}

TEST(ParseConnectionString, KeepsOrderAndSkipsEmptyItems) {
    auto items = parseConnectionString(";; Data Source =SQL1;;Initial Catalog=ACME;");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].keyword, "Data Source");
    EXPECT_EQ(items[0].value, "SQL1");
    EXPECT_EQ(items[1].value, "ACME");
}

TEST(ParseConnectionString, AnInjectedKeywordStaysInsideTheQuotedValue) {
    std::string text = "Data Source=SQL1;Password=" + connectionStringValue("x;Initial Catalog=master");
    auto items = parseConnectionString(text);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_FALSE(connectionStringItem(items, "Initial Catalog"));
    EXPECT_EQ(*connectionStringItem(items, "password"), "x;Initial Catalog=master");
}

TEST(ParseConnectionString, RejectsMalformedStrings) {
    for (std::string text : {"Password=\"open", "Data Source=SQL1;garbage", "Password=\"a\"b;User ID=sa"}) {
        try {
            parseConnectionString(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const RunError& failure) {
            EXPECT_EQ(failure.number(), kErrSqlProviderFailure);
            EXPECT_NE(failure.description().find("not valid"), std::string::npos);
        }
    }
}

TEST(WithPasswordsHidden, HidesEveryPasswordItemAndItsAbsenceAlike) {
    const std::pair<std::string, std::string> cases[] = {
        {"Data Source=S;Password=secret;User ID=sa", "Data Source=S;Password=********;User ID=sa"},
        {"Password=", "Password=********"},
        {"x;pwd = 1;PassWord=2", "x;pwd =********;PassWord=********"},
        {"Password=\"a;b\"\"c\";User ID=sa", "Password=********;User ID=sa"},
        {"PWD='open;still open", "PWD=********"},
        {"Line 2 is no company (id=name): \"Password=x\"; it was left out.",
         "Line 2 is no company (id=name): \"Password=********; it was left out."},
        {"OldPassword=kept;PWDS=kept;no password here", "OldPassword=kept;PWDS=kept;no password here"},
    };
    for (const auto& [line, shown] : cases) EXPECT_EQ(withPasswordsHidden(line), shown) << line;
}

TEST(ConnectionStringItem, MatchesKeywordsCaseInsensitivelyAndTheLastOneWins) {
    auto items = parseConnectionString("USER ID=first;user id=second");
    EXPECT_EQ(*connectionStringItem(items, "User ID"), "second");
    EXPECT_FALSE(connectionStringItem(items, "Password"));
}

}  // namespace
}  // namespace wf
