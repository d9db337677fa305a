#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace wf::win32 {
namespace {

SYSTEMTIME systemTimeOf(const LocalTimestamp& at) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(at.year);
    time.wMonth = static_cast<WORD>(at.month);
    time.wDay = static_cast<WORD>(at.day);
    time.wHour = static_cast<WORD>(at.hour);
    time.wMinute = static_cast<WORD>(at.minute);
    time.wSecond = static_cast<WORD>(at.second);
    return time;
}

char localeSeparator(LCTYPE which, char fallback) {
    char text[8] = {};
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, which, text, sizeof text) > 1 ? text[0] : fallback;
}

}  // namespace

LocalTimestamp Win32Clock::now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return LocalTimestamp{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

std::string Win32Clock::shortDateText(const LocalTimestamp& at) {
    SYSTEMTIME time = systemTimeOf(at);
    char text[64] = {};
    int length = GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text);
    return length > 1 ? std::string(text, length - 1) : std::string();
}

std::string Win32Clock::timeText(const LocalTimestamp& at) {
    SYSTEMTIME time = systemTimeOf(at);
    char text[64] = {};
    int length = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, text, sizeof text);
    return length > 1 ? std::string(text, length - 1) : std::string();
}

char Win32Clock::dateSeparator() { return localeSeparator(LOCALE_SDATE, '/'); }

char Win32Clock::timeSeparator() { return localeSeparator(LOCALE_STIME, ':'); }

std::uint64_t Win32Clock::milliseconds() { return GetTickCount64(); }

}  // namespace wf::win32
