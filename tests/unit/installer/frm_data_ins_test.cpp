// The installer window's start-up on each host system: where the host is found,
// its companies and the demonstration data sets, and what is logged and told.
#include "installer/wizard/frm_data_ins.h"

#include <gtest/gtest.h>

#include "common/registry_store/registry_value_store.h"
#include "installer/hosts/host_locators.h"
#include "tests/unit/installer/installer_fixture.h"

namespace wf {
namespace {

using testing::InstallerFixture;
using testing::SqlScriptedFailure;
using testing::SqlScriptedTable;

constexpr const char* kNote = "06/15/2007 14:03:02 ";
constexpr const char* kCounterPointKey = "SOFTWARE\\Synchronics\\CounterPoint\\8.0";
constexpr const char* kDemo = "C:\\Tools\\dbprep\\SQLdbgen\\demodata\\";

struct StartUp {
    explicit StartUp(HostSystem host) : f(host), form(f.context()) {}
    void setValue(RegKey root, const std::string& key, const std::string& name, const std::string& value) {
        RegistryValueStore(f.registry).WriteValue(root, key, name, value);
    }
    std::vector<std::string> companyIds() const {
        return {f.state.host.strCompanyIds.begin(), f.state.host.strCompanyIds.begin() + form.cmboCompany.items.size()};
    }
    InstallerFixture f;
    frmDataIns form;
};

TEST(CounterPointStartUp, FindsItsTopLevelDirectoryAndListsItsCompanies) {
    StartUp s(HostSystem::CounterPointSql);
    s.setValue(kHkeyLocalMachine, kCounterPointKey, "InstallPath", "C:\\CP");
    s.f.files.addFile("C:\\CP\\bin\\CounterPoint.ini", "[CP]\r\nTopLevel=D:\\CPSQL\r\nAFTER=1\r\n");
    s.f.files.addFile("D:\\CPSQL\\Companies.ini",
                      "[Companies]\r\nDEMO=Demo Company\r\n\r\nACME=Acme Ltd=Extra\r\nLONE\r\n=No id\r\n"
                      "[DEMO]\r\nData Source=SRV1\r\n");
    s.form.Form_Load();

    EXPECT_EQ(s.form.lblVersion.caption, "Version 1.4.2");
    EXPECT_EQ(s.f.state.host.strHostPath, "D:\\CPSQL") << "the key in any case, the value as written";
    EXPECT_EQ(s.form.cmboCompany.items, (std::vector<std::string>{"Demo Company", "Acme Ltd"}));
    EXPECT_EQ(s.companyIds(), (std::vector<std::string>{"DEMO", "ACME"}));
    EXPECT_EQ(s.form.cmboCompany.listIndex, -1);
    EXPECT_EQ(s.f.log(), std::string(kNote) + "C:\\CP\\bin\\CounterPoint.ini\r\n[CP]\r\nTopLevel=D:\\CPSQL\r\n" +
                             kNote +
                             "D:\\CPSQL\\Companies.ini\r\n[Companies]\r\nDEMO=Demo Company\r\n\r\n"
                             "ACME=Acme Ltd=Extra\r\nLONE\r\n=No id\r\n[DEMO]\r\n"
                             "    ----> Line 3 is no company (id=name): \"\"; it was left out.\r\n"
                             "    ----> Line 5 is no company (id=name): \"LONE\"; it was left out.\r\n"
                             "    ----> Line 6 is no company (id=name): \"=No id\"; it was left out.\r\n");
    EXPECT_TRUE(s.f.ui.messages.empty());
    EXPECT_TRUE(s.form.cmdDemoData.enabled);
}

TEST(CounterPointStartUp, FallsBackOnTopLevelDirectoryAndSurvivesBrokenFiles) {
    struct Case {
        const char* what;
        const char* ini;        // nullptr: no InstallPath; empty: no CounterPoint.ini
        const char* companies;  // nullptr: no Companies.ini
        std::size_t companyCount;
        std::string logged;  // what the log holds from the CounterPoint.ini note on
    };
    const std::string iniNote = std::string(kNote) + "C:\\CP\\bin\\CounterPoint.ini\r\n";
    const std::string companiesNote = std::string(kNote) + "E:\\Top\\Companies.ini\r\n";
    const Case cases[] = {
        {"no InstallPath", nullptr, "[Companies]\r\nA=One", 1,
         companiesNote +
             "[Companies]\r\nA=One\r\n    ----> The file ends before the section after the company list.\r\n"},
        {"no CounterPoint.ini", "", nullptr, 0,
         iniNote + "    ----> The file cannot be read: Path not found (76).\r\n" + companiesNote +
             "    ----> The file cannot be read: Path not found (76).\r\n"},
        {"no TOPLEVEL line", "[CP]\r\nTOP=X\r\n", "", 0,
         iniNote + "[CP]\r\nTOP=X\r\n    ----> No TOPLEVEL line was found.\r\n" + companiesNote +
             "    ----> The file is empty: no companies are listed.\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartUp s(HostSystem::CounterPointSql);
        s.setValue(kHkeyLocalMachine, std::string(kCounterPointKey) + "\\Options", "TopLevelDirectory", "E:\\Top");
        if (c.ini) {
            s.setValue(kHkeyLocalMachine, kCounterPointKey, "InstallPath", "C:\\CP");
            if (*c.ini) s.f.files.addFile("C:\\CP\\bin\\CounterPoint.ini", c.ini);
        }
        if (c.companies) s.f.files.addFile("E:\\Top\\Companies.ini", c.companies);
        s.form.Form_Load();
        EXPECT_EQ(s.f.state.host.strHostPath, "E:\\Top");
        EXPECT_EQ(s.form.cmboCompany.items.size(), c.companyCount);
        EXPECT_EQ(s.f.log(), c.logged);
        EXPECT_TRUE(s.f.ui.messages.empty());
    }
}

TEST(HostSystemMissing, TellsTheUserAndEndsTheProgram) {
    for (HostSystem host : {HostSystem::CounterPointSql, HostSystem::GreatPlains}) {
        StartUp s(host);
        s.form.Form_Load();
        ASSERT_EQ(s.f.ui.messages.size(), 1u);
        EXPECT_EQ(s.f.ui.messages[0].title, "Error");
        EXPECT_EQ(s.f.ui.messages[0].style, kOkOnly + kCritical);
        EXPECT_EQ(s.f.ui.messages[0].text,
                  host == HostSystem::CounterPointSql
                      ? "Wrenfold Database Install requires CounterPoint SQL to run.\r\n\r\n"
                        "No CP SQL server or workstation install was found on this computer."
                      : "Wrenfold Database Install requires Dynamics 7.5, 8.0, 9.0 or 10.0 to run.\r\n\r\n"
                        "No Great Plains install was found on this computer.");
        EXPECT_EQ(s.f.ui.ended, 1);
        EXPECT_TRUE(s.form.window.unloaded);
        EXPECT_TRUE(s.form.cmboCompany.items.empty());
        EXPECT_TRUE(s.f.sql.events.empty());
    }
}

TEST(CounterPointLogin, TakesTheCompanysLineAndTheUsersWrenfoldLogin) {
    StartUp s(HostSystem::CounterPointSql);
    s.f.state.host.strHostPath = "D:\\CPSQL";
    s.f.files.addFile("D:\\CPSQL\\Companies.ini",
                      "[Companies]\r\nDEMO=Demo\r\nACME=Acme\r\n[DEMO]\r\n"
                      "Provider=SQLOLEDB.1;Password=pw 1;User ID=sa;data source=SRV2;Initial Catalog=DEMO;"
                      "INTEGRATED SECURITY=False;Data Source=SRV3\r\n[ACME]\r\nInitial Catalog=ACMEDB\r\n");
    s.f.state.operation.strCompanyDB = "DEMO";
    s.setValue(kHkeyCurrentUser, "SOFTWARE\\Quillmark\\Wrenfold\\Login", "DBUser", "wf");
    InstallerContext context = s.f.context();
    EXPECT_EQ(GetCPLoginInfo(context), "DEMO");
    EXPECT_EQ(s.f.state.login.strCPCatalog, "") << "the caller keeps the catalogue";
    EXPECT_EQ(s.f.state.login.strDBServer, "SRV3") << "the later key wins";
    EXPECT_EQ(s.f.state.login.strDBUser, "wf");
    EXPECT_EQ(s.f.state.login.strDBPassword, "pw 1") << "no DBPassword value: the company's stays";
    EXPECT_EQ(s.f.state.login.strCPIntegratedSecurity, "False");
    EXPECT_EQ(s.f.state.operation.strCompanyDB, "DEMO");
    EXPECT_EQ(s.f.state.operation.strOurDB, "DEMOSV");
    EXPECT_EQ(s.f.sql.events.front(),
              "open Provider=SQLOLEDB.1;Integrated Security=False;Persist Security Info=True;Data Source=SRV3;"
              "User ID=wf;Password=pw 1");

    // A company without a section of its own never takes the line read last.
    s.f.state.operation.strCompanyDB = "acme";
    EXPECT_EQ(GetCPLoginInfo(context), "");
    EXPECT_EQ(s.f.state.operation.strCompanyDB, "");
    EXPECT_EQ(s.f.state.login.strDBServer, "SRV3");
    EXPECT_NE(s.f.log().find(std::string(kNote) + "D:\\CPSQL\\Companies.ini\r\n"
                                                  "    ----> No connection line follows a heading [acme].\r\n"),
              std::string::npos);
}

TEST(GreatPlainsStartUp, TheNewestInstallationListsItsCompanies) {
    for (const char* version : {"10", "8.0"}) {
        SCOPED_TRACE(version);
        StartUp s(HostSystem::GreatPlains);
        const bool ten = std::string(version) == "10";
        s.setValue(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Great Plains\\7.50\\Install", "AppPath", "C:\\GP75");
        s.setValue(kHkeyLocalMachine,
                   ten ? "SOFTWARE\\Microsoft\\Business Solutions\\Great Plains\\1033\\DEFAULT\\SETUP"
                       : "SOFTWARE\\Microsoft\\Great Plains\\8.0\\Install",
                   "AppPath", "C:\\GP");
        const std::string statement =
            ten ? "select * from SY01500 order by CMPNYNAM" : "select * from DU000099 order by CMPNYNAM";
        s.f.sql.tables[statement] =
            SqlScriptedTable{{ten ? "INTERID" : "DB_NAME", "CMPNYNAM"},
                             {{" dynamics ", "System"}, {"TWO ", " Fabrikam "}, {"ACME", "Acme"}}};
        s.form.Form_Load();
        EXPECT_EQ(s.f.state.host.strHostPath, "C:\\GP");
        EXPECT_EQ(s.f.state.host.strGPVersion, version);
        EXPECT_EQ(s.companyIds(), (std::vector<std::string>{"TWO", "ACME"}));
        EXPECT_EQ(s.form.cmboCompany.items, (std::vector<std::string>{"Fabrikam", "Acme"}));
        EXPECT_NE(std::find(s.f.sql.events.begin(), s.f.sql.events.end(), "recordset " + statement + " 0 1"),
                  s.f.sql.events.end());
        EXPECT_EQ(s.f.sql.connectionsOpen, 0);

        // The company list is told when the system database cannot be read, and stays empty.
        StartUp failing(HostSystem::GreatPlains);
        failing.setValue(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Great Plains\\8.0\\Install", "AppPath", "C:\\GP");
        failing.f.sql.statementFailures["select * from DU000099 order by CMPNYNAM"] =
            SqlScriptedFailure{208, {"Invalid object name 'DU000099'."}};
        failing.form.Form_Load();
        ASSERT_EQ(failing.f.ui.messages.size(), 1u);
        EXPECT_EQ(failing.f.ui.messages[0].text, "Invalid object name 'DU000099'.");
        EXPECT_TRUE(failing.form.cmboCompany.items.empty());
        EXPECT_NE(failing.f.log().find("select * from DU000099 order by CMPNYNAM\r\n"
                                       "    ----> Invalid object name 'DU000099'.\r\n"),
                  std::string::npos);
    }
    StartUp pathOnly(HostSystem::GreatPlains);
    pathOnly.setValue(kHkeyLocalMachine, "SOFTWARE\\Microsoft\\Great Plains\\7.50\\Install", "AppPath", "C:\\GP75");
    InstallerContext context = pathOnly.f.context();
    EXPECT_TRUE(GetGreatPlainsRegistryLoginInfo(context, "GP_path"));
    EXPECT_EQ(pathOnly.f.state.host.strGPVersion, "7.5");
    EXPECT_TRUE(pathOnly.f.sql.events.empty()) << "no connection strings for the path alone";
}

TEST(PassportStartUp, ListsTheDataSourcesAndSelectsTheCurrentCompany) {
    StartUp s(HostSystem::Passport);
    for (const char* name : {"Payroll", "ACCOUNTS"})
        s.setValue(kHkeyLocalMachine, "Software\\ODBC\\ODBC.INI\\ODBC Data Sources", name, "SQL Server");
    s.f.state.operation.strCompanyDB = "accounts";
    s.f.sql.openFailures
        ["Provider=SQLOLEDB.1;Integrated Security=;Persist Security Info=True;Data Source=;User ID=;"
         "Password="] = SqlScriptedFailure{-1, {"Server not found"}};
    s.form.Form_Load();
    EXPECT_EQ(s.companyIds(), (std::vector<std::string>{"Payroll", "ACCOUNTS"}));
    EXPECT_EQ(s.form.cmboCompany.listIndex, 1);
    EXPECT_FALSE(s.form.cmdDemoData.enabled);
    ASSERT_EQ(s.f.ui.messages.size(), 2u);
    EXPECT_EQ(
        s.f.ui.messages[1].text,
        "The current company selection [accounts] is invalid.\r\n\r\nRun 'Change Company' to select a valid company.");
    EXPECT_EQ(s.f.ui.messages[1].title, "Wrenfold Database Install");
}

TEST(DataSetCatalogue, ListsDescribedFoldersOrTheBuiltInOnes) {
    StartUp described(HostSystem::Passport);
    described.f.files.addFile(std::string(kDemo) + "PBSData\\Spa\\DataDesc.txt", "Pool and Spa 2010\r\nmore");
    described.f.files.addFile(std::string(kDemo) + "PBSData\\Old\\DataDesc.txt", "");
    described.f.files.addFile(std::string(kDemo) + "PBSData\\HVAC\\WfData\\a.mdf");
    described.form.Form_Load();
    EXPECT_EQ(described.form.cmboDataType.items, std::vector<std::string>{"Pool and Spa 2010"});
    EXPECT_EQ(described.f.state.host.strDataSetFolders[0], "Spa");

    StartUp builtIn(HostSystem::Passport);
    builtIn.f.files.addFile(std::string(kDemo) + "PBSData\\Spa\\WfData\\hidden.mdf", "", kAttrHidden);
    builtIn.f.files.addFile(std::string(kDemo) + "PBSData\\HVAC\\WfData\\a.mdf");
    builtIn.form.Form_Load();
    EXPECT_EQ(builtIn.form.cmboDataType.items, std::vector<std::string>{"Heating and Air"});
    EXPECT_EQ(builtIn.f.state.host.strDataSetFolders[0], "HVAC");
    EXPECT_EQ(builtIn.form.cmboDataType.listIndex, -1);

    StartUp many(HostSystem::Passport);
    for (char letter = 'A'; letter <= 'M'; ++letter)
        many.f.files.addFile(std::string(kDemo) + "PBSData\\Set" + letter + "\\DataDesc.txt",
                             std::string("Set ") + letter);
    many.form.Form_Load();
    ASSERT_EQ(many.form.cmboDataType.items.size(), 11u);
    EXPECT_EQ(many.form.cmboDataType.items[10], "Set K");
    EXPECT_EQ(many.f.state.host.strDataSetFolders[10], "SetK");
    EXPECT_NE(many.f.log().find("    ----> Only 11 data sets can be listed; left out: SetL, SetM.\r\n"),
              std::string::npos);
}

}  // namespace
}  // namespace wf
