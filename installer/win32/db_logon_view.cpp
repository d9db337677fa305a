#include "installer/win32/db_logon_view.h"

#include "installer/win32/dialog_resources.h"

namespace wf::win32 {
namespace {

// A filled dot for every character of the password.
constexpr WPARAM kPasswordDot = 0x25CF;

}  // namespace

void DbLogonView::showModal(frmUtilDbLogon& form, HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DB_LOGON), owner, dialogProc, reinterpret_cast<LPARAM>(&form));
}

DbLogonView::DbLogonView(frmUtilDbLogon& form, HWND dialog) : form_(form), dialog_(dialog), scale_(dialog) {}

DbLogonView::~DbLogonView() {
    if (serverIcon_) DestroyIcon(serverIcon_);
}

INT_PTR CALLBACK DbLogonView::dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<DbLogonView*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            view = new DbLogonView(*reinterpret_cast<frmUtilDbLogon*>(lParam), dialog);
            SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(view));
            view->load();
            // Unless the form placed the focus, the first box of the tab order takes it.
            return view->form_.window.focus == nullptr;
        case WM_COMMAND:
            if (!view || HIWORD(wParam) != BN_CLICKED) return FALSE;
            switch (LOWORD(wParam)) {
                case IDOK: view->handle([](frmUtilDbLogon& form) { form.cmdOK_Click(); }); return TRUE;
                case IDCANCEL: view->handle([](frmUtilDbLogon& form) { form.cmdCancel_Click(); }); return TRUE;
                case IDC_LOGON_LOOKUP:
                    view->handle([](frmUtilDbLogon& form) { form.cmdInstanceLookup_Click(); });
                    return TRUE;
                default: return FALSE;
            }
        case WM_CLOSE:
            if (view) view->handle([](frmUtilDbLogon& form) { form.Form_Close(); });
            return TRUE;
        case WM_NCDESTROY:
            delete view;
            SetWindowLongPtrA(dialog, DWLP_USER, 0);
            return FALSE;
        default:
            return FALSE;
    }
}

void DbLogonView::load() {
    serverIcon_ = static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_SERVER_LOOKUP), IMAGE_ICON, 16, 16, 0));
    SendDlgItemMessageA(dialog_, IDC_LOGON_LOOKUP, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(serverIcon_));
    SendMessageW(GetDlgItem(dialog_, IDC_LOGON_PASSWORD), EM_SETPASSWORDCHAR, kPasswordDot, 0);
    form_.screen = screenArea(scale_);
    readWindowPlace(dialog_, scale_, form_.window);
    form_.Form_Load();
    applyWindow(dialog_, scale_, form_.window);
    showState();
}

template <class Handler>
void DbLogonView::handle(Handler handler) {
    readBoxes();
    handler(form_);
    if (form_.window.unloaded) {
        EndDialog(dialog_, IDOK);
        return;
    }
    showState();
}

void DbLogonView::readBoxes() {
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
