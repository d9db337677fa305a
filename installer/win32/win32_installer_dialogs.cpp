#include "installer/win32/win32_installer_dialogs.h"

#include <windows.h>

#include "installer/dialogs/frm_util_db_logon.h"
#include "installer/win32/db_logon_view.h"
#include "installer/win32/lookup_view.h"

namespace wf::win32 {

Win32InstallerDialogs::Win32InstallerDialogs(UserInterface& ui, ServerListSource serverList)
    : ui_(ui), serverList_(std::move(serverList)) {}

void Win32InstallerDialogs::showDbLogon(InstallerState& state) {
    SharedLookupForm lookup(state, ui_, serverList_);
    LookupView lookupView;
    frmUtilDbLogon form(state, lookup, lookupView);
    DbLogonView::showModal(form, GetActiveWindow());
}

}  // namespace wf::win32
