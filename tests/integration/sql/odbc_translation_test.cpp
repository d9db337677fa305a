#include <gtest/gtest.h>

#include "common/sql/sql_connection.h"
#include "platform/odbc/odbc_connect_string.h"
#include "platform/odbc/odbc_diagnostics.h"
#include "platform/odbc/odbc_driver_choice.h"

namespace wf {
namespace {

const std::string kClassic =
    "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
    "Initial Catalog=ACMESV;User ID=sa;Password=secret";

TEST(OdbcConnectString, TranslatesTheClassicItemsForFreeTds) {
    EXPECT_EQ(odbcConnectString(kClassic, "FreeTDS"),
              "DRIVER={FreeTDS};SERVER=SQL1;DATABASE=ACMESV;UID=sa;PWD=secret;ClientCharset=CP1252;TDS_Version=7.4");
}

TEST(OdbcConnectString, SplitsPortAndMapsLocalAliasesForFreeTds) {
    EXPECT_EQ(odbcConnectString("Data Source=127.0.0.1,14330", "FreeTDS"),
              "DRIVER={FreeTDS};SERVER=127.0.0.1;PORT=14330;ClientCharset=CP1252;TDS_Version=7.4");
    EXPECT_EQ(odbcConnectString("Data Source=(local)\\SQLEXPRESS", "FreeTDS"),
              "DRIVER={FreeTDS};SERVER=127.0.0.1\\SQLEXPRESS;ClientCharset=CP1252;TDS_Version=7.4");
    EXPECT_EQ(odbcConnectString("Data Source=.", "FreeTDS"), "DRIVER={FreeTDS};SERVER=127.0.0.1;ClientCharset=CP1252;TDS_Version=7.4");
}

TEST(OdbcConnectString, LeavesTheServerToMicrosoftDriversAndKeepsTheLoginUnencrypted) {
    EXPECT_EQ(odbcConnectString("Data Source=(local),1433;User ID=sa;Password=", "ODBC Driver 18 for SQL Server"),
              "DRIVER={ODBC Driver 18 for SQL Server};SERVER=(local),1433;UID=sa;PWD=;Encrypt=no");
    EXPECT_EQ(odbcConnectString("Data Source=HOST\\INST", "SQL Server"), "DRIVER={SQL Server};SERVER=HOST\\INST");
}

TEST(OdbcConnectString, IntegratedSecurityMeansATrustedConnectionWithoutLogin) {
    for (std::string value : {"SSPI", "true", "Yes"})
        EXPECT_EQ(odbcConnectString("Integrated Security=" + value + ";Data Source=S;User ID=sa;Password=x", "SQL Server"),
                  "DRIVER={SQL Server};SERVER=S;Trusted_Connection=Yes")
            << value;
    EXPECT_NE(odbcConnectString("Integrated Security=False;User ID=sa", "SQL Server").find("UID=sa"), std::string::npos);
}

TEST(OdbcConnectString, BracesValuesThatWouldEndTheItem) {
    std::string classic = "Data Source=S;Password=\"a;b}c\"";
    EXPECT_EQ(odbcConnectString(classic, "SQL Server"), "DRIVER={SQL Server};SERVER=S;PWD={a;b}}c}");
    EXPECT_EQ(odbcConnectString(classic, "FreeTDS"), "DRIVER={FreeTDS};SERVER=S;PWD={a;b}c};ClientCharset=CP1252;TDS_Version=7.4");
    EXPECT_EQ(odbcValue(" padded", OdbcDriverKind::MicrosoftOdbc), "{ padded}");
    EXPECT_EQ(odbcValue("plain", OdbcDriverKind::FreeTds), "plain");
}

TEST(OdbcConnectString, RefusesWhatOdbcOrTheDriverWouldCutShort) {
    struct Refused {
        std::string text, driver, reason;
    };
    for (const Refused& refused :
         {Refused{"Data Source=S;Password=\"a};b\"", "FreeTDS", "\"};\""},
          Refused{std::string("Data Source=S;Password=a\0b", 26), "SQL Server", "NUL"},
          Refused{std::string("Pay\0roll", 8), "", "NUL"},
          Refused{"Data Source=S;Password=" + std::string(32767, 'p'), "SQL Server", "32767"}}) {
        try {
            odbcConnectString(refused.text, refused.driver);
            ADD_FAILURE() << "translated: " << refused.reason;
        } catch (const RunError& failure) {
            EXPECT_EQ(failure.number(), kErrSqlProviderFailure);
            EXPECT_NE(failure.description().find(refused.reason), std::string::npos) << failure.description();
        }
    }
    EXPECT_EQ(odbcConnectString("Data Source=S;Password=\"a};b\"", "SQL Server"), "DRIVER={SQL Server};SERVER=S;PWD={a}};b}");
    const std::string longestPassword(32767 - std::string("DRIVER={SQL Server};SERVER=S;PWD=").size(), 'p');
    EXPECT_EQ(odbcConnectString("Data Source=S;Password=" + longestPassword, "SQL Server").size(), 32767u);
}

TEST(OdbcConnectString, AStringWithoutEqualsSignIsADataSourceName) {
    EXPECT_TRUE(isDataSourceName("Payroll"));
    EXPECT_EQ(odbcConnectString("Payroll", ""), "DSN=Payroll");
    EXPECT_EQ(odbcConnectString("My;Books", ""), "DSN={My;Books}");
}

TEST(OdbcConnectString, RaisesForAMalformedString) {
    EXPECT_THROW(odbcConnectString("Data Source=S;Password=\"open", "FreeTDS"), RunError);
}

TEST(SqlServerDriver, PrefersTheNewestMicrosoftDriverThenNativeClientThenSqlServerThenFreeTds) {
    EXPECT_EQ(*bestSqlServerDriver({"FreeTDS", "SQL Server", "ODBC Driver 17 for SQL Server",
                                    "ODBC Driver 18 for SQL Server", "SQL Server Native Client 11.0"}),
              "ODBC Driver 18 for SQL Server");
    EXPECT_EQ(*bestSqlServerDriver({"SQL Server Native Client 10.0", "SQL Server Native Client 11.0", "SQL Server"}),
              "SQL Server Native Client 11.0");
    EXPECT_EQ(*bestSqlServerDriver({"FreeTDS", "SQL Server", "Microsoft Access Driver (*.mdb)"}), "SQL Server");
    EXPECT_EQ(*bestSqlServerDriver({"PostgreSQL Unicode", "FreeTDS"}), "FreeTDS");
    EXPECT_FALSE(bestSqlServerDriver({"PostgreSQL Unicode", "ODBC Driver for Oracle"}));
    EXPECT_FALSE(bestSqlServerDriver({}));
}

TEST(SqlServerDriver, RecognisesDriverKindsByName) {
    EXPECT_EQ(odbcDriverKind("ODBC Driver x for SQL Server"), OdbcDriverKind::Other);
    EXPECT_EQ(odbcDriverKind("/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so"), OdbcDriverKind::FreeTds);
    EXPECT_EQ(odbcDriverKind("SQL Native Client"), OdbcDriverKind::NativeClient);
}

TEST(OdbcDiagnostics, DropsTheBracketedPrefixes) {
    EXPECT_EQ(withoutOdbcPrefixes("[FreeTDS][SQL Server]Login failed for user 'sa'."), "Login failed for user 'sa'.");
    EXPECT_EQ(withoutOdbcPrefixes("[Microsoft][ODBC Driver 18 for SQL Server][SQL Server]Login failed for user 'sa'."),
              "Login failed for user 'sa'.");
    EXPECT_EQ(withoutOdbcPrefixes("Plain [not a prefix]"), "Plain [not a prefix]");
    EXPECT_EQ(withoutOdbcPrefixes("[unclosed"), "[unclosed");
}

TEST(OdbcDiagnostics, ABatchEndsOnALostConnectionOrADriverFailureButNotOnAServerError) {
    EXPECT_FALSE(endsTheBatch(SQL_ERROR, {{"42000", 50000, "first"}}));
    EXPECT_FALSE(endsTheBatch(SQL_SUCCESS_WITH_INFO, {{"01000", 20017, "Unexpected EOF from the server"}}));
    // Microsoft's drivers number a broken link by its socket error.
    EXPECT_TRUE(endsTheBatch(SQL_ERROR, {{"08S01", 10054, "Communication link failure"}}));
    EXPECT_TRUE(endsTheBatch(SQL_ERROR, {{"HYT00", 0, "Timeout expired"}}));
    EXPECT_TRUE(endsTheBatch(SQL_ERROR, {}));
}

TEST(OdbcDiagnostics, TheFailureIsTheFirstRecordThatIsNotAWarning) {
    RunError failure = odbcFailure({{"01000", 5701, "Changed database context to 'master'."},
                                    {"42000", 911, "Database 'X' does not exist."},
                                    {"42000", 3701, "later"}},
                                   "fallback");
    EXPECT_EQ(failure.number(), 911);
    EXPECT_EQ(failure.description(), "Database 'X' does not exist.");

    RunError driverOnly = odbcFailure({{"HYT00", 0, "Query timeout expired"}}, "fallback");
    EXPECT_EQ(driverOnly.number(), kErrSqlProviderFailure);
    EXPECT_EQ(odbcFailure({}, "fallback").description(), "fallback");
}

}  // namespace
}  // namespace wf
