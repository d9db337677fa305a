#pragma once
// Waiting for another program's windows.
#include <windows.h>

#include <chrono>

#include "tools/automation/poll_for.h"

namespace wf::automation {

// How long a message to another program's window may take; a busy program is
// given up on rather than left to hang the test.
constexpr UINT kMessageTimeoutMs = 2000;

// True once `window` is gone (destroyed or hidden) within `timeout`.
inline bool waitUntilClosed(HWND window, std::chrono::milliseconds timeout) {
    return pollFor(timeout, [&]() -> bool { return !IsWindow(window) || !IsWindowVisible(window); });
}

}  // namespace wf::automation
