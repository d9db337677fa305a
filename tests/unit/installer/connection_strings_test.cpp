#include "installer/connection_strings.h"

#include <gtest/gtest.h>

namespace wf {
namespace {

InstallerState acmeLogin() {
    InstallerState state;
    state.strDBServer = "SQL1 ";
    state.strDBUser = "sa";
    state.strCPIntegratedSecurity = "False";
    state.strCompanyDB = "ACME";
    state.strOurDB = "ACMESV";
    return state;
}

TEST(ComposeConnectionStrings, ComposesTheThreeServerStrings) {
    InstallerState state = acmeLogin();
    composeConnectionStrings(state, HostSystem::CounterPointSql);
    EXPECT_EQ(state.strOurConnectionString,
              "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
              "Initial Catalog=ACMESV;User ID=sa;Password=");
    EXPECT_EQ(state.strCompanyConnectionString,
              "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
              "Initial Catalog=ACME;User ID=sa;Password=");
    EXPECT_EQ(state.strNoCatConnectionString,
              "Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SQL1;"
              "User ID=sa;Password=");
    EXPECT_EQ(state.strDynamicsConnectionString, "");
}

TEST(ComposeConnectionStrings, TrimsOnlyTheServerName) {
    InstallerState state = acmeLogin();
    state.strDBServer = "  SQL1  ";
    state.strDBUser = " sa ";
    state.strDBPassword = " pw ";
    state.strOurDB = "A CME";
    composeConnectionStrings(state, HostSystem::GreatPlains);
    for (const std::string* text : {&state.strCompanyConnectionString, &state.strOurConnectionString,
                                    &state.strNoCatConnectionString, &state.strDynamicsConnectionString}) {
        EXPECT_NE(text->find("Data Source=SQL1;"), std::string::npos) << *text;
        EXPECT_NE(text->find(";User ID= sa ;Password= pw "), std::string::npos) << *text;
    }
    EXPECT_NE(state.strOurConnectionString.find("Initial Catalog=A CME;"), std::string::npos);
}

TEST(ComposeConnectionStrings, GreatPlainsAddsTheSystemDatabaseWithoutIntegratedSecurity) {
    InstallerState state = acmeLogin();
    state.strCPIntegratedSecurity = "";
    state.strDBPassword = "pw";
    composeConnectionStrings(state, HostSystem::GreatPlains);
    EXPECT_EQ(state.strDynamicsConnectionString,
              "Provider=SQLOLEDB.1;Persist Security Info=True;Data Source=SQL1;Initial Catalog=DYNAMICS;"
              "User ID=sa;Password=pw");
    EXPECT_NE(state.strOurConnectionString.find("Integrated Security=;"), std::string::npos);
}

TEST(ComposeConnectionStrings, PassportUsesTheCompanyDataSourceName) {
    InstallerState state = acmeLogin();
    state.strCompanyDB = "Payroll";
    state.strDynamicsConnectionString = "left from before";
    composeConnectionStrings(state, HostSystem::Passport);
    EXPECT_EQ(state.strCompanyConnectionString, "Payroll");
    EXPECT_EQ(state.strDynamicsConnectionString, "left from before");
    EXPECT_NE(state.strOurConnectionString.find("Initial Catalog=ACMESV;"), std::string::npos);
}

TEST(ComposeConnectionStrings, QuotesAValueThatWouldChangeTheStringsMeaning) {
    InstallerState state = acmeLogin();
    state.strDBPassword = "pa;ss\"word";
    state.strDBUser = "'sa";
    composeConnectionStrings(state, HostSystem::CounterPointSql);
    EXPECT_NE(state.strNoCatConnectionString.find(";User ID=\"'sa\";Password=\"pa;ss\"\"word\""), std::string::npos)
        << state.strNoCatConnectionString;
}

TEST(WithHiddenPassword, HidesAPasswordAndItsAbsenceAlike) {
    SqlLogin login{"", "S", "sa", "secret"};
    EXPECT_EQ(withHiddenPassword(login).password, "********");
    login.password.clear();
    EXPECT_EQ(withHiddenPassword(login).password, "********");
}

}  // namespace
}  // namespace wf
