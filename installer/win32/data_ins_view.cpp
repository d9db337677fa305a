#include "installer/win32/data_ins_view.h"

#include <memory>

#include "installer/win32/data_ins_resources.h"

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
HFONT dialogFontOf(HWND dialog, int heightPixels, LONG weight) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfHeight = -heightPixels;
    font.lfWidth = 0;
    font.lfWeight = weight;
    return CreateFontIndirectA(&font);
}

}  // namespace

void DataInsView::show(frmDataIns& form) {
    FormDialog::showModal(IDD_DATA_INS, nullptr, [&form](HWND dialog) { return std::make_unique<DataInsView>(form, dialog); });
}

DataInsView::DataInsView(frmDataIns& form, HWND dialog)
    : FormDialog(dialog),
      form_(form),
      scale_(dialog),
      captioned_{
          {IDC_DATA_INS_TITLE, form.Label1, form.Label1.caption, nullptr},
          {IDC_DATA_INS_EMPTY_FILES, form.cmdEmptyFiles, form.cmdEmptyFiles.caption, nullptr},
          {IDC_DATA_INS_EMPTY_FILES_LABEL, form.lblEmptyFiles, form.lblEmptyFiles.caption, nullptr},
          {IDC_DATA_INS_DEMO_DATA, form.cmdDemoData, form.cmdDemoData.caption, nullptr},
          {IDC_DATA_INS_DEMO_DATA_LABEL, form.lblDemoData, form.lblDemoData.caption, nullptr},
          {IDC_DATA_INS_EXIT, form.cmdExit, form.cmdExit.caption, nullptr},
          {IDC_DATA_INS_VERSION, form.lblVersion, form.lblVersion.caption, nullptr},
          {IDC_DATA_INS_WHAT_DOING, form.lblWhatDoing, form.lblWhatDoing.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_COMPANY_INSTRS, form.lblCompanyInstrs, form.lblCompanyInstrs.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_COMPANY_PREV, form.cmdCompanyPrev, form.cmdCompanyPrev.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_COMPANY_NEXT, form.cmdCompanyNext, form.cmdCompanyNext.caption, &form.fraCompanyInfo},
          {IDC_DATA_INS_INSTALLING_MSG, form.lblInstallingMsg, form.lblInstallingMsg.caption, &form.fraProcessing},
          {IDC_DATA_INS_PROCESSING_NOTE, form.Label5, form.Label5.caption, &form.fraProcessing},
          {IDC_DATA_INS_PROC_PREV, form.cmdProcPrev, form.cmdProcPrev.caption, &form.fraProcessing},
          {IDC_DATA_INS_PROC_NEXT, form.cmdProcNext, form.cmdProcNext.caption, &form.fraProcessing},
      } {}

DataInsView::~DataInsView() {
    if (headingFont_) DeleteObject(headingFont_);
    if (statusFont_) DeleteObject(statusFont_);
}

bool DataInsView::onMessage(UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED || LOWORD(wParam) != IDC_DATA_INS_EXIT) return false;
            handle([this] { form_.cmdExit_Click(); });
            return true;
        case WM_CLOSE:
            handle([this] { form_.cmdExit_Click(); });
            return true;
        default:
            return false;
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
        SendMessageA(item(heading), WM_SETFONT, reinterpret_cast<WPARAM>(headingFont_), FALSE);
    SendMessageA(item(IDC_DATA_INS_INSTALLING_MSG), WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_), FALSE);
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
    for (const CaptionedControl& control : captioned_) {
        applyText(item(control.id), control.caption);
        applyShown(control.id, control.state, control.frame);
    }
    applyList(item(IDC_DATA_INS_COMPANY), form_.cmboCompany);
    applyShown(IDC_DATA_INS_COMPANY, form_.cmboCompany, &form_.fraCompanyInfo);
    applyList(item(IDC_DATA_INS_DATA_TYPE), form_.cmboDataType);
    applyShown(IDC_DATA_INS_DATA_TYPE, form_.cmboDataType, &form_.fraCompanyInfo);
    applyVisibility(item(IDC_DATA_INS_COMPANY_FRAME), form_.fraCompanyInfo);
    applyVisibility(item(IDC_DATA_INS_PROCESSING_FRAME), form_.fraProcessing);
}

void DataInsView::applyShown(int id, const Control& state, const Frame* frame) {
    Control shown = state;
    const bool pageShown = frame ? frame->visible : !(form_.fraCompanyInfo.visible || form_.fraProcessing.visible);
    shown.visible = state.visible && pageShown;
    applyVisibility(item(id), shown);
}

}  // namespace wf::win32
