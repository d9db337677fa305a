#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "installer/dialogs/server_list.h"
#include "installer/win32/dialog_resources.h"
#include "installer/win32/win32_installer_dialogs.h"
#include "platform/win32/win32_user_interface.h"
#include "tests/windows/support/modal_on_thread.h"
#include "tests/windows/dialogs/server_list_target.h"
#include "tests/windows/support/host_paths.h"
#include "tools/automation/automation.h"
#include "tools/automation/poll_for.h"

namespace wf {
namespace {

using namespace automation;
using wf::testing::ModalOnThread;

constexpr char kProgramTitle[] = "Wrenfold Database Install";

std::vector<std::string> listedValues(HWND list) {
    std::vector<std::string> values;
    int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        ListView_GetItemText(list, i, 1, text, sizeof text);
        values.push_back(text);
    }
    return values;
}

int selectedItem(HWND list) { return ListView_GetNextItem(list, -1, LVNI_SELECTED); }

int headingFormat(HWND list) {
    HDITEMA column{};
    column.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(list), 1, &column);
    return column.fmt;
}

template <class Condition>
bool waitUntil(Condition condition) {
    return pollFor(5s, condition);
}

// Presses the left mouse button at a point of `window`'s client area, as the user would.
void clickAt(HWND window, POINT point, int times = 1) {
    ClientToScreen(window, &point);
    SetCursorPos(point.x, point.y);
    for (int i = 0; i < times; ++i) {
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, press, sizeof(INPUT));
    }
}

POINT centreOf(const RECT& area) { return {(area.left + area.right) / 2, (area.top + area.bottom) / 2}; }

// Clicks the list's heading row at `x` (pixels from the list's left edge).
void clickHeading(HWND list, int x) {
    HWND header = ListView_GetHeader(list);
    RECT headings;
    GetClientRect(header, &headings);
    clickAt(header, {x, centreOf(headings).y});
}

int headingCentre(HWND list, int column) {
    RECT heading;
    Header_GetItemRect(ListView_GetHeader(list), column, &heading);
    return centreOf(heading).x;
}

void clickCentreOf(HWND control) {
    RECT area;
    GetClientRect(control, &area);
    clickAt(control, centreOf(area));
}


HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

class DialogsE2eTest : public ::testing::Test {
protected:
    DialogsE2eTest() {
        state_.login.strDBServer = "SRV";
        state_.login.strDBUser = "sa";
        state_.login.strDBPassword = "secret";
        // What an earlier lookup left: a lookup that picks nothing must empty it.
        state_.dialogs.strLookupResult = "stale";
    }

    HWND openLogon() {
        shown_ = std::make_unique<ModalOnThread>([this] {
            // Closed, the dialog's outcome is both the flag and the value returned.
            const bool confirmed = dialogs_.showDbLogon(state_);
            return INT_PTR{confirmed == state_.dialogs.bLogonOK ? 0 : -3};
        });
        auto window = waitForWindow("Database Logon", {}, 10s, GetCurrentProcessId());
        return window ? window->handle : nullptr;
    }
    // Points the server list at the stand-in, opens the logon dialog and, from its
    // server button, the lookup; a window that did not appear is null.
    std::pair<HWND, HWND> openLookupOnStandin() {
        wf::testing::pointServerListAt(wf::testing::standinBrowserPort());
        HWND logon = openLogon();
        return {logon, logon ? openLookup(logon) : nullptr};
    }

    HWND openLookup(HWND logon) {
        PostMessageA(controlById(logon, IDC_LOGON_LOOKUP), BM_CLICK, 0, 0);
        auto window = waitForWindow("SQL Server Lookup", {}, 10s, GetCurrentProcessId());
        return window ? window->handle : nullptr;
    }
    bool logonClosed() { return shown_->result(10s) == 0; }
    // Waits for the window to be gone (a modal dialog closing on its own thread).
    static bool closes(HWND window) {
        return waitUntil([window] { return !IsWindow(window); });
    }
    static void screenshot(HWND window, const std::string& name) {
        std::string folder = wf::testing::windowsPath(WF_SCREENSHOT_DIR);
        CreateDirectoryA(folder.c_str(), nullptr);
        EXPECT_TRUE(saveScreenshot(window, folder + "\\" + name + ".png"));
    }

    InstallerState state_;
    win32::Win32UserInterface ui_{kProgramTitle};
    win32::Win32InstallerDialogs dialogs_{ui_, GetServerList};
    std::unique_ptr<ModalOnThread> shown_;
};

TEST_F(DialogsE2eTest, LogonShowsTheLoginAndOkTakesTheBoxesAsTyped) {
    HWND logon = openLogon();
    ASSERT_TRUE(logon);
    HWND server = controlById(logon, IDC_LOGON_SERVER);
    HWND password = controlById(logon, IDC_LOGON_PASSWORD);
    EXPECT_EQ(textOf(server), "SRV");
    EXPECT_EQ(textOf(controlById(logon, IDC_LOGON_USER)), "sa");
    EXPECT_EQ(textOf(controlById(logon, IDC_LOGON_PROMPT)), "Please enter a valid user ID and password for the SQL server");
    EXPECT_EQ(textOf(controlById(logon, IDC_LOGON_SERVER_LABEL)), "SQL server");
    EXPECT_EQ(textOf(controlById(logon, IDC_LOGON_USER_LABEL)), "Database &user ID");
    EXPECT_EQ(textOf(controlById(logon, IDC_LOGON_PASSWORD_LABEL)), "Database &password");
    EXPECT_TRUE(GetWindowLongA(password, GWL_STYLE) & ES_PASSWORD);
    EXPECT_NE(SendMessageW(password, EM_GETPASSWORDCHAR, 0, 0), 0) << "the password shows as dots";
    auto icon = reinterpret_cast<HICON>(SendMessageA(controlById(logon, IDC_LOGON_LOOKUP), BM_GETIMAGE, IMAGE_ICON, 0));
    EXPECT_TRUE(icon) << "the server button's icon";
    screenshot(logon, "logon");

    ASSERT_TRUE(setEditText(server, " NEWSRV "));
    ASSERT_TRUE(setEditText(controlById(logon, IDC_LOGON_USER), "admin"));
    ASSERT_TRUE(setEditText(password, "p;w"));
    ASSERT_TRUE(pressButton(logon, "OK"));
    ASSERT_TRUE(logonClosed());
    EXPECT_EQ(state_.login.strDBServer, " NEWSRV ");
    EXPECT_EQ(state_.login.strDBUser, "admin");
    EXPECT_EQ(state_.login.strDBPassword, "p;w");
    EXPECT_TRUE(state_.dialogs.bLogonOK);
    EXPECT_FALSE(DestroyIcon(icon)) << "the server button's icon goes with the dialog";
}

TEST_F(DialogsE2eTest, CancelAndTheCloseBoxKeepTheLoginAndClearTheFlag) {
    for (bool byCloseBox : {false, true}) {
        state_.dialogs.bLogonOK = true;
        HWND logon = openLogon();
        ASSERT_TRUE(logon);
        ASSERT_TRUE(setEditText(controlById(logon, IDC_LOGON_SERVER), "edited"));
        if (byCloseBox) {
            PostMessageA(logon, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            ASSERT_TRUE(pressButton(logon, "Cancel"));
        }
        ASSERT_TRUE(logonClosed());
        EXPECT_FALSE(state_.dialogs.bLogonOK) << (byCloseBox ? "close box" : "Cancel");
        EXPECT_EQ(state_.login.strDBServer, "SRV");
    }
}

TEST_F(DialogsE2eTest, LookupListsTheServersSortsSearchesAndResizes) {
    ASSERT_GT(wf::testing::standinBrowserPort(), 0) << "no stand-in: " << WF_STANDIN_PORT_FILE;
    auto [logon, lookup] = openLookupOnStandin();
    ASSERT_TRUE(logon && lookup);
    HWND list = controlById(lookup, IDC_LOOKUP_GRID);
    HWND search = controlById(lookup, IDC_LOOKUP_SEARCH);
    EXPECT_EQ(listedValues(list), (std::vector<std::string>{"WRENHOST", "WRENHOST\\DEV", "WRENHOST\\SQLEXPRESS"}));
    EXPECT_EQ(textOf(controlById(lookup, IDC_LOOKUP_LABEL)), "Server name");
    EXPECT_EQ(selectedItem(list), 0);
    EXPECT_EQ(focusOf(lookup), search);
    screenshot(lookup, "lookup");

    clickHeading(list, headingCentre(list, 1));
    EXPECT_TRUE(waitUntil([&] {
        return listedValues(list) == std::vector<std::string>{"WRENHOST\\SQLEXPRESS", "WRENHOST\\DEV", "WRENHOST"};
    }));
    EXPECT_TRUE(headingFormat(list) & HDF_SORTUP) << "the up arrow while descending";
    screenshot(lookup, "lookup-descending");

    ASSERT_TRUE(setEditText(search, "wrenhost\\s"));
    EXPECT_EQ(selectedItem(list), 0);
    ASSERT_TRUE(setEditText(search, "wrenhost\\"));
    EXPECT_EQ(selectedItem(list), 1) << "the first in ascending order that begins so";
    PostMessageA(search, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(waitUntil([&] { return selectedItem(list) == 2; }));

    RECT before, after;
    GetWindowRect(controlById(lookup, IDOK), &before);
    RECT frame;
    GetWindowRect(lookup, &frame);
    SetWindowPos(lookup, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + 150, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(controlById(lookup, IDOK), &after);
    EXPECT_NEAR(after.top - before.top, 150, 2) << "the buttons stay at the bottom";
    screenshot(lookup, "lookup-resized");

    PostMessageA(search, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(closes(lookup));
    EXPECT_EQ(state_.dialogs.strLookupResult, "");
    HWND server = controlById(logon, IDC_LOGON_SERVER);
    EXPECT_EQ(textOf(server), "SRV");
    EXPECT_TRUE(waitUntil([&] { return focusOf(logon) == server; }));
    ASSERT_TRUE(pressButton(logon, "Cancel"));
    ASSERT_TRUE(logonClosed());
}

TEST_F(DialogsE2eTest, ServerPickedInTheLookupLandsInTheServerBox) {
    ASSERT_GT(wf::testing::standinBrowserPort(), 0) << "no stand-in: " << WF_STANDIN_PORT_FILE;
    auto [logon, lookup] = openLookupOnStandin();
    ASSERT_TRUE(logon && lookup);
    HWND search = controlById(lookup, IDC_LOOKUP_SEARCH);
    ASSERT_TRUE(setEditText(search, "wrenhost\\s"));
    EXPECT_EQ(selectedItem(controlById(lookup, IDC_LOOKUP_GRID)), 2);
    PostMessageA(search, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(closes(lookup));

    HWND server = controlById(logon, IDC_LOGON_SERVER);
    EXPECT_TRUE(waitUntil([&] { return textOf(server) == "WRENHOST\\SQLEXPRESS"; }));
    EXPECT_TRUE(waitUntil([&] { return focusOf(logon) == controlById(logon, IDC_LOGON_USER); }));
    ASSERT_TRUE(pressButton(logon, "OK"));
    ASSERT_TRUE(logonClosed());
    EXPECT_EQ(state_.login.strDBServer, "WRENHOST\\SQLEXPRESS");
    EXPECT_TRUE(state_.dialogs.bLogonOK);
}

TEST_F(DialogsE2eTest, MouseSortsByTheHeadingAndADoubleClickPicksTheRow) {
    ASSERT_GT(wf::testing::standinBrowserPort(), 0) << "no stand-in: " << WF_STANDIN_PORT_FILE;
    auto [logon, lookup] = openLookupOnStandin();
    ASSERT_TRUE(logon && lookup);
    HWND list = controlById(lookup, IDC_LOOKUP_GRID);
    RECT valueHeading, headings;
    Header_GetItemRect(ListView_GetHeader(list), 1, &valueHeading);
    GetClientRect(ListView_GetHeader(list), &headings);
    ASSERT_GT(headings.right - valueHeading.right, 20) << "room beside the last heading";
    auto firstListed = [&] { return listedValues(list).front(); };
    clickHeading(list, headingCentre(list, 1));
    EXPECT_TRUE(waitUntil([&] { return firstListed() == "WRENHOST\\SQLEXPRESS"; })) << "sorted descending";
    // The server list sorts by a press anywhere in the heading row.
    clickHeading(list, headingCentre(list, 0));
    EXPECT_TRUE(waitUntil([&] { return firstListed() == "WRENHOST"; })) << "the marker column's heading";
    clickHeading(list, (valueHeading.right + headings.right) / 2);
    EXPECT_TRUE(waitUntil([&] { return firstListed() == "WRENHOST\\SQLEXPRESS"; })) << "beside the last heading";

    RECT row;
    ListView_GetItemRect(list, 1, &row, LVIR_LABEL);
    clickAt(list, centreOf(row));
    EXPECT_TRUE(waitUntil([&] { return selectedItem(list) == 1; }));
    EXPECT_TRUE(waitUntil([&] { return focusOf(lookup) == controlById(lookup, IDC_LOOKUP_SEARCH); }))
        << "a release on the grid gives the search box the focus";
    clickAt(list, centreOf(row), 2);
    ASSERT_TRUE(closes(lookup));
    HWND server = controlById(logon, IDC_LOGON_SERVER);
    EXPECT_TRUE(waitUntil([&] { return textOf(server) == "WRENHOST\\DEV"; }));
    ASSERT_TRUE(pressButton(logon, "Cancel"));
    ASSERT_TRUE(logonClosed());
    EXPECT_EQ(state_.login.strDBServer, "SRV");
}

TEST_F(DialogsE2eTest, LookupWithoutAnswersSaysSoAndCloses) {
    wf::testing::SilentUdpPort silent;
    ASSERT_GT(silent.port(), 0);
    wf::testing::pointServerListAt(silent.port());
    HWND logon = openLogon();
    ASSERT_TRUE(logon);
    PostMessageA(controlById(logon, IDC_LOGON_LOOKUP), BM_CLICK, 0, 0);
    auto box = waitForWindow(kProgramTitle, {}, 10s, GetCurrentProcessId());
    ASSERT_TRUE(box);
    // The lookup behind the box: the one other dialog on screen.
    HWND lookup = nullptr;
    for (const WindowInfo& window : topLevelWindows(GetCurrentProcessId()))
        if (window.handle != logon && window.handle != box->handle && window.className == "#32770") lookup = window.handle;
    ASSERT_TRUE(lookup) << "the lookup stands behind the message";
    screenshot(box->handle, "lookup-no-servers");

    // The box is moved off the lookup, so that the clicks land on the lookup itself.
    RECT behind;
    GetWindowRect(lookup, &behind);
    SetWindowPos(box->handle, nullptr, behind.left, behind.bottom + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    clickCentreOf(controlById(lookup, IDOK));
    clickCentreOf(controlById(lookup, IDCANCEL));
    // Nothing may come of the clicks: the check is a time in which neither window goes.
    EXPECT_FALSE(pollFor(500ms, [&] { return !IsWindowVisible(lookup) || !IsWindowVisible(box->handle); }))
        << "the clicks behind the message reached the lookup";

    auto answered = answerMessageBox(kProgramTitle, "OK");
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->text, "No SQL servers currently available");
    EXPECT_TRUE(answered->hasIcon);
    EXPECT_TRUE(closes(lookup));
    EXPECT_EQ(textOf(controlById(logon, IDC_LOGON_SERVER)), "SRV");
    ASSERT_TRUE(pressButton(logon, "Cancel"));
    ASSERT_TRUE(logonClosed());
    EXPECT_EQ(state_.dialogs.strLookupResult, "");
}

}  // namespace
}  // namespace wf
