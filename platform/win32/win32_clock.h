#pragma once
#include "common/clock.h"

namespace wf::win32 {

// Local time and the user's regional settings.
class Win32Clock : public Clock {
public:
    LocalTimestamp now() override;
    std::string shortDateText(const LocalTimestamp& at) override;
    std::string timeText(const LocalTimestamp& at) override;
    char dateSeparator() override;
    char timeSeparator() override;
    std::uint64_t milliseconds() override;
};

}  // namespace wf::win32
