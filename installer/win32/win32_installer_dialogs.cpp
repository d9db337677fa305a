#include "installer/win32/win32_installer_dialogs.h"

#include <windows.h>

#include "installer/dialogs/frm_util_db_logon.h"
#include "installer/dialogs/shared_lookup_form.h"
#include "installer/win32/db_logon_view.h"
#include "installer/win32/lookup_view.h"

namespace wf::win32 {
namespace {

// The lookup over the window active when it is asked for: the logon dialog.
class LookupPresenter : public LookupDialogPresenter {
public:
    void showModal(frmUtilLookupCode& form) override { LookupView::showModal(form, GetActiveWindow()); }
};

}  // namespace

Win32InstallerDialogs::Win32InstallerDialogs(UserInterface& ui, ServerListSource serverList)
    : ui_(ui), serverList_(std::move(serverList)) {}

bool Win32InstallerDialogs::showDbLogon(InstallerState& state) {
    SharedLookupForm lookup(state, ui_, serverList_);
    LookupPresenter lookupPresenter;
    frmUtilDbLogon form(state, lookup, lookupPresenter);
    DbLogonView::showModal(form, GetActiveWindow());
    return state.dialogs.bLogonOK;
}

}  // namespace wf::win32
