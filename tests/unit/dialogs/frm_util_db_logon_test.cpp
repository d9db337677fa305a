#include <gtest/gtest.h>

#include <functional>

#include "installer/dialogs/frm_util_db_logon.h"
#include "tests/doubles/scripted_user_interface.h"

namespace wf {
namespace {

// Plays the user's part in the lookup dialog.
class ScriptedLookup : public LookupDialogPresenter {
public:
    std::function<void(frmUtilLookupCode&)> user;
    std::vector<frmUtilLookupCode*> shown;

    void showModal(frmUtilLookupCode& form) override {
        shown.push_back(&form);
        form.Form_Load();
        form.Form_Activate();
        if (!form.window.unloaded) user(form);
    }
};

class LogonFormTest : public ::testing::Test {
protected:
    LogonFormTest() {
        state_.login.strDBServer = "SRV";
        state_.login.strDBUser = "sa";
        state_.login.strDBPassword = "secret";
        form_.screen = {19200, 14400};
        form_.window.width = 4800;
        form_.window.height = 3000;
        form_.Form_Load();
    }
    void edit() {
        form_.txtServerName.text = " other ";
        form_.txtUserName.text = "";
        form_.txtPassword.text = "p w";
    }

    InstallerState state_;
    testing::ScriptedUserInterface ui_;
    std::vector<std::string> servers_{"BETA", "ALPHA\\SQLEXPRESS"};
    SharedLookupForm lookup_{state_, ui_, [this] { return servers_; }};
    ScriptedLookup presenter_;
    frmUtilDbLogon form_{state_, lookup_, presenter_};
};

TEST_F(LogonFormTest, LoadCentresTheDialogAndShowsTheLogin) {
    EXPECT_EQ(form_.window.caption, "Database Logon");
    EXPECT_EQ(form_.window.left, 9600 - 2400);
    EXPECT_EQ(form_.window.top, 7200 - 1500);
    EXPECT_EQ(form_.txtServerName.text, "SRV");
    EXPECT_EQ(form_.txtUserName.text, "sa");
    EXPECT_EQ(form_.txtPassword.text, "secret");
    EXPECT_TRUE(form_.txtServerName.enabled);
    EXPECT_TRUE(form_.cmdInstanceLookup.visible);
    EXPECT_EQ(form_.lblLabels[2].caption, "Please enter a valid user ID and password for the SQL server");
}

TEST_F(LogonFormTest, OkTakesTheBoxesExactlyAsTyped) {
    edit();
    form_.cmdOK_Click();
    EXPECT_EQ(state_.login.strDBServer, " other ");
    EXPECT_EQ(state_.login.strDBUser, "");
    EXPECT_EQ(state_.login.strDBPassword, "p w");
    EXPECT_TRUE(state_.dialogs.bLogonOK);
    EXPECT_TRUE(form_.window.unloaded);
}

TEST_F(LogonFormTest, CancelAndTheCloseBoxLeaveTheLoginAndClearTheFlag) {
    for (auto leave : {&frmUtilDbLogon::cmdCancel_Click, &frmUtilDbLogon::Form_Close}) {
        state_.dialogs.bLogonOK = true;  // an earlier showing was confirmed
        frmUtilDbLogon form{state_, lookup_, presenter_};
        form.Form_Load();
        form.txtServerName.text = "changed";
        form.txtPassword.text = "changed";
        (form.*leave)();
        EXPECT_FALSE(state_.dialogs.bLogonOK);
        EXPECT_TRUE(form.window.unloaded);
        EXPECT_EQ(state_.login.strDBServer, "SRV");
        EXPECT_EQ(state_.login.strDBPassword, "secret");
    }
}

TEST_F(LogonFormTest, PickedServerReplacesTheBoxAndMovesOnToTheUser) {
    presenter_.user = [](frmUtilLookupCode& lookup) {
        lookup.txtSearch.text = "b";
        lookup.txtSearch_Change();
        lookup.cmdOK_Click();
    };
    form_.cmdInstanceLookup_Click();
    ASSERT_EQ(presenter_.shown.size(), 1u);
    EXPECT_EQ(presenter_.shown[0]->strLookupType, "SQL Server");
    EXPECT_EQ(presenter_.shown[0]->strFilterCriteria, "0");
    EXPECT_EQ(form_.txtServerName.text, "BETA");
    EXPECT_EQ(form_.window.focus, &form_.txtUserName);
    EXPECT_EQ(state_.login.strDBServer, "SRV") << "only OK stores the server";
}

TEST_F(LogonFormTest, CancelledOrEmptyLookupKeepsTheServerBox) {
    presenter_.user = [](frmUtilLookupCode& lookup) { lookup.cmdCancel_Click(); };
    form_.cmdInstanceLookup_Click();
    EXPECT_EQ(form_.txtServerName.text, "SRV");
    EXPECT_EQ(form_.window.focus, &form_.txtServerName);

    servers_ = {""};
    form_.cmdInstanceLookup_Click();
    EXPECT_EQ(form_.txtServerName.text, "SRV");
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text, "No SQL servers currently available");
}

TEST_F(LogonFormTest, EachLookupStartsFromAFreshForm) {
    presenter_.user = [](frmUtilLookupCode& lookup) {
        lookup.bolAllowAddOTF = true;
        lookup.cmdCancel_Click();
    };
    form_.cmdInstanceLookup_Click();
    presenter_.user = [](frmUtilLookupCode& lookup) {
        EXPECT_FALSE(lookup.bolAllowAddOTF);
        lookup.cmdOK_Click();
    };
    form_.cmdInstanceLookup_Click();
    ASSERT_EQ(presenter_.shown.size(), 2u);
    EXPECT_EQ(form_.txtServerName.text, "ALPHA\\SQLEXPRESS");
}

}  // namespace
}  // namespace wf
