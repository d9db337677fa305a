#pragma once
// What the dialogs' views share: the change between the forms' twips and the
// screen's pixels, and copying a form's window and control state to a dialog.
#include <windows.h>

#include <string>

#include "installer/dialogs/form_controls.h"

namespace wf::win32 {

class TwipsScale {
public:
    // The scale of the screen the window `window` is on.
    explicit TwipsScale(HWND window);
    int pixels(int twips) const { return MulDiv(twips, dpi_, 1440); }
    int twips(int pixels) const { return MulDiv(pixels, 1440, dpi_); }

private:
    int dpi_;
};

// The screen's size in twips.
ScreenArea screenArea(const TwipsScale& scale);

// The dialog's place and outer size in twips, as the form keeps them.
void readWindowPlace(HWND dialog, const TwipsScale& scale, FormWindow& window);

// Places and sizes the dialog as the form says, and sets its caption.
void applyWindow(HWND dialog, const TwipsScale& scale, const FormWindow& window);

// Places, shows and enables one control as the form says (positions in the
// dialog's client area).
void applyPlacement(HWND control, const TwipsScale& scale, const Control& state);
void applyVisibility(HWND control, const Control& state);

// Sets a window's text unless it already reads so (no needless change notices).
void applyText(HWND control, const std::string& text);
std::string windowText(HWND control);

// Fills a drop-down list with the form's entries (unless it holds them already)
// and selects its entry; reads back the entry the user selected (-1: none).
void applyList(HWND comboBox, const ComboBox& state);
int selectedEntry(HWND comboBox);

// Gives the focus to `control` unless it has it.
void applyFocus(HWND control);

}  // namespace wf::win32
