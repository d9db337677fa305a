#include "installer/win32/form_view_sync.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/win32_handles.h"

namespace wf::win32 {

TwipsScale::TwipsScale(HWND window) {
    const WindowDeviceContext screen(window);
    dpi_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (dpi_ <= 0) dpi_ = 96;
}

ScreenArea screenArea(const TwipsScale& scale) {
    return {scale.twips(GetSystemMetrics(SM_CXSCREEN)), scale.twips(GetSystemMetrics(SM_CYSCREEN))};
}

void readWindowPlace(HWND dialog, const TwipsScale& scale, FormWindow& window) {
    RECT outer;
    GetWindowRect(dialog, &outer);
    window.left = scale.twips(outer.left);
    window.top = scale.twips(outer.top);
    window.width = scale.twips(outer.right - outer.left);
    window.height = scale.twips(outer.bottom - outer.top);
}

void applyWindow(HWND dialog, const TwipsScale& scale, const FormWindow& window) {
    applyText(dialog, window.caption);
    RECT outer;
    GetWindowRect(dialog, &outer);
    int left = scale.pixels(window.left);
    int top = scale.pixels(window.top);
    int width = scale.pixels(window.width);
    int height = scale.pixels(window.height);
    if (outer.left != left || outer.top != top || outer.right - outer.left != width || outer.bottom - outer.top != height) {
        SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void applyPlacement(HWND control, const TwipsScale& scale, const Control& state) {
    SetWindowPos(control, nullptr, scale.pixels(state.left), scale.pixels(state.top), scale.pixels(state.width),
                 scale.pixels(state.height), SWP_NOZORDER | SWP_NOACTIVATE);
    applyVisibility(control, state);
}

void applyVisibility(HWND control, const Control& state) {
    if ((IsWindowVisible(control) != FALSE) != state.visible) ShowWindow(control, state.visible ? SW_SHOW : SW_HIDE);
    if ((IsWindowEnabled(control) != FALSE) != state.enabled) EnableWindow(control, state.enabled);
}

std::string windowText(HWND control) {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return text.data();
}

void applyText(HWND control, const std::string& text) {
    if (windowText(control) != text) SetWindowTextA(control, text.c_str());
}

namespace {

std::vector<std::string> listEntries(HWND comboBox) {
    std::vector<std::string> entries;
    const LRESULT count = SendMessageA(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        std::vector<char> text(static_cast<std::size_t>(SendMessageA(comboBox, CB_GETLBTEXTLEN, index, 0)) + 1, '\0');
        SendMessageA(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        entries.emplace_back(text.data());
    }
    return entries;
}

}  // namespace

void applyList(HWND comboBox, const ComboBox& state) {
    if (listEntries(comboBox) != state.items) {
        SendMessageA(comboBox, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : state.items) SendMessageA(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    if (selectedEntry(comboBox) != state.listIndex) SendMessageA(comboBox, CB_SETCURSEL, static_cast<WPARAM>(state.listIndex), 0);
}

int selectedEntry(HWND comboBox) { return static_cast<int>(SendMessageA(comboBox, CB_GETCURSEL, 0, 0)); }

void applyProgress(HWND bar, const ProgressBar& state) {
    if (SendMessageA(bar, PBM_GETRANGE, FALSE, 0) != state.maximum) SendMessageA(bar, PBM_SETRANGE32, 0, state.maximum);
    if (SendMessageA(bar, PBM_GETPOS, 0, 0) != state.value) SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(state.value), 0);
    const LRESULT colour = state.failed ? PBST_ERROR : PBST_NORMAL;
    if (SendMessageA(bar, PBM_GETSTATE, 0, 0) != colour) SendMessageA(bar, PBM_SETSTATE, static_cast<WPARAM>(colour), 0);
}

void applyFocus(HWND control) {
    if (control && GetFocus() != control) SetFocus(control);
}

}  // namespace wf::win32
