#pragma once
// What the Windows benchmark timers share: a millisecond clock, the median, and
// starting a command, and two ways of doing something timed in turns.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

inline double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Starts `command` (program and arguments) without waiting for it; false, with
// the reason on stderr, when it cannot be started. The caller closes the handles.
inline bool startCommand(const std::string& command, PROCESS_INFORMATION& started) {
    std::vector<char> text(command.begin(), command.end());
    text.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (CreateProcessA(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return true;
    std::fprintf(stderr, "cannot start %s (error %lu)\n", command.c_str(), GetLastError());
    return false;
}

// Runs `timeA` and `timeB` once each untimed, then `runs` rounds of both, the
// order swapped every round; prints each round, the median of each, their
// difference and the median of the ratios a/b. A run answers its milliseconds, or
// a negative number when it failed, which ends the comparison (false).
inline bool compareInTurns(int runs, const char* nameA, const std::function<double()>& timeA, const char* nameB,
                           const std::function<double()>& timeB) {
    if (timeA() < 0 || timeB() < 0) return false;
    std::vector<double> aMs, bMs, ratios;
    for (int round = 0; round < runs; ++round) {
        const bool aFirst = round % 2 == 0;
        const double first = aFirst ? timeA() : timeB();
        const double second = aFirst ? timeB() : timeA();
        if (first < 0 || second < 0) return false;
        const double a = aFirst ? first : second, b = aFirst ? second : first;
        aMs.push_back(a);
        bMs.push_back(b);
        ratios.push_back(a / b);
        std::printf("round %2d: %s %7.1f ms, %s %7.1f ms\n", round + 1, nameA, a, nameB, b);
        std::fflush(stdout);
    }
    std::printf("median %s: %.1f ms\n", nameA, median(aMs));
    std::printf("median %s: %.1f ms\n", nameB, median(bMs));
    std::printf("median difference: %.1f ms\n", median(aMs) - median(bMs));
    std::printf("median ratio: %.2f\n", median(ratios));
    return true;
}
