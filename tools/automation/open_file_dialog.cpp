// Filling and cancelling the open-file dialog (Wine's and Windows' common dialog,
// old style or Explorer style).
#include <windows.h>

#include "tools/automation/automation.h"
#include "tools/automation/control_text.h"
#include "tools/automation/polling.h"

namespace wf::automation {
namespace {

// Dialog ids of the file-name box: an edit in the old style, a combo box holding
// an edit in the Explorer style.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47C;

HWND fileNameBox(HWND dialog) {
    const std::vector<ControlInfo> all = controls(dialog);
    for (const ControlInfo& control : all)
        if (control.id == kFileNameEdit && sameClassName(control.className, "Edit") && IsWindowVisible(control.handle))
            return control.handle;
    for (const ControlInfo& control : all)
        if (control.id == kFileNameCombo)
            for (const ControlInfo& inner : controls(control.handle))
                if (sameClassName(inner.className, "Edit")) return inner.handle;
    return nullptr;
}

// The dialog, not a message box of the same title that it may show over itself.
std::optional<WindowInfo> waitForFileDialog(const std::string& title, std::chrono::milliseconds timeout) {
    return pollFor(timeout, [&]() -> std::optional<WindowInfo> {
        for (const WindowInfo& window : topLevelWindows())
            if (window.title == title && window.className == "#32770" && fileNameBox(window.handle) != nullptr)
                return window;
        return std::nullopt;
    });
}

// True once the dialog shows a message box of its own, as it does over a name it refuses.
bool complains(HWND dialog) {
    for (const WindowInfo& window : topLevelWindows())
        if (GetWindow(window.handle, GW_OWNER) == dialog && IsWindowVisible(window.handle) &&
            readMessageBox(window.handle))
            return true;
    return false;
}

void pressDialogButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace

std::optional<WindowInfo> fillOpenFileDialog(const std::string& title, const std::string& path,
                                             std::chrono::milliseconds timeout, Recorder* recorder) {
    const auto start = std::chrono::steady_clock::now();
    auto dialog = waitForFileDialog(title, timeout);
    if (!dialog) {
        if (recorder) recorder->note("no open-file dialog \"" + title + "\" appeared");
        return std::nullopt;
    }
    if (recorder) recorder->note("open-file dialog \"" + title + "\"");
    HWND box = fileNameBox(dialog->handle);
    if (box == nullptr || !setEditText(box, path)) {
        if (recorder) recorder->note("open-file dialog \"" + title + "\" has no file-name box");
        return std::nullopt;
    }
    pressDialogButton(dialog->handle, IDOK);
    const auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    // Taken when the dialog closes; refused when it complains, or stays past the time.
    const std::optional<bool> taken = pollFor(timeout > spent ? timeout - spent : 0ms, [&]() -> std::optional<bool> {
        if (!IsWindow(dialog->handle) || !IsWindowVisible(dialog->handle)) return true;
        if (complains(dialog->handle)) return false;
        return std::nullopt;
    });
    if (!taken.value_or(false)) {
        if (recorder) recorder->note("open-file dialog \"" + title + "\" did not take \"" + path + "\"");
        return std::nullopt;
    }
    if (recorder) recorder->note("chose \"" + path + "\"");
    return dialog;
}

bool cancelOpenFileDialog(const std::string& title, std::chrono::milliseconds timeout) {
    auto dialog = waitForFileDialog(title, timeout);
    if (!dialog) return false;
    pressDialogButton(dialog->handle, IDCANCEL);
    return waitUntilClosed(dialog->handle, timeout);
}

}  // namespace wf::automation
