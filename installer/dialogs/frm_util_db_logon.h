#pragma once
// The database logon dialog: the user corrects the SQL server, user ID and
// password that the installer connects with, and may pick the server from those
// on the network through the lookup dialog.
#include <array>

#include "installer/dialogs/form_controls.h"
#include "installer/dialogs/shared_lookup_form.h"
#include "installer/installer_state.h"

namespace wf {

class frmUtilDbLogon {
public:
    frmUtilDbLogon(InstallerState& state, SharedLookupForm& lookup, LookupDialogPresenter& lookupPresenter);
    // The focus refers to the form's own controls: a form is never copied.
    frmUtilDbLogon(const frmUtilDbLogon&) = delete;
    frmUtilDbLogon& operator=(const frmUtilDbLogon&) = delete;

    FormWindow window;
    ScreenArea screen;
    // 0 user ID caption, 1 password caption, 2 prompt, 3 server caption.
    std::array<Label, 4> lblLabels;
    TextBox txtServerName;
    CommandButton cmdInstanceLookup;
    TextBox txtUserName;
    TextBox txtPassword;
    CommandButton cmdOK;
    CommandButton cmdCancel;

    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    // The window's close box: the user leaves without confirming, as with Cancel.
    void Form_Close();
    void cmdInstanceLookup_Click();

private:
    InstallerState& state_;
    SharedLookupForm& lookup_;
    LookupDialogPresenter& lookupPresenter_;
};

}  // namespace wf
