#pragma once
// Shows frmUtilDbLogon as the "Database Logon" dialog of its template.
#include <windows.h>

#include <string>
#include <vector>

#include "installer/dialogs/frm_util_db_logon.h"
#include "installer/win32/form_dialog.h"
#include "installer/win32/form_view_sync.h"
#include "platform/win32/win32_handles.h"

namespace wf::win32 {

class DbLogonView : public FormDialog {
public:
    // Shows the form modally over `owner` (may be null) and returns when it has unloaded.
    static void showModal(frmUtilDbLogon& form, HWND owner);

    DbLogonView(frmUtilDbLogon& form, HWND dialog);

private:

    bool load() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void readState() override;
    void showState() override;
    bool formUnloaded() const override { return form_.window.unloaded; }

    // Runs the handler of a button the user pressed.
    void click(int id);
    HWND controlWithFocus() const;
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    frmUtilDbLogon& form_;
    TwipsScale scale_;
    std::vector<PlacedControl> placed_;
    std::vector<ButtonHandler<frmUtilDbLogon>> buttons_;
    // Loaded for this dialog alone (not shared), so it is the view's to destroy. The
    // view goes when the dialog is gone, the button that shows the icon included.
    IconHandle serverIcon_;
};

}  // namespace wf::win32
