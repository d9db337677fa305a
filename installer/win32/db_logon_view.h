#pragma once
// Shows frmUtilDbLogon as the "Database Logon" dialog of its template.
#include <windows.h>

#include "installer/dialogs/frm_util_db_logon.h"
#include "installer/win32/form_view_sync.h"

namespace wf::win32 {

class DbLogonView {
public:
    // Shows the form modally over `owner` (may be null) and returns when it has unloaded.
    static void showModal(frmUtilDbLogon& form, HWND owner);

private:
    DbLogonView(frmUtilDbLogon& form, HWND dialog);
    // Runs when the dialog is gone, its button included: the icon it showed goes too.
    ~DbLogonView();
    DbLogonView(const DbLogonView&) = delete;
    DbLogonView& operator=(const DbLogonView&) = delete;
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    void load();
    // Runs one handler of the form between copying the boxes in and the state out.
    template <class Handler>
    void handle(Handler handler);
    void readBoxes();
    void showState();
    HWND controlWithFocus() const;

    frmUtilDbLogon& form_;
    HWND dialog_;
    TwipsScale scale_;
    // Loaded for this dialog alone (not shared), so it is the view's to destroy.
    HICON serverIcon_ = nullptr;
};

}  // namespace wf::win32
