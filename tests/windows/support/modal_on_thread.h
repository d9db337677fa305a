#pragma once
// Runs a modal call (a message box, a file dialog) on a thread of its own, so that
// the test's thread can drive it the way another program would.
#include <windows.h>

#include <chrono>
#include <functional>
#include <future>

namespace wf::testing {

class ModalOnThread {
public:
    explicit ModalOnThread(std::function<INT_PTR()> call);
    // A modal window the test failed to close is dismissed, so the test ends.
    ~ModalOnThread();
    ModalOnThread(const ModalOnThread&) = delete;
    ModalOnThread& operator=(const ModalOnThread&) = delete;

    // The call's result once it has returned within `timeout`; -1 when it has not.
    INT_PTR result(std::chrono::milliseconds timeout);

private:
    std::promise<DWORD> threadId_;
    std::shared_future<INT_PTR> done_;
};

}  // namespace wf::testing
