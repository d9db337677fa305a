#pragma once
// Shows frmDataIns, the installer's main window, from its template: a top-level
// window in the taskbar with the program's icon, its pages as the form's frames;
// its taskbar button shows the processing page's progress too.
#include <windows.h>

#include <string>
#include <vector>

#include "installer/win32/form_dialog.h"
#include "installer/win32/form_view_sync.h"
#include "installer/wizard/frm_data_ins.h"
#include "platform/win32/taskbar_progress.h"
#include "platform/win32/win32_handles.h"

namespace wf::win32 {

class DataInsView : public FormDialog {
public:
    // Loads the form into its window and returns when the window has closed.
    static void show(frmDataIns& form);

    DataInsView(frmDataIns& form, HWND dialog);
    ~DataInsView() override;

private:
    // Controls with no frame are on the start page; each button is placed too,
    // under the same id.
    bool load() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void readState() override;
    void showState() override;
    bool formUnloaded() const override { return form_.window.unloaded; }
    HBRUSH staticColours(HWND control, HDC dc) override;

    void showIcon();
    void setFonts();
    // Runs the handler of a button the user pressed, if the form shows it enabled.
    void click(int id);
    // Escape: back a page, Exit on the start page, Finish once an operation has ended.
    void goBack();
    // The window's state on screen now, and the messages that waited meanwhile.
    void redraw();
    // The processing page's bar as the form has it, and the same on the taskbar
    // button while the bar is on screen.
    void showProgress();
    // Tells the system why the session may not end now, or that it may again.
    void showShutdownBlock();
    // Gives the focus to the control the form asked for, or, when the one that had
    // it is no longer shown, to the page's first.
    void moveFocus();
    bool shown(const PlacedControl& control) const;
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    frmDataIns& form_;
    TwipsScale scale_;
    std::vector<PlacedControl> placed_;
    std::vector<ButtonHandler<frmDataIns>> buttons_;
    // Made for this window alone, so the view's to delete.
    FontHandle headingFont_;
    FontHandle statusFont_;
    TaskbarProgress taskbar_;
    // The reason the system was last given for blocking the session's end.
    std::string blockedFor_;
};

}  // namespace wf::win32
