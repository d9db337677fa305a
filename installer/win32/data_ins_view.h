#pragma once
// Shows frmDataIns, the installer's main window, from its template: a top-level
// window in the taskbar with the program's icon, its pages as the form's frames.
#include <windows.h>

#include <vector>

#include "installer/frm_data_ins.h"
#include "installer/win32/form_dialog.h"
#include "installer/win32/form_view_sync.h"

namespace wf::win32 {

class DataInsView : public FormDialog {
public:
    // Loads the form into its window and returns when the window has closed.
    static void show(frmDataIns& form);

    DataInsView(frmDataIns& form, HWND dialog);
    ~DataInsView() override;

private:
    // A control with a caption, and the frame it is placed on (null: the start page).
    struct CaptionedControl {
        int id;
        const Control& state;
        const std::string& caption;
        const Frame* frame;
    };

    bool load() override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void readState() override;
    void showState() override;
    bool formUnloaded() const override { return form_.window.unloaded; }
    HBRUSH staticColours(HWND control, HDC dc) override;

    void showIcon();
    void setFonts();
    // Shows a control as its own state and its page allow: a frame shows or hides
    // what is placed on it, and the frames are opaque and cover the start page.
    void applyShown(int id, const Control& state, const Frame* frame);
    HWND item(int id) const { return GetDlgItem(dialog_, id); }

    frmDataIns& form_;
    TwipsScale scale_;
    std::vector<CaptionedControl> captioned_;
    // Made for this window alone, so the view's to delete.
    HFONT headingFont_ = nullptr;
    HFONT statusFont_ = nullptr;
};

}  // namespace wf::win32
