#pragma once
// The current local time and the system's conventions for writing it, and a
// steady count of milliseconds for measuring intervals.
#include <cstdint>
#include <string>

namespace wf {

struct LocalTimestamp {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTimestamp now() = 0;
    // The date in the system's short date form (for example 12/7/2026).
    virtual std::string shortDateText(const LocalTimestamp& at) = 0;
    // The time in the system's time form (for example 1:05:02 PM).
    virtual std::string timeText(const LocalTimestamp& at) = 0;
    // The system's date and time separators ('/' and ':' with United States settings).
    virtual char dateSeparator() = 0;
    virtual char timeSeparator() = 0;
    // Milliseconds since a fixed moment (the system's start); never goes back.
    virtual std::uint64_t milliseconds() = 0;
};

}  // namespace wf
