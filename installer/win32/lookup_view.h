#pragma once
// Shows frmUtilLookupCode as the lookup dialog of its template: the grid as a list
// view in report mode, the sort arrow in the value column's heading.
#include <windows.h>

#include <string>
#include <vector>

#include "installer/dialogs/frm_util_lookup_code.h"
#include "installer/win32/form_dialog.h"
#include "installer/win32/form_view_sync.h"

namespace wf::win32 {

class LookupView : public FormDialog {
public:
    // Shows the form modally over `owner` (may be null) and returns when it has unloaded.
    static void showModal(frmUtilLookupCode& form, HWND owner);

    LookupView(frmUtilLookupCode& form, HWND dialog);

private:
    using MouseHandler = void (frmUtilLookupCode::*)(int button, int shift, float x, float y);

    // The grid, its column headings and the search box, subclassed for the mouse and
    // keys their own notices do not report.
    static LRESULT CALLBACK gridProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK headingProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    static LRESULT CALLBACK searchProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    bool load() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void readState() override;
    void showState() override;
    bool formUnloaded() const override { return form_.window.unloaded; }

    bool onCommand(WORD id, WORD code);
    bool onGridNotice(const NMHDR& notice);
    // Runs the handler of a button the user pressed.
    void click(int id);
    HWND controlWithFocus() const;
    // Runs a mouse handler of the grid for a point of the list (pixels).
    void mouseOnGrid(MouseHandler handler, POINT point);
    float gridY(int pixelY) const;
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    frmUtilLookupCode& form_;
    TwipsScale scale_;
    std::vector<PlacedControl> placed_;
    std::vector<ButtonHandler<frmUtilLookupCode>> buttons_;
    bool loaded_ = false;
    // Set while the form's state is copied to the window, whose change notices are then not the user's.
    bool showing_ = false;
};

}  // namespace wf::win32
