#pragma once
// A clock stopped at one moment, writing dates the United States way. Its
// milliseconds move on by `step` at each reading.
#include <cstdint>
#include <cstdio>

#include "common/clock.h"

namespace wf::testing {

class FixedClock : public Clock {
public:
    LocalTimestamp at{2007, 6, 15, 14, 3, 2};
    char dateSep = '/';
    char timeSep = ':';
    std::uint64_t ticks = 0;
    std::uint64_t step = 0;

    LocalTimestamp now() override { return at; }
    std::string shortDateText(const LocalTimestamp& t) override {
        char text[32];
        std::snprintf(text, sizeof text, "%d%c%d%c%04d", t.month, dateSep, t.day, dateSep, t.year);
        return text;
    }
    std::string timeText(const LocalTimestamp& t) override {
        char text[32];
        std::snprintf(text, sizeof text, "%d%c%02d%c%02d %s", t.hour % 12 == 0 ? 12 : t.hour % 12, timeSep, t.minute,
                      timeSep, t.second, t.hour < 12 ? "AM" : "PM");
        return text;
    }
    char dateSeparator() override { return dateSep; }
    char timeSeparator() override { return timeSep; }
    std::uint64_t milliseconds() override { return ticks += step; }
};

}  // namespace wf::testing
