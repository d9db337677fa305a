#include "installer/dialogs/frm_util_db_logon.h"

namespace wf {

frmUtilDbLogon::frmUtilDbLogon(InstallerState& state, SharedLookupForm& lookup, LookupDialogPresenter& lookupPresenter)
    : state_(state), lookup_(lookup), lookupPresenter_(lookupPresenter) {
    window.caption = "Database Logon";
    lblLabels[0].caption = "Database &user ID";
    lblLabels[1].caption = "Database &password";
    lblLabels[2].caption = "Please enter a valid user ID and password for the SQL server";
    lblLabels[3].caption = "SQL server";
    cmdOK.caption = "OK";
    cmdCancel.caption = "Cancel";
}

void frmUtilDbLogon::Form_Load() {
    window.top = screen.height / 2 - window.height / 2;
    window.left = screen.width / 2 - window.width / 2;
    txtServerName.text = state_.login.strDBServer;
    txtUserName.text = state_.login.strDBUser;
    txtPassword.text = state_.login.strDBPassword;
    txtServerName.enabled = true;
    cmdInstanceLookup.visible = true;
}

void frmUtilDbLogon::cmdOK_Click() {
    state_.login.strDBUser = txtUserName.text;
    state_.login.strDBPassword = txtPassword.text;
    state_.login.strDBServer = txtServerName.text;
    state_.dialogs.bLogonOK = true;
    window.unloaded = true;
}

void frmUtilDbLogon::cmdCancel_Click() {
    state_.dialogs.bLogonOK = false;
    window.unloaded = true;
}

void frmUtilDbLogon::Form_Close() { cmdCancel_Click(); }

void frmUtilDbLogon::cmdInstanceLookup_Click() {
    frmUtilLookupCode& lookup = lookup_.instance();
    lookup.strLookupType = "SQL Server";
    lookup.strFilterCriteria = "0";
    lookupPresenter_.showModal(lookup);
    window.focus = &txtServerName;
    if (state_.dialogs.strLookupResult.empty()) return;
    txtServerName.text = state_.dialogs.strLookupResult;
    window.focus = &txtUserName;
}

}  // namespace wf
