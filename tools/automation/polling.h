#pragma once
// Waiting for another program's windows: poll, briefly sleeping, until a deadline.
#include <windows.h>

#include <chrono>
#include <optional>

namespace wf::automation {

// How long a message to another program's window may take; a busy program is
// given up on rather than left to hang the test.
constexpr UINT kMessageTimeoutMs = 2000;

// Calls `probe` until it returns a value or `timeout` has passed (it is always
// called at least once). Sleeps between calls so the watched program can run.
template <typename Probe>
auto pollFor(std::chrono::milliseconds timeout, Probe probe) -> decltype(probe()) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto found = probe()) return found;
        if (std::chrono::steady_clock::now() >= deadline) return {};
        Sleep(50);
    }
}

// True once `window` is gone (destroyed or hidden) within `timeout`.
inline bool waitUntilClosed(HWND window, std::chrono::milliseconds timeout) {
    return pollFor(timeout, [&]() -> bool { return !IsWindow(window) || !IsWindowVisible(window); });
}

}  // namespace wf::automation
