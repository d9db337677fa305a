#include "installer/win32/lookup_view.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "common/run_error.h"
#include "installer/win32/dialog_resources.h"
#include "installer/win32/grid_list_view.h"
#include "platform/win32/common_controls_library.h"

namespace wf::win32 {
namespace {

// Posted once the dialog is on screen, as the form's activation.
constexpr UINT kActivate = WM_APP + 1;
constexpr UINT_PTR kSubclassId = 1;
constexpr int kLeftButton = 1;

// The position a mouse message carries, in its window's client area.
POINT mousePoint(LPARAM lParam) { return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}; }

int shiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

}  // namespace

void LookupView::showModal(frmUtilLookupCode& form, HWND owner) {
    FormDialog::showModal(IDD_LOOKUP, owner,
                          [&form](HWND dialog) { return std::make_unique<LookupView>(form, dialog); });
}

LookupView::LookupView(frmUtilLookupCode& form, HWND dialog)
    : FormDialog(dialog),
      form_(form),
      scale_(dialog),
      placed_{
          {IDC_LOOKUP_GRID, form.MSHFlexGrid1, nullptr},
          {IDC_LOOKUP_LABEL, form.Label1, &form.Label1.caption},
          {IDC_LOOKUP_SEARCH, form.txtSearch, &form.txtSearch.text},
          {IDOK, form.cmdOK, nullptr},
          {IDCANCEL, form.cmdCancel, nullptr},
          {IDC_LOOKUP_ADD_NEW, form.cmdAddNew, nullptr},
          {IDC_LOOKUP_FILTER_PICTURE, form.picFilterOn, nullptr},
          {IDC_LOOKUP_FILTER_LABEL, form.lblFilterOn, nullptr},
      },
      buttons_{
          {IDOK, &frmUtilLookupCode::cmdOK_Click},
          {IDCANCEL, &frmUtilLookupCode::cmdCancel_Click},
      } {}

bool LookupView::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kActivate:
            // The form is activated once the user sees it.
            ShowWindow(dialog_, SW_SHOW);
            UpdateWindow(dialog_);
            handle([this] { form_.Form_Activate(); });
            return true;
        case WM_SIZE:
            if (loaded_ && !showing_) {
                handle([this] { form_.Form_Resize(); });
                // Controls moved into space the dialog has already painted over.
                RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            }
            return false;
        case WM_COMMAND:
            return onCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY: {
            const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
            return notice->idFrom == IDC_LOOKUP_GRID && onGridNotice(*notice);
        }
        case WM_CLOSE:
            handle([this] { form_.Form_Close(); });
            return true;
        default:
            return false;
    }
}

bool LookupView::load() {
    HWND grid = item(IDC_LOOKUP_GRID);
    ListView_SetExtendedListViewStyle(grid, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    const CommonControlsLibrary& controls = commonControlsLibrary();
    controls.SetWindowSubclass(grid, gridProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    controls.SetWindowSubclass(ListView_GetHeader(grid), headingProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    controls.SetWindowSubclass(item(IDC_LOOKUP_SEARCH), searchProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    form_.screen = screenArea(scale_);
    form_.Form_Load();
    loaded_ = true;
    applyWindow(dialog_, scale_, form_.window);
    showState();
    PostMessageA(dialog_, kActivate, 0, 0);
    return false;
}

bool LookupView::onCommand(WORD id, WORD code) {
    switch (id) {
        case IDC_LOOKUP_SEARCH:
            if (code != EN_CHANGE || showing_) return false;
            handle([this] { form_.txtSearch_Change(); });
            return true;
        case IDOK:
        case IDCANCEL: {
            // Enter and Escape reach the control that has the focus; a click reaches the button.
            int key = id == IDOK ? kKeyReturn : kKeyEscape;
            HWND focus = GetFocus();
            if (focus == item(IDC_LOOKUP_SEARCH)) {
                handle([&] { form_.txtSearch_KeyDown(key, 0); });
            } else if (focus == item(IDC_LOOKUP_GRID)) {
                handle([&] { form_.MSHFlexGrid1_KeyDown(key, 0); });
            } else {
                click(id);
            }
            return true;
        }
        default:
            return false;
    }
}

void LookupView::click(int id) {
    const ButtonHandler<frmUtilLookupCode>* button = entryFor(buttons_, id);
    if (button) handle([this, button] { (form_.*button->click)(); });
}

bool LookupView::onGridNotice(const NMHDR& notice) {
    switch (notice.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(notice);
            bool nowSelected = (change.uNewState & LVIS_SELECTED) && !(change.uOldState & LVIS_SELECTED);
            if (showing_ || !nowSelected) return false;
            // The grid's own events when the user moves to another row.
            int row = change.iItem + FlexGrid::kFixedRows;
            handle([&] {
                form_.MSHFlexGrid1_LeaveCell();
                ignoreFailure([&] { form_.MSHFlexGrid1.setRow(row); });
                form_.MSHFlexGrid1_RowColChange();
            });
            return true;
        }
        case NM_CLICK:
            mouseOnGrid(&frmUtilLookupCode::MSHFlexGrid1_MouseUp, reinterpret_cast<const NMITEMACTIVATE&>(notice).ptAction);
            return true;
        case NM_DBLCLK:
            handle([this] { form_.MSHFlexGrid1_DblClick(); });
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK LookupView::gridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        auto* view = reinterpret_cast<LookupView*>(self);
        view->mouseOnGrid(&frmUtilLookupCode::MSHFlexGrid1_MouseDown, mousePoint(lParam));
        if (view->ended()) return 0;
    }
    if (message == WM_NCDESTROY) commonControlsLibrary().RemoveWindowSubclass(grid, gridProc, kSubclassId);
    return commonControlsLibrary().DefSubclassProc(grid, message, wParam, lParam);
}

// The column headings are the grid's heading row, up to the right edge of the list:
// a press on the marker column's heading or beside the last heading is one too.
LRESULT CALLBACK LookupView::headingProc(HWND heading, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        auto* view = reinterpret_cast<LookupView*>(self);
        POINT point = mousePoint(lParam);
        MapWindowPoints(heading, view->item(IDC_LOOKUP_GRID), &point, 1);
        MouseHandler handler = message == WM_LBUTTONDOWN ? &frmUtilLookupCode::MSHFlexGrid1_MouseDown
                                                         : &frmUtilLookupCode::MSHFlexGrid1_MouseUp;
        view->mouseOnGrid(handler, point);
    }
    if (message == WM_NCDESTROY) commonControlsLibrary().RemoveWindowSubclass(heading, headingProc, kSubclassId);
    LRESULT result = commonControlsLibrary().DefSubclassProc(heading, message, wParam, lParam);
    // The headings hold the mouse only for presses on a heading; the release of every
    // press has to come back here, as it does to the grid.
    if (message == WM_LBUTTONDOWN && GetCapture() != heading) SetCapture(heading);
    if (message == WM_LBUTTONUP && GetCapture() == heading) ReleaseCapture();
    return result;
}

LRESULT CALLBACK LookupView::searchProc(HWND search, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR self) {
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        auto* view = reinterpret_cast<LookupView*>(self);
        int key = static_cast<int>(wParam);
        view->handle([&] { view->form_.txtSearch_KeyDown(key, shiftState()); });
        if (key == 0 || view->ended()) return 0;
    }
    if (message == WM_NCDESTROY) commonControlsLibrary().RemoveWindowSubclass(search, searchProc, kSubclassId);
    return commonControlsLibrary().DefSubclassProc(search, message, wParam, lParam);
}

void LookupView::mouseOnGrid(MouseHandler handler, POINT point) {
    float x = static_cast<float>(scale_.twips(point.x));
    float y = gridY(point.y);
    handle([&] { (form_.*handler)(kLeftButton, shiftState(), x, y); });
}

// A height in the list in grid coordinates: the column headings span the heading
// row, whatever their height in pixels; the items lie below it.
float LookupView::gridY(int pixelY) const {
    int headings = headingHeight(item(IDC_LOOKUP_GRID));
    int headingRow = form_.MSHFlexGrid1.rowHeight(0);
    if (pixelY < headings) return static_cast<float>(MulDiv(pixelY > 0 ? pixelY : 0, headingRow, headings));
    return static_cast<float>(headingRow + scale_.twips(pixelY - headings));
}

void LookupView::readState() {
    readWindowPlace(dialog_, scale_, form_.window);
    form_.txtSearch.text = windowText(item(IDC_LOOKUP_SEARCH));
    if (form_.MSHFlexGrid1.rows() > FlexGrid::kFixedRows) {
        ignoreFailure([&] { form_.MSHFlexGrid1.setTopRow(topGridRow(item(IDC_LOOKUP_GRID))); });
    }
}

void LookupView::showState() {
    showing_ = true;
    applyWindow(dialog_, scale_, form_.window);
    for (const PlacedControl& control : placed_) {
        applyPlacement(item(control.id), scale_, control.state);
        if (control.text) applyText(item(control.id), *control.text);
    }
    SortArrow arrow = form_.picSortArrowDn.visible ? SortArrow::Down
                      : form_.picSortArrowUp.visible ? SortArrow::Up
                                                     : SortArrow::None;
    showGrid(item(IDC_LOOKUP_GRID), scale_, form_.MSHFlexGrid1, arrow);
    applyFocus(controlWithFocus());
    showing_ = false;
}

HWND LookupView::controlWithFocus() const {
    const PlacedControl* focus = entryShowing(placed_, form_.window.focus);
    return focus ? item(focus->id) : nullptr;
}

}  // namespace wf::win32
