#include "platform/win32/win32_clock.h"

#include <gtest/gtest.h>

namespace wf::win32 {
namespace {

// The test prefix runs with United States settings.
TEST(Win32Clock, WritesDatesAndTimesTheSystemsWay) {
    Win32Clock clock;
    LocalTimestamp at{2007, 6, 15, 14, 3, 2};
    EXPECT_EQ(clock.shortDateText(at), "6/15/2007");
    EXPECT_EQ(clock.timeText(at), "2:03:02 PM");
    EXPECT_EQ(clock.dateSeparator(), '/');
    EXPECT_EQ(clock.timeSeparator(), ':');
    LocalTimestamp now = clock.now();
    EXPECT_GE(now.year, 2024);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

}  // namespace
}  // namespace wf::win32
