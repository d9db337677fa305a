// Great Plains' company list read from the system database through ODBC: the
// company master of version 9.0 and later, the older list of 8.0.
#include <gtest/gtest.h>

#include "installer/hosts/company_catalogue.h"
#include "platform/odbc/odbc_connection.h"
#include "tests/integration/sql/sql_test_support.h"
#include "tests/unit/installer/installer_fixture.h"

namespace wf::testing {
namespace {

std::vector<std::string> describe(const std::vector<CompanyEntry>& companies) {
    std::vector<std::string> result;
    for (const CompanyEntry& company : companies) result.push_back(company.id + "=" + company.name);
    return result;
}

TEST(GreatPlainsCompanies, ComeFromTheSystemDatabaseOfEachVersion) {
    InstallerFixture f(HostSystem::GreatPlains);
    OdbcConnectionFactory odbc;
    InstallerContext context{f.state, f.host, f.files, f.process, f.clock, f.ui, f.dialogs, odbc, f.registry};
    f.state.connections.strDynamicsConnectionString =
        dynamicsConnectionString({"", standinDataSource(), "sa", "Secret1"});

    f.state.host.strGPVersion = "10";
    EXPECT_EQ(describe(greatPlainsCompanies(context)),
              (std::vector<std::string>{"TWO=Fabrikam, Inc.", "ACME=Acme Ltd"}));
    f.state.host.strGPVersion = "8.0";
    EXPECT_EQ(describe(greatPlainsCompanies(context)), (std::vector<std::string>{"OLD80=Old Company"}));
    EXPECT_TRUE(f.ui.messages.empty());

    f.state.connections.strDynamicsConnectionString =
        dynamicsConnectionString({"", standinDataSource(), "sa", "wrong"});
    EXPECT_TRUE(greatPlainsCompanies(context).empty());
    ASSERT_EQ(f.ui.messages.size(), 1u);
    EXPECT_NE(f.ui.messages[0].text.find("Login failed for user 'sa'."), std::string::npos);
}

}  // namespace
}  // namespace wf::testing
