// Typing into edits, picking list entries and pressing buttons of another program's windows.
#include <windows.h>

#include <algorithm>

#include "tools/automation/automation.h"
#include "tools/automation/control_text.h"
#include "tools/automation/polling.h"

namespace wf::automation {

bool setEditText(HWND edit, const std::string& text) {
    // The edit control itself tells its owner of the change (EN_CHANGE), as with typing.
    DWORD_PTR accepted = 0;
    if (!SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &accepted))
        return false;
    return accepted != FALSE;
}

bool selectListEntry(HWND comboBox, const std::string& entry) {
    const std::vector<std::string> entries = listEntries(comboBox);
    const auto found = std::find(entries.begin(), entries.end(), entry);
    if (found == entries.end()) return false;
    DWORD_PTR selected = 0;
    const WPARAM index = static_cast<WPARAM>(found - entries.begin());
    if (!SendMessageTimeoutA(comboBox, CB_SETCURSEL, index, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &selected) ||
        selected == static_cast<DWORD_PTR>(CB_ERR))
        return false;
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(comboBox), SMTO_ABORTIFHUNG, kMessageTimeoutMs, &ignored) != 0;
}

bool pressButton(HWND window, const std::string& caption) {
    HWND button = controlByText(window, "Button", caption);
    if (button == nullptr || !IsWindowEnabled(button) || !IsWindowVisible(button)) return false;
    // Posted, not sent: the click often opens a modal dialog, whose loop would
    // otherwise hold this call until the dialog is closed.
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

}  // namespace wf::automation
