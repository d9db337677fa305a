#pragma once
// dbprep.exe's wizard as a user sees and drives it from outside the program: its
// pages, its buttons and lists, its message boxes and the end of an operation.
#include <windows.h>

#include <optional>
#include <ostream>
#include <string>

#include "tools/automation/automation.h"

namespace wf::sample {

enum class WizardPage { Start, Company, DataSet, Processing };
void PrintTo(WizardPage page, std::ostream* out);

class WizardDriver {
public:
    // Waits for the window of the program `processId`; `found()` tells whether it showed.
    WizardDriver(DWORD processId, automation::Recorder& trail);

    bool found() const { return window_ != nullptr; }
    HWND window() const { return window_; }
    DWORD processId() const { return processId_; }
    HWND control(int id) const { return automation::controlById(window_, id); }
    std::string text(int id) const { return automation::textOf(control(id)); }

    WizardPage page() const;
    // The page once it is `expected`, or the one still shown after a while: a
    // button's click reaches the program after the press returns.
    WizardPage pageBecomes(WizardPage expected) const;

    // False when no such button is there and enabled within a while.
    bool press(const std::string& caption);
    bool choose(int list, const std::string& entry);
    // The program's next message box, once it is open (not yet answered).
    std::optional<automation::MessageBoxInfo> messageBox() const;
    // Answers the program's next message box; its text, or a note that none came.
    std::string answer(const std::string& button);
    // The status line once the operation has ended and Finish may be pressed.
    std::string finishedWith() const;
    // True while the operation whose status line reads `status` runs with only the
    // wizard's window up. Asks the program's thread nothing, as it may be busy.
    bool busyWith(const std::string& status) const;

private:
    bool shows(int id) const { return IsWindowVisible(control(id)) != FALSE; }

    automation::Recorder& trail_;
    DWORD processId_;
    HWND window_ = nullptr;
};

}  // namespace wf::sample
