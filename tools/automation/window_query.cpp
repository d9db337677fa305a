// Finding windows and controls and reading their texts.
#include <windows.h>

#include "tools/automation/automation.h"
#include "tools/automation/control_text.h"
#include "tools/automation/polling.h"

namespace wf::automation {
namespace {

std::string classOf(HWND window) {
    char name[256] = {};
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

// The caption a window keeps itself: read without a message, so a busy program
// never slows a search through the top-level windows.
std::string captionOf(HWND window) {
    char caption[512] = {};
    int copied = GetWindowTextA(window, caption, sizeof caption);
    return std::string(caption, copied > 0 ? copied : 0);
}

BOOL CALLBACK collectHandle(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<std::vector<HWND>*>(param);
    found->push_back(window);
    return TRUE;
}

}  // namespace

std::string textOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length))
        return captionOf(window);  // a hung program's caption is still readable
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kMessageTimeoutMs, &copied))
        return {};
    text.resize(copied < length ? copied : length);
    return text;
}

std::vector<std::string> listEntries(HWND comboBox) {
    // Asked in the wide form, which the system carries across processes whatever
    // form the list keeps its entries in, and given back in the ANSI code page.
    std::vector<std::string> entries;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(comboBox, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &count)) return entries;
    for (WPARAM index = 0; index < count; ++index) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(comboBox, CB_GETLBTEXTLEN, index, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length) ||
            length == static_cast<DWORD_PTR>(CB_ERR))
            return entries;
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                 kMessageTimeoutMs, &copied) ||
            copied > length)
            return entries;
        std::string entry(copied * 2, '\0');
        int converted = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(copied), entry.data(),
                                            static_cast<int>(entry.size()), nullptr, nullptr);
        entry.resize(converted > 0 ? converted : 0);
        entries.push_back(entry);
    }
    return entries;
}

std::vector<WindowInfo> topLevelWindows(DWORD processId) {
    std::vector<HWND> handles;
    EnumWindows(collectHandle, reinterpret_cast<LPARAM>(&handles));
    std::vector<WindowInfo> windows;
    for (HWND handle : handles) {
        if (!IsWindowVisible(handle)) continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(handle, &owner);
        if (processId != 0 && owner != processId) continue;
        windows.push_back({handle, owner, classOf(handle), captionOf(handle)});
    }
    return windows;
}

std::optional<WindowInfo> waitForWindow(const std::string& title, const std::string& className,
                                        std::chrono::milliseconds timeout, DWORD processId) {
    return pollFor(timeout, [&]() -> std::optional<WindowInfo> {
        for (const WindowInfo& window : topLevelWindows(processId)) {
            if (!title.empty() && window.title != title) continue;
            if (!className.empty() && !sameClassName(window.className, className)) continue;
            if (title.empty() && className.empty()) continue;
            return window;
        }
        return std::nullopt;
    });
}

std::vector<ControlInfo> controls(HWND window) {
    std::vector<HWND> handles;
    EnumChildWindows(window, collectHandle, reinterpret_cast<LPARAM>(&handles));
    std::vector<ControlInfo> found;
    for (HWND handle : handles) found.push_back({handle, GetDlgCtrlID(handle), classOf(handle), textOf(handle)});
    return found;
}

HWND controlById(HWND window, int id) {
    for (const ControlInfo& control : controls(window))
        if (control.id == id) return control.handle;
    return nullptr;
}

HWND controlByText(HWND window, const std::string& className, const std::string& text) {
    const std::string wanted = withoutMnemonic(text);
    for (const ControlInfo& control : controls(window)) {
        if (!className.empty() && !sameClassName(control.className, className)) continue;
        if (withoutMnemonic(control.text) == wanted) return control.handle;
    }
    return nullptr;
}

}  // namespace wf::automation
