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

DbLogonView::DbLogonView(frmUtilDbLogon& form, HWND dialog) : FormDialog(dialog), form_(form), scale_(dialog) {}

bool DbLogonView::onMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return false;
            switch (LOWORD(wParam)) {
                case IDOK: handle([this] { form_.cmdOK_Click(); }); return true;
                case IDCANCEL: handle([this] { form_.cmdCancel_Click(); }); return true;
                case IDC_LOGON_LOOKUP: handle([this] { form_.cmdInstanceLookup_Click(); }); return true;
                default: return false;
            }
        case WM_CLOSE:
            handle([this] { form_.Form_Close(); });
            return true;
        default:
            return false;
    }
}

bool DbLogonView::load() {
    serverIcon_ = IconHandle(static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SERVER_LOOKUP), IMAGE_ICON, 16, 16, 0)));
    SendDlgItemMessageA(dialog_, IDC_LOGON_LOOKUP, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(serverIcon_.get()));
    SendMessageW(GetDlgItem(dialog_, IDC_LOGON_PASSWORD), EM_SETPASSWORDCHAR, kPasswordDot, 0);
    form_.screen = screenArea(scale_);
    readWindowPlace(dialog_, scale_, form_.window);
    form_.Form_Load();
    applyWindow(dialog_, scale_, form_.window);
    showState();
    // Unless the form placed the focus, the first box of the tab order takes it.
    return form_.window.focus == nullptr;
}

void DbLogonView::readState() {
    form_.txtServerName.text = windowText(GetDlgItem(dialog_, IDC_LOGON_SERVER));
    form_.txtUserName.text = windowText(GetDlgItem(dialog_, IDC_LOGON_USER));
    form_.txtPassword.text = windowText(GetDlgItem(dialog_, IDC_LOGON_PASSWORD));
}

void DbLogonView::showState() {
    HWND server = GetDlgItem(dialog_, IDC_LOGON_SERVER);
    applyText(server, form_.txtServerName.text);
    applyVisibility(server, form_.txtServerName);
    applyText(GetDlgItem(dialog_, IDC_LOGON_USER), form_.txtUserName.text);
    applyText(GetDlgItem(dialog_, IDC_LOGON_PASSWORD), form_.txtPassword.text);
    applyVisibility(GetDlgItem(dialog_, IDC_LOGON_LOOKUP), form_.cmdInstanceLookup);
    applyFocus(controlWithFocus());
}

HWND DbLogonView::controlWithFocus() const {
    const Control* focus = form_.window.focus;
    if (focus == &form_.txtServerName) return GetDlgItem(dialog_, IDC_LOGON_SERVER);
    if (focus == &form_.txtUserName) return GetDlgItem(dialog_, IDC_LOGON_USER);
    if (focus == &form_.txtPassword) return GetDlgItem(dialog_, IDC_LOGON_PASSWORD);
    return nullptr;
}

}  // namespace wf::win32
