#pragma once
// Drives the programs' windows from end-to-end tests under Wine: finds windows,
// reads and sets control texts, presses buttons, answers message boxes, fills the
// open-file dialog, takes screenshots, and records what it saw.
#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace wf::automation {

using namespace std::chrono_literals;

struct ControlInfo {
    HWND handle = nullptr;
    int id = 0;
    std::string className;
    std::string text;
};

// A visible top-level window seen by the helper.
struct WindowInfo {
    HWND handle = nullptr;
    DWORD processId = 0;
    std::string className;
    std::string title;
};

// A message box as a user sees it: its title, its text and its buttons' texts.
struct MessageBoxInfo {
    HWND handle = nullptr;
    std::string title;
    std::string text;
    std::vector<std::string> buttons;
    bool hasIcon = false;
};

// Keeps a readable trail of everything observed, written to a file on request.
class Recorder {
public:
    void note(const std::string& line);
    const std::vector<std::string>& lines() const { return lines_; }
    bool saveTo(const std::string& path) const;

private:
    std::vector<std::string> lines_;
};

// Waits until a visible top-level window whose title equals `title` (or, when
// `title` is empty, whose class equals `className`) exists; optionally only of process `processId`.
std::optional<WindowInfo> waitForWindow(const std::string& title, const std::string& className = {},
                                        std::chrono::milliseconds timeout = 10s, DWORD processId = 0);

// All visible top-level windows of a process (0: of every process).
std::vector<WindowInfo> topLevelWindows(DWORD processId = 0);

// The child controls of a window, in Z order.
std::vector<ControlInfo> controls(HWND window);

// The text of a window or control (WM_GETTEXT, so it works across processes).
std::string textOf(HWND window);

// The entries of a drop-down list, in its order (read even while the list is hidden).
std::vector<std::string> listEntries(HWND comboBox);

// Finds a child control by its dialog id, or by its class and text.
HWND controlById(HWND window, int id);
HWND controlByText(HWND window, const std::string& className, const std::string& text);

// Sets an edit control's text as typing would (WM_SETTEXT, then EN_CHANGE reaches the owner).
bool setEditText(HWND edit, const std::string& text);

// Picks an entry of a drop-down list by its text as a user would: the list selects
// it (CB_SETCURSEL) and its owner hears of the change (CBN_SELCHANGE).
bool selectListEntry(HWND comboBox, const std::string& entry);

// Presses a button (BM_CLICK) found by its caption ("&Yes" and "Yes" both match "Yes").
bool pressButton(HWND window, const std::string& caption);

// Reads a message box (dialog class #32770 with a static text) that is open.
std::optional<MessageBoxInfo> readMessageBox(HWND box);

// Waits for a message box titled `title` to be open.
std::optional<MessageBoxInfo> waitForMessageBox(const std::string& title, std::chrono::milliseconds timeout = 10s);

// Waits for a message box titled `title` and answers it with the button `caption`.
std::optional<MessageBoxInfo> answerMessageBox(const std::string& title, const std::string& caption,
                                               std::chrono::milliseconds timeout = 10s, Recorder* recorder = nullptr);

// Waits for the open-file dialog titled `title`, types `path` into its file-name box
// and confirms it. Returns what the dialog showed before it was filled.
std::optional<WindowInfo> fillOpenFileDialog(const std::string& title, const std::string& path,
                                             std::chrono::milliseconds timeout = 10s, Recorder* recorder = nullptr);

// Cancels the open-file dialog titled `title`.
bool cancelOpenFileDialog(const std::string& title, std::chrono::milliseconds timeout = 10s);

// Saves a PNG of a window as shown on screen, once it has painted itself (null:
// the whole screen, as it is).
bool saveScreenshot(HWND window, const std::string& pngPath);
// The same without asking the window's thread anything: what the screen shows of
// a window whose thread is busy.
bool saveScreenshotAsItIs(HWND window, const std::string& pngPath);

}  // namespace wf::automation
