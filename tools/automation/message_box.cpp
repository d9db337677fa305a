// Reading and answering message boxes of the programs under test.
#include <windows.h>

#include "tools/automation/automation.h"
#include "tools/automation/control_text.h"
#include "tools/automation/polling.h"

namespace wf::automation {
namespace {

// The message text's static carries the "no id" of dialog templates.
constexpr WORD kMessageTextId = 0xFFFF;

bool isIconStatic(HWND control) {
    return (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

bool showsIcon(HWND iconStatic) {
    DWORD_PTR icon = 0;
    return SendMessageTimeoutA(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &icon) && icon != 0;
}

std::string describe(const MessageBoxInfo& box) {
    std::string line = "message box \"" + box.title + "\": \"" + box.text + "\" buttons:";
    for (const std::string& button : box.buttons) line += " [" + button + "]";
    if (box.hasIcon) line += " with icon";
    return line;
}

}  // namespace

std::optional<MessageBoxInfo> readMessageBox(HWND box) {
    char className[16] = {};
    GetClassNameA(box, className, sizeof className);
    if (std::string(className) != "#32770") return std::nullopt;
    MessageBoxInfo info;
    info.handle = box;
    info.title = textOf(box);
    bool hasText = false;
    for (const ControlInfo& control : controls(box)) {
        if (GetParent(control.handle) != box) continue;
        if (sameClassName(control.className, "Button")) {
            if (IsWindowVisible(control.handle)) info.buttons.push_back(withoutMnemonic(control.text));
        } else if (!sameClassName(control.className, "Static")) {
            return std::nullopt;  // a dialog of the program's own, not a message box
        } else if (isIconStatic(control.handle)) {
            // A box without an icon keeps the icon's place hidden and empty.
            info.hasIcon = info.hasIcon || (IsWindowVisible(control.handle) && showsIcon(control.handle));
        } else if (static_cast<WORD>(control.id) == kMessageTextId) {
            info.text = control.text;
            hasText = true;
        }
    }
    if (!hasText) return std::nullopt;
    return info;
}

std::optional<MessageBoxInfo> waitForMessageBox(const std::string& title, std::chrono::milliseconds timeout) {
    return pollFor(timeout, [&]() -> std::optional<MessageBoxInfo> {
        for (const WindowInfo& window : topLevelWindows())
            if (window.title == title)
                if (auto read = readMessageBox(window.handle)) return read;
        return std::nullopt;
    });
}

std::optional<MessageBoxInfo> answerMessageBox(const std::string& title, const std::string& caption,
                                               std::chrono::milliseconds timeout, Recorder* recorder) {
    auto box = waitForMessageBox(title, timeout);
    if (!box) {
        if (recorder) recorder->note("no message box \"" + title + "\" appeared");
        return std::nullopt;
    }
    if (recorder) recorder->note(describe(*box));
    if (!pressButton(box->handle, caption)) {
        if (recorder) recorder->note("message box \"" + title + "\" has no button \"" + caption + "\"");
        return std::nullopt;
    }
    if (recorder) recorder->note("answered \"" + caption + "\"");
    return box;
}

}  // namespace wf::automation
