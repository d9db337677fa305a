#pragma once
// Waiting for something another program or thread does: poll, briefly sleeping,
// until a deadline. Plain C++, for the native tests as for the Windows ones.
#include <chrono>
#include <thread>

namespace wf::automation {

// Calls `probe` until it returns a value or `timeout` has passed (it is always
// called at least once). Sleeps between calls so the watched program can run.
template <typename Probe>
auto pollFor(std::chrono::milliseconds timeout, Probe probe) -> decltype(probe()) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto found = probe()) return found;
        if (std::chrono::steady_clock::now() >= deadline) return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

}  // namespace wf::automation
