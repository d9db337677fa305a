#include "installer/win32/data_ins_view.h"

#include <memory>
#include <string>

#include "installer/win32/data_ins_resources.h"
#include "platform/win32/win32_user_interface.h"

namespace wf::win32 {
namespace {

// The icon every Wrenfold program carries as its first resource.
constexpr int kProgramIconId = 1;

// Heights in twips: the page headings are bold 12 point, the status line 13.5 point.
constexpr int kHeadingTwips = 240;
constexpr int kStatusTwips = 270;
constexpr COLORREF kStatusColour = RGB(0, 0, 128);
constexpr COLORREF kVersionColour = RGB(128, 128, 128);

// A font like the dialog's own, of another height and weight.
FontHandle dialogFontOf(HWND dialog, int heightPixels, LONG weight) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = -heightPixels;
    font.lfWidth = 0;
    font.lfWeight = weight;
    return FontHandle(CreateFontIndirectA(&font));
}

}  // namespace

void DataInsView::show(frmDataIns& form) {
    FormDialog::showModal(IDD_DATA_INS, nullptr, [&form](HWND dialog) { return std::make_unique<DataInsView>(form, dialog); });
}

DataInsView::DataInsView(frmDataIns& form, HWND dialog)
    : FormDialog(dialog),
      form_(form),
      scale_(dialog),
      placed_{
          {IDC_DATA_INS_TITLE, form.Label1, &form.Label1.caption, nullptr},
          {IDC_DATA_INS_EMPTY_FILES, form.cmdEmptyFiles, &form.cmdEmptyFiles.caption, nullptr},
          {IDC_DATA_INS_EMPTY_FILES_LABEL, form.lblEmptyFiles, &form.lblEmptyFiles.caption, nullptr},
          {IDC_DATA_INS_DEMO_DATA, form.cmdDemoData, &form.cmdDemoData.caption, nullptr},
          {IDC_DATA_INS_DEMO_DATA_LABEL, form.lblDemoData, &form.lblDemoData.caption, nullptr},
          {IDC_DATA_INS_EXIT, form.cmdExit, &form.cmdExit.caption, nullptr},
          {IDC_DATA_INS_VERSION, form.lblVersion, &form.lblVersion.caption, nullptr},
          {IDC_DATA_INS_WHAT_DOING, form.lblWhatDoing, &form.lblWhatDoing.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_COMPANY_INSTRS, form.lblCompanyInstrs, &form.lblCompanyInstrs.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_COMPANY, form.cmboCompany, nullptr, &form.fraCompanyInfo},
          {IDC_DATA_INS_DATA_TYPE, form.cmboDataType, nullptr, &form.fraCompanyInfo},
          {IDC_DATA_INS_COMPANY_PREV, form.cmdCompanyPrev, &form.cmdCompanyPrev.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_COMPANY_NEXT, form.cmdCompanyNext, &form.cmdCompanyNext.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_INSTALLING_MSG, form.lblInstallingMsg, &form.lblInstallingMsg.caption, &form.fraProcessing},
          {IDC_DATA_INS_PROGRESS, form.prgProcessing, nullptr, &form.fraProcessing},
          {IDC_DATA_INS_PROCESSING_NOTE, form.Label5, &form.Label5.caption, &form.fraProcessing},
          {IDC_DATA_INS_PROC_PREV, form.cmdProcPrev, &form.cmdProcPrev.caption, &form.fraProcessing},
          {IDC_DATA_INS_PROC_NEXT, form.cmdProcNext, &form.cmdProcNext.caption, &form.fraProcessing},
      },
      // The processing page's Previous is never enabled and has no handler.
      buttons_{
          {IDC_DATA_INS_EMPTY_FILES, &frmDataIns::cmdEmptyFiles_Click},
          {IDC_DATA_INS_DEMO_DATA, &frmDataIns::cmdDemoData_Click},
          {IDC_DATA_INS_EXIT, &frmDataIns::cmdExit_Click},
          {IDC_DATA_INS_COMPANY_PREV, &frmDataIns::cmdCompanyPrev_Click},
          {IDC_DATA_INS_COMPANY_NEXT, &frmDataIns::cmdCompanyNext_Click},
          {IDC_DATA_INS_PROC_NEXT, &frmDataIns::cmdProcNext_Click},
      },
      taskbar_(dialog) {
    form_.window.refresh = [this] { redraw(); };
}

DataInsView::~DataInsView() { form_.window.refresh = nullptr; }

bool DataInsView::onMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND:
            // While an operation runs and lets the window answer, nothing else starts.
            if (handling()) return true;
            if (LOWORD(wParam) == IDCANCEL) {
                goBack();
                return true;
            }
            if (HIWORD(wParam) != BN_CLICKED) return false;
            click(LOWORD(wParam));
            return true;
        case WM_CLOSE:
            handle([this] { form_.Form_QueryUnload(); });
            return true;
        case WM_QUERYENDSESSION:
            // Asked while the window answers during an operation: the session waits.
            if (form_.window.shutdownBlockReason.empty()) return false;
            SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, FALSE);
            return true;
        case WM_SETCURSOR:
            // The window's answer while an operation runs must not bring the arrow back.
            if (!Win32UserInterface::busyPointerShown()) return false;
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            SetWindowLongPtrA(dialog_, DWLP_MSGRESULT, TRUE);
            return true;
        default:
            return false;
    }
}

void DataInsView::click(int id) {
    const ButtonHandler<frmDataIns>* button = entryFor(buttons_, id);
    const PlacedControl* control = entryFor(placed_, id);
    // A button the form hides or disables does nothing, however it was pressed.
    if (!button || !control->state.enabled || !shown(*control)) return;
    handle([this, button] { (form_.*button->click)(); });
}

void DataInsView::goBack() {
    if (form_.fraProcessing.visible) {
        click(IDC_DATA_INS_PROC_NEXT);
    } else if (form_.fraCompanyInfo.visible) {
        click(IDC_DATA_INS_COMPANY_PREV);
    } else {
        click(IDC_DATA_INS_EXIT);
    }
}

void DataInsView::redraw() {
    showState();
    RedrawWindow(dialog_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsDialogMessageA(dialog_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool DataInsView::load() {
    showIcon();
    setFonts();
    handle([this] { form_.Form_Load(); });
    // The start page's first button takes the focus.
    return true;
}

void DataInsView::showIcon() {
    HINSTANCE program = GetModuleHandleA(nullptr);
    // Loaded as shared icons: the system frees them with the program.
    HICON large = LoadIconA(program, MAKEINTRESOURCEA(kProgramIconId));
    HANDLE small = LoadImageA(program, MAKEINTRESOURCEA(kProgramIconId), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                              GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    SendMessageA(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SendMessageA(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void DataInsView::setFonts() {
    headingFont_ = dialogFontOf(dialog_, scale_.pixels(kHeadingTwips), FW_BOLD);
    statusFont_ = dialogFontOf(dialog_, scale_.pixels(kStatusTwips), FW_NORMAL);
    for (int heading : {IDC_DATA_INS_TITLE, IDC_DATA_INS_WHAT_DOING})
        SendMessageA(item(heading), WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_.get()), FALSE);
    SendMessageA(item(IDC_DATA_INS_INSTALLING_MSG), WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_.get()), FALSE);
}

HBRUSH DataInsView::staticColours(HWND control, HDC dc) {
    COLORREF text;
    if (control == item(IDC_DATA_INS_VERSION)) {
        text = kVersionColour;
    } else if (control == item(IDC_DATA_INS_INSTALLING_MSG)) {
        text = kStatusColour;
    } else {
        return nullptr;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

void DataInsView::readState() {
    form_.cmboCompany.listIndex = selectedEntry(item(IDC_DATA_INS_COMPANY));
    form_.cmboDataType.listIndex = selectedEntry(item(IDC_DATA_INS_DATA_TYPE));
}

void DataInsView::showState() {
    applyText(dialog_, form_.window.caption);
    applyList(item(IDC_DATA_INS_COMPANY), form_.cmboCompany);
    applyList(item(IDC_DATA_INS_DATA_TYPE), form_.cmboDataType);
    for (const PlacedControl& control : placed_) {
        if (control.text) applyText(item(control.id), *control.text);
        Control onScreen = control.state;
        onScreen.visible = shown(control);
        applyVisibility(item(control.id), onScreen);
    }
    applyVisibility(item(IDC_DATA_INS_COMPANY_FRAME), form_.fraCompanyInfo);
    applyVisibility(item(IDC_DATA_INS_PROCESSING_FRAME), form_.fraProcessing);
    showProgress();
    // Enter presses the page's forward button wherever the focus is but on another button.
    int forward = IDOK;
    if (form_.fraCompanyInfo.visible) forward = IDC_DATA_INS_COMPANY_NEXT;
    if (form_.fraProcessing.visible) forward = IDC_DATA_INS_PROC_NEXT;
    SendMessageA(dialog_, DM_SETDEFID, static_cast<WPARAM>(forward), 0);
    showShutdownBlock();
    moveFocus();
}

void DataInsView::showProgress() {
    const ProgressBar& bar = form_.prgProcessing;
    applyProgress(item(IDC_DATA_INS_PROGRESS), bar);
    TBPFLAG state = TBPF_NOPROGRESS;
    if (shown(*entryShowing(placed_, &bar))) state = bar.failed ? TBPF_ERROR : TBPF_NORMAL;
    taskbar_.show(state, static_cast<ULONGLONG>(bar.value), static_cast<ULONGLONG>(bar.maximum));
}

void DataInsView::showShutdownBlock() {
    const std::string& reason = form_.window.shutdownBlockReason;
    if (reason == blockedFor_) return;
    blockedFor_ = reason;
    if (reason.empty()) {
        ShutdownBlockReasonDestroy(dialog_);
        return;
    }
    std::wstring text(reason.size(), L'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, reason.data(), static_cast<int>(reason.size()),
                                                             text.data(), static_cast<int>(text.size()))));
    ShutdownBlockReasonCreate(dialog_, text.c_str());
}

void DataInsView::moveFocus() {
    const PlacedControl* wanted = entryShowing(placed_, form_.window.focus);
    form_.window.focus = nullptr;
    if (wanted && shown(*wanted) && wanted->state.enabled) {
        SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(wanted->id)), TRUE);
        return;
    }
    HWND focus = GetFocus();
    if (focus && IsWindowVisible(focus) && IsWindowEnabled(focus)) return;
    HWND first = GetNextDlgTabItem(dialog_, nullptr, FALSE);
    if (first) SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

// A frame shows or hides what is placed on it, and the frames are opaque and
// cover the start page.
bool DataInsView::shown(const PlacedControl& control) const {
    const bool pageShown =
        control.frame ? control.frame->visible : !(form_.fraCompanyInfo.visible || form_.fraProcessing.visible);
    return control.state.visible && pageShown;
}

}  // namespace wf::win32
