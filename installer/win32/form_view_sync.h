#pragma once
// What the dialogs' views share: the change between the forms' twips and the
// screen's pixels, copying a form's window and control state to a dialog, and
// looking up the tables that tie a form's controls and handlers to dialog items.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

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

// Sets a progress bar's range, position and colour to the form's, each only where
// the bar shows another: the bar is brought up to date at every redraw.
void applyProgress(HWND bar, const ProgressBar& state);

// Gives the focus to `control` unless it has it.
void applyFocus(HWND control);

// A row of a view's control table: the dialog item, the form's control it shows,
// the text it shows (null: none the view sets, such as a list's) and the frame it
// sits on (null: the form itself).
struct PlacedControl {
    int id;
    const Control& state;
    const std::string* text;
    const Frame* frame = nullptr;
};

// A row of a view's button table: the dialog item and the form's handler of its click.
template <class Form>
struct ButtonHandler {
    int id;
    void (Form::*click)();
};

// The entry of a view's table (its controls or its buttons) for the dialog item
// `id`; null when the table has none.
template <class Entry>
const Entry* entryFor(const std::vector<Entry>& table, int id) {
    auto found = std::find_if(table.begin(), table.end(), [id](const Entry& entry) { return entry.id == id; });
    return found == table.end() ? nullptr : &*found;
}

// The entry of a view's control table that shows `state`; null when none does.
template <class Entry>
const Entry* entryShowing(const std::vector<Entry>& table, const Control* state) {
    auto found =
        std::find_if(table.begin(), table.end(), [state](const Entry& entry) { return &entry.state == state; });
    return found == table.end() ? nullptr : &*found;
}

}  // namespace wf::win32
