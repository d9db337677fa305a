#include "installer/login/connection_strings.h"

#include <gtest/gtest.h>

#include "tests/unit/installer/installer_fixture.h"

namespace wf {
namespace {

InstallerState acmeLogin() {
    InstallerState state;
    state.login.strDBServer = "SQL1 ";
    state.login.strDBUser = "sa";
    state.login.strCPIntegratedSecurity = "False";
    state.operation.strCompanyDB = "ACME";
    state.operation.strOurDB = "ACMESV";
    return state;
}

TEST(ComposeConnectionStrings, ComposesTheThreeServerStrings) {
    InstallerState state = acmeLogin();
    composeConnectionStrings(state, HostSystem::CounterPointSql);
    EXPECT_EQ(state.connections.strOurConnectionString,
              "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
              "Initial Catalog=ACMESV;User ID=sa;Password=");
    EXPECT_EQ(state.connections.strCompanyConnectionString,
              "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
              "Initial Catalog=ACME;User ID=sa;Password=");
    EXPECT_EQ(state.connections.strNoCatConnectionString,
              "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
              "User ID=sa;Password=");
    EXPECT_EQ(state.connections.strDynamicsConnectionString, "");
}

TEST(ComposeConnectionStrings, TrimsOnlyTheServerName) {
    InstallerState state = acmeLogin();
    state.login.strDBServer = "  SQL1  ";
    state.login.strDBUser = " sa ";
    state.login.strDBPassword = " pw ";
    state.operation.strOurDB = "A CME";
    composeConnectionStrings(state, HostSystem::GreatPlains);
    for (const std::string* text :
         {&state.connections.strCompanyConnectionString, &state.connections.strOurConnectionString,
          &state.connections.strNoCatConnectionString, &state.connections.strDynamicsConnectionString}) {
        EXPECT_NE(text->find("Data Source=SQL1;"), std::string::npos) << *text;
        EXPECT_NE(text->find(";User ID= sa ;Password= pw "), std::string::npos) << *text;
    }
    EXPECT_NE(state.connections.strOurConnectionString.find("Initial Catalog=A CME;"), std::string::npos);
}

TEST(ComposeConnectionStrings, GreatPlainsAddsTheSystemDatabaseWithoutIntegratedSecurity) {
    InstallerState state = acmeLogin();
    state.login.strCPIntegratedSecurity = "";
    state.login.strDBPassword = "pw";
    composeConnectionStrings(state, HostSystem::GreatPlains);
    EXPECT_EQ(state.connections.strDynamicsConnectionString,
              "Provider=SQLOLEDB.1;Persist Security Info=True;Data Source=SQL1;Initial Catalog=DYNAMICS;"
              "User ID=sa;Password=pw");
    EXPECT_NE(state.connections.strOurConnectionString.find("Integrated Security=;"), std::string::npos);
}

TEST(ComposeConnectionStrings, PassportUsesTheCompanyDataSourceName) {
    InstallerState state = acmeLogin();
    state.operation.strCompanyDB = "Payroll";
    state.connections.strDynamicsConnectionString = "left from before";
    composeConnectionStrings(state, HostSystem::Passport);
    EXPECT_EQ(state.connections.strCompanyConnectionString, "Payroll");
    EXPECT_EQ(state.connections.strDynamicsConnectionString, "left from before");
    EXPECT_NE(state.connections.strOurConnectionString.find("Initial Catalog=ACMESV;"), std::string::npos);
}

TEST(ComposeConnectionStrings, QuotesAValueThatWouldChangeTheStringsMeaning) {
    InstallerState state = acmeLogin();
    state.login.strDBPassword = "pa;ss\"word";
    state.login.strDBUser = "'sa";
    composeConnectionStrings(state, HostSystem::CounterPointSql);
    EXPECT_NE(state.connections.strNoCatConnectionString.find(";User ID=\"'sa\";Password=\"pa;ss\"\"word\""),
              std::string::npos)
        << state.connections.strNoCatConnectionString;
}

using testing::InstallerFixture;
using testing::ScriptedInstallerDialogs;
using testing::SqlScriptedFailure;

const SqlScriptedFailure kLoginFailed{18456, {"Login failed for user 'sa'."}};

std::string noCatalogString(const std::string& server, const std::string& user, const std::string& password) {
    return "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=" + server +
           ";User ID=" + user + ";Password=" + password;
}

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

struct BuildConnectionStringsTest : ::testing::Test {
    BuildConnectionStringsTest() {
        f.state.login.strDBServer = "SQL1";
        f.state.login.strDBUser = "sa";
        f.state.login.strDBPassword = "secret";
        f.state.login.strCPIntegratedSecurity = "False";
        f.state.operation.strCompanyDB = "ACME";
        f.state.operation.strOurDB = "ACMESV";
    }
    InstallerFixture f;
};

TEST_F(BuildConnectionStringsTest, AReachableServerNeedsNoDialogAndLogsOneHeaderWithoutThePassword) {
    InstallerContext context = f.context();
    EXPECT_TRUE(BuildConnectionStrings(context));

    EXPECT_EQ(f.state.connections.strNoCatConnectionString, noCatalogString("SQL1", "sa", "secret"));
    EXPECT_EQ(f.log(),
              "\r\n"
              "*** Start DB Utility 06/15/2007 14:03:02 ***\r\n"
              "strOurConnectionString\r\n"
              "    ----> Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
              "Initial Catalog=ACMESV;User ID=sa;Password=********\r\n"
              "strNoCatConnectionString\r\n"
              "    ----> " +
                  noCatalogString("SQL1", "sa", "********") + "\r\n");
    EXPECT_EQ(f.dialogs.logonsShown, 0);
    EXPECT_TRUE(f.ui.messages.empty());
    EXPECT_EQ(f.sql.events, (std::vector<std::string>{"open " + noCatalogString("SQL1", "sa", "secret"), "close"}));
    EXPECT_EQ(f.sql.connectionsOpen, 0);
}

TEST_F(BuildConnectionStringsTest, ACorrectedLoginIsComposedLoggedAndTestedAgain) {
    f.sql.openFailures[noCatalogString("SQL1", "sa", "secret")] = kLoginFailed;
    f.dialogs.logons.push_back(ScriptedInstallerDialogs::Logon{" SQL2 ", "admin", ""});
    InstallerContext context = f.context();
    EXPECT_TRUE(BuildConnectionStrings(context));

    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_EQ(f.ui.messages[0].text, "Login failed for user 'sa'.");
    EXPECT_EQ(f.ui.messages[0].style, kOkOnly + kCritical);
    EXPECT_EQ(f.ui.messages[0].title, "Wrenfold Database Install");
    EXPECT_EQ(f.state.connections.strNoCatConnectionString, noCatalogString("SQL2", "admin", ""));
    EXPECT_EQ(countOf(f.log(), "*** Start DB Utility"), 2);
    EXPECT_NE(f.log().find("    ----> " + noCatalogString("SQL2", "admin", "********") + "\r\n"), std::string::npos);
    EXPECT_EQ(f.sql.connectionsOpen, 0);
}

TEST_F(BuildConnectionStringsTest, ThreeFailuresAndACancelLeaveThreeHeadersAndReturnFalse) {
    f.sql.openFailures[noCatalogString("SQL1", "sa", "secret")] = kLoginFailed;
    f.sql.openFailures[noCatalogString("SQL1", "sa", "wrong")] = kLoginFailed;
    f.dialogs.logons.push_back(ScriptedInstallerDialogs::Logon{"SQL1", "sa", "wrong"});
    f.dialogs.logons.push_back(ScriptedInstallerDialogs::Logon{"SQL1", "sa", "wrong"});
    f.dialogs.logons.push_back(std::nullopt);
    InstallerContext context = f.context();
    EXPECT_FALSE(BuildConnectionStrings(context));

    EXPECT_EQ(countOf(f.log(), "*** Start DB Utility"), 3);
    EXPECT_EQ(f.ui.messages.size(), 3u);
    EXPECT_EQ(f.dialogs.logonsShown, 3);
    EXPECT_EQ(f.state.connections.strNoCatConnectionString, noCatalogString("SQL1", "sa", "wrong"));
    EXPECT_EQ(f.sql.connectionsOpen, 0);
}

TEST_F(BuildConnectionStringsTest, AnUnwritableLogStopsNothing) {
    f.files.faults().failFrom(testing::FileOp::Append, 1, RunError(kErrPermissionDenied, "Permission denied"));
    InstallerContext context = f.context();
    EXPECT_TRUE(BuildConnectionStrings(context));
    EXPECT_EQ(f.log(), "");
}

TEST(TestConnectString, ReturnsNothingWhenTheConnectionOpens) {
    testing::SqlScriptedServer sql;
    EXPECT_EQ(TestConnectString(sql, "Data Source=S"), "");
    EXPECT_EQ(sql.connectionsOpen, 0);
}

TEST(TestConnectString, ReturnsTheOpenFailuresDescriptionAndLeavesNothingOpen) {
    testing::SqlScriptedServer sql;
    sql.openFailures["Data Source=gone"] = {
        17,
        {"Unable to connect: Adaptive Server is unavailable or does not exist", "Unable to connect to data source"}};
    EXPECT_EQ(TestConnectString(sql, "Data Source=gone"),
              "Unable to connect: Adaptive Server is unavailable or does not exist");
    EXPECT_EQ(sql.connectionsOpen, 0);
    EXPECT_EQ(sql.connectionsCreated, 1);
}

TEST(TestConnectString, AFailureWithoutDescriptionStillYieldsText) {
    testing::SqlScriptedServer sql;
    sql.openFailures["Data Source=S"] = {-2147467259, {""}};
    EXPECT_EQ(TestConnectString(sql, "Data Source=S"), "Error -2147467259");
}

}  // namespace
}  // namespace wf
