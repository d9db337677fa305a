#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

#include "tests/windows/support/modal_on_thread.h"
#include "tests/windows/automation/png_reading.h"
#include "tests/windows/support/scratch_folder.h"
#include "tools/automation/automation.h"
#include "tools/automation/poll_for.h"

namespace wf::automation {
namespace {

using wf::testing::ModalOnThread;
using wf::testing::readFileText;
using wf::testing::ScratchFolder;

constexpr char kFormTitle[] = "Automation Test Form";
constexpr int kNameEdit = 101, kApplyButton = 102, kLockedButton = 103, kEchoLabel = 104;

// A small form on a thread of its own: typing in the edit counts changes, Apply
// copies the edit's text to the label.
class TestForm {
public:
    TestForm() {
        std::promise<HWND> created;
        auto ready = created.get_future();
        thread_ = std::thread([this, &created] { run(created); });
        window_ = ready.get();
    }
    ~TestForm() {
        PostMessageA(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    HWND window() const { return window_; }
    int changes() const { return changes_; }

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TestForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_COMMAND && LOWORD(wParam) == kNameEdit && HIWORD(wParam) == EN_CHANGE) ++self->changes_;
        if (message == WM_COMMAND && LOWORD(wParam) == kApplyButton && HIWORD(wParam) == BN_CLICKED) {
            char text[256] = {};
            GetDlgItemTextA(window, kNameEdit, text, sizeof text);
            SetDlgItemTextA(window, kEchoLabel, text);
        }
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void run(std::promise<HWND>& created) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = proc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = "WfAutomationTestForm";
        RegisterClassA(&windowClass);
        HWND window = CreateWindowExA(0, windowClass.lpszClassName, kFormTitle, WS_OVERLAPPEDWINDOW, 40, 40, 320, 200,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        auto child = [&](const char* cls, const char* text, DWORD style, int y, int id) {
            return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 24, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), windowClass.hInstance, nullptr);
        };
        child("EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 10, kNameEdit);
        child("BUTTON", "&Apply", BS_PUSHBUTTON, 40, kApplyButton);
        child("BUTTON", "&Locked", BS_PUSHBUTTON | WS_DISABLED, 70, kLockedButton);
        child("STATIC", "", 0, 100, kEchoLabel);
        ShowWindow(window, SW_SHOWNORMAL);
        created.set_value(window);
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    }

    std::thread thread_;
    HWND window_ = nullptr;
    std::atomic<int> changes_{0};
};

TEST(WindowDriving, FindsTheFormAndReadsItsControls) {
    TestForm form;
    auto byTitle = waitForWindow(kFormTitle, {}, 5s, GetCurrentProcessId());
    ASSERT_TRUE(byTitle);
    EXPECT_EQ(byTitle->handle, form.window());
    EXPECT_EQ(byTitle->className, "WfAutomationTestForm");
    auto byClass = waitForWindow({}, "wfautomationtestform", 5s);
    ASSERT_TRUE(byClass);
    EXPECT_EQ(byClass->handle, form.window());

    std::vector<ControlInfo> found = controls(form.window());
    ASSERT_EQ(found.size(), 4u);
    EXPECT_EQ(found[1].id, kApplyButton);
    EXPECT_EQ(found[1].className, "Button");
    EXPECT_EQ(found[1].text, "&Apply");
    EXPECT_EQ(controlByText(form.window(), "Button", "Apply"), found[1].handle);
    EXPECT_EQ(controlById(form.window(), kEchoLabel), found[3].handle);
    EXPECT_EQ(controlById(form.window(), 999), nullptr);
}

TEST(WindowDriving, WaitingForAMissingWindowGivesUpAtTheTimeout) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(waitForWindow("No Such Window Anywhere", {}, 300ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
    TestForm form;
    EXPECT_FALSE(waitForWindow(kFormTitle, {}, 300ms, GetCurrentProcessId() + 4)) << "another process's window";

    Recorder recorder;
    EXPECT_FALSE(fillOpenFileDialog("No Such Dialog", "C:\\x.txt", 300ms, &recorder));
    EXPECT_EQ(recorder.lines().back(), "no open-file dialog \"No Such Dialog\" appeared");
    EXPECT_FALSE(cancelOpenFileDialog("No Such Dialog", 300ms));
}

TEST(WindowDriving, TypesIntoAnEditAndPressesButtons) {
    TestForm form;
    HWND edit = controlById(form.window(), kNameEdit);
    ASSERT_TRUE(setEditText(edit, "Tab\there  & there"));
    EXPECT_EQ(textOf(edit), "Tab\there  & there");
    EXPECT_GE(form.changes(), 1) << "the form heard of the change";

    ASSERT_TRUE(pressButton(form.window(), "&Apply"));
    HWND label = controlById(form.window(), kEchoLabel);
    pollFor(2s, [&] { return !textOf(label).empty(); });
    EXPECT_EQ(textOf(label), "Tab\there  & there");

    EXPECT_FALSE(pressButton(form.window(), "Locked")) << "disabled";
    EXPECT_FALSE(pressButton(form.window(), "Missing"));
    EXPECT_FALSE(setEditText(controlById(form.window(), 999), "nowhere"));
}

TEST(WindowDriving, AnswersAMessageBoxAndReportsWhatItShowed) {
    ModalOnThread box([] {
        return static_cast<INT_PTR>(
            MessageBoxA(nullptr, "First line\r\nSecond  line ", "Automation Question", MB_YESNO | MB_ICONQUESTION));
    });
    Recorder recorder;
    auto answered = answerMessageBox("Automation Question", "No", 10s, &recorder);
    ASSERT_TRUE(answered);
    EXPECT_EQ(answered->text, "First line\r\nSecond  line ");
    EXPECT_EQ(answered->buttons, (std::vector<std::string>{"Yes", "No"}));
    EXPECT_TRUE(answered->hasIcon);
    EXPECT_EQ(box.result(5s), IDNO);
    ASSERT_EQ(recorder.lines().size(), 2u);
    EXPECT_EQ(recorder.lines()[1], "answered \"No\"");
}

TEST(WindowDriving, TellsAPlainMessageBoxAndAWrongAnswerApart) {
    ModalOnThread box([] { return static_cast<INT_PTR>(MessageBoxA(nullptr, "Done.", "Automation Note", MB_OK)); });
    Recorder recorder;
    EXPECT_FALSE(answerMessageBox("Automation Note", "Retry", 10s, &recorder)) << "no such button";
    auto answered = answerMessageBox("Automation Note", "OK", 10s, &recorder);
    ASSERT_TRUE(answered);
    EXPECT_FALSE(answered->hasIcon);
    EXPECT_EQ(answered->buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(box.result(5s), IDOK);
    EXPECT_FALSE(answerMessageBox("Automation Note", "OK", 300ms, &recorder)) << "already gone";
    EXPECT_EQ(recorder.lines().back(), "no message box \"Automation Note\" appeared");
}

TEST(WindowDriving, SavesAScreenshotOfAWindowAsPng) {
    TestForm form;
    ASSERT_TRUE(waitForWindow(kFormTitle, {}, 5s));
    ScratchFolder scratch("shot");
    ASSERT_TRUE(saveScreenshot(form.window(), scratch.path() + "\\form.png"));
    auto picture = wf::testing::readPng(readFileText(scratch.path() + "\\form.png"));
    ASSERT_TRUE(picture) << "a well-formed PNG";
    RECT area{};
    GetWindowRect(form.window(), &area);
    EXPECT_EQ(picture->width, static_cast<std::uint32_t>(area.right - area.left));
    EXPECT_EQ(picture->height, static_cast<std::uint32_t>(area.bottom - area.top));

    EXPECT_FALSE(saveScreenshot(form.window(), scratch.path() + "\\missing\\form.png"));
}

class OpenFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        GetCurrentDirectoryA(MAX_PATH, startFolder_);
        wf::testing::writeFileText(chosen_, "x");
    }
    // The old-style dialog moves the current folder to the chosen file's, which
    // would keep the scratch folder from being removed.
    void TearDown() override { SetCurrentDirectoryA(startFolder_); }

    static UINT_PTR CALLBACK oldStyleHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

    ModalOnThread openDialog(bool explorer, std::string& picked) {
        return ModalOnThread([explorer, &picked] {
            char file[MAX_PATH] = "start.txt";
            OPENFILENAMEA dialog{};
            dialog.lStructSize = sizeof dialog;
            dialog.lpstrFilter = "Text files (*.txt)\0*.txt\0All files\0*.*\0";
            dialog.lpstrFile = file;
            dialog.nMaxFile = sizeof file;
            dialog.lpstrTitle = "Automation Pick";
            dialog.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | (explorer ? OFN_EXPLORER : OFN_ENABLEHOOK);
            if (!explorer) dialog.lpfnHook = oldStyleHook;
            BOOL ok = GetOpenFileNameA(&dialog);
            picked = file;
            return static_cast<INT_PTR>(ok);
        });
    }

    char startFolder_[MAX_PATH] = {};
    ScratchFolder scratch_{"pick"};
    const std::string chosen_ = scratch_.path() + "\\chosen.txt";
};

// The open-file dialog in both looks: Explorer style, and the old style that a hook
// without OFN_EXPLORER brings up.
class OpenFileDialog : public OpenFileDialogTest, public ::testing::WithParamInterface<bool> {};

TEST_P(OpenFileDialog, TakesATypedPath) {
    std::string picked;
    ModalOnThread dialog = openDialog(GetParam(), picked);
    auto open = waitForWindow("Automation Pick", "#32770", 15s);
    ASSERT_TRUE(open);
    EXPECT_FALSE(readMessageBox(open->handle)) << "a dialog, not a message box";
    Recorder recorder;
    auto shown = fillOpenFileDialog("Automation Pick", chosen_, 15s, &recorder);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->className, "#32770");
    ASSERT_EQ(dialog.result(10s), TRUE);
    EXPECT_EQ(picked, chosen_);
}

TEST_P(OpenFileDialog, IsCancelled) {
    std::string picked;
    ModalOnThread dialog = openDialog(GetParam(), picked);
    ASSERT_TRUE(cancelOpenFileDialog("Automation Pick", 15s));
    EXPECT_EQ(dialog.result(10s), FALSE);
}

INSTANTIATE_TEST_SUITE_P(BothStyles, OpenFileDialog, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Explorer" : "OldStyle"; });

TEST_F(OpenFileDialogTest, ReportsANameItRefuses) {
    std::string picked;
    ModalOnThread dialog = openDialog(true, picked);
    Recorder recorder;
    EXPECT_FALSE(fillOpenFileDialog("Automation Pick", chosen_ + ".missing", 3s, &recorder));
    EXPECT_EQ(recorder.lines().back(), "open-file dialog \"Automation Pick\" did not take \"" + chosen_ + ".missing\"");
    // Wine's dialog complains in an untitled message box; once that is answered the
    // dialog can be cancelled as usual.
    auto complaint = answerMessageBox("", "OK", 5s, &recorder);
    ASSERT_TRUE(complaint);
    EXPECT_FALSE(complaint->text.empty());
    EXPECT_TRUE(cancelOpenFileDialog("Automation Pick", 5s));
    EXPECT_EQ(dialog.result(5s), FALSE);
}

}  // namespace
}  // namespace wf::automation
