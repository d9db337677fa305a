#include "installer/win32/db_logon_view.h"

#include <memory>

#include "installer/win32/dialog_resources.h"

namespace wf::win32 {
namespace {

// A filled dot for every character of the password.
constexpr WPARAM kPasswordDot = 0x25CF;

}  // namespace

void DbLogonView::showModal(frmUtilDbLogon& form, HWND owner) {
    FormDialog::showModal(IDD_DB_LOGON, owner, [&form](HWND dialog) { return std::make_unique<DbLogonView>(form, dialog); });
}

DbLogonView::DbLogonView(frmUtilDbLogon& form, HWND dialog)
    : FormDialog(dialog),
      form_(form),
      scale_(dialog),
      placed_{
          {IDC_LOGON_SERVER, form.txtServerName, &form.txtServerName.text},
          {IDC_LOGON_LOOKUP, form.cmdInstanceLookup, nullptr},
          {IDC_LOGON_USER, form.txtUserName, &form.txtUserName.text},
          {IDC_LOGON_PASSWORD, form.txtPassword, &form.txtPassword.text},
      },
      buttons_{
          {IDOK, &frmUtilDbLogon::cmdOK_Click},
          {IDCANCEL, &frmUtilDbLogon::cmdCancel_Click},
          {IDC_LOGON_LOOKUP, &frmUtilDbLogon::cmdInstanceLookup_Click},
      } {}

bool DbLogonView::onMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return false;
            click(LOWORD(wParam));
            return true;
        case WM_CLOSE:
            handle([this] { form_.Form_Close(); });
            return true;
        default:
            return false;
    }
}

void DbLogonView::click(int id) {
    const ButtonHandler<frmUtilDbLogon>* button = entryFor(buttons_, id);
    if (button) handle([this, button] { (form_.*button->click)(); });
}

bool DbLogonView::load() {
    serverIcon_ = IconHandle(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SERVER_LOOKUP), IMAGE_ICON, 16, 16, 0)));
    SendDlgItemMessageA(dialog_, IDC_LOGON_LOOKUP, BM_SETIMAGE, IMAGE_ICON,
                        reinterpret_cast<LPARAM>(serverIcon_.get()));
    SendMessageW(item(IDC_LOGON_PASSWORD), EM_SETPASSWORDCHAR, kPasswordDot, 0);
    form_.screen = screenArea(scale_);
    readWindowPlace(dialog_, scale_, form_.window);
    form_.Form_Load();
    applyWindow(dialog_, scale_, form_.window);
    showState();
    // Unless the form placed the focus, the first box of the tab order takes it.
    return form_.window.focus == nullptr;
}

void DbLogonView::readState() {
    form_.txtServerName.text = windowText(item(IDC_LOGON_SERVER));
    form_.txtUserName.text = windowText(item(IDC_LOGON_USER));
    form_.txtPassword.text = windowText(item(IDC_LOGON_PASSWORD));
}

void DbLogonView::showState() {
    for (const PlacedControl& control : placed_) {
        if (control.text) applyText(item(control.id), *control.text);
        applyVisibility(item(control.id), control.state);
    }
    applyFocus(controlWithFocus());
}

HWND DbLogonView::controlWithFocus() const {
    const PlacedControl* focus = entryShowing(placed_, form_.window.focus);
    return focus ? item(focus->id) : nullptr;
}

}  // namespace wf::win32
