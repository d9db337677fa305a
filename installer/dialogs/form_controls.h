#pragma once
// Control state of the dialogs' forms, in the forms' own units (twips). A view
// copies this state to the real window after each handler and reports the user's
// actions back as handler calls.
#include <functional>
#include <string>
#include <vector>

namespace wf {

struct Control {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool visible = true;
    bool enabled = true;
};

struct TextBox : Control {
    std::string text;
};

struct Label : Control {
    std::string caption;
};

struct CommandButton : Control {
    std::string caption;
};

struct PictureBox : Control {};

// A progress bar: `value` of `maximum` done; `failed` shows it in the error
// colour. The window's taskbar button shows the same while the bar is shown.
struct ProgressBar : Control {
    int maximum = 100;
    int value = 0;
    bool failed = false;
};

// A frame without caption: it shows or hides the controls placed on it.
struct Frame : Control {};

// A drop-down list that takes only its own entries.
struct ComboBox : Control {
    std::vector<std::string> items;
    // The selected entry, -1 when none.
    int listIndex = -1;
};

// The window of a form: its caption, place and size, the control that has the
// focus, and whether the form has unloaded itself (the view then closes it).
struct FormWindow {
    std::string caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string tag;
    const Control* focus = nullptr;
    bool unloaded = false;
    // Shows the form's state on screen while one of its handlers is still running
    // and lets the window answer meanwhile; set by the view (empty: no window).
    std::function<void()> refresh;
    // While not empty, the window refuses the end of the user's session (log-off,
    // shutdown) and gives this reason.
    std::string shutdownBlockReason;
};

// The screen the form is shown on, in twips.
struct ScreenArea {
    int width = 0;
    int height = 0;
};

}  // namespace wf
