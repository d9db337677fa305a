#include "tests/windows/support/modal_on_thread.h"

namespace wf::testing {
namespace {

// Presses the first of the usual closing buttons that the window has, and only that
// one: a second command can reach a dialog that is already closing.
BOOL CALLBACK dismiss(HWND window, LPARAM) {
    for (int id : {IDCANCEL, IDOK, IDNO, IDYES}) {
        HWND button = GetDlgItem(window, id);
        if (button != nullptr && IsWindowEnabled(button)) {
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
            break;
        }
    }
    return TRUE;
}

}  // namespace

ModalOnThread::ModalOnThread(std::function<INT_PTR()> call) {
    done_ = std::async(std::launch::async, [this, call] {
                threadId_.set_value(GetCurrentThreadId());
                return call();
            }).share();
}

ModalOnThread::~ModalOnThread() {
    const DWORD thread = threadId_.get_future().get();
    while (done_.wait_for(std::chrono::milliseconds(200)) != std::future_status::ready)
        EnumThreadWindows(thread, dismiss, 0);
}

INT_PTR ModalOnThread::result(std::chrono::milliseconds timeout) {
    if (done_.wait_for(timeout) != std::future_status::ready) return -1;
    return done_.get();
}

}  // namespace wf::testing
