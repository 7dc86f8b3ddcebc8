#include "app/win32/Win32Clock.h"

#include <windows.h>

#include "app/win32/WideText.h"

namespace {
SYSTEMTIME ToSystemTime(const DateTime& moment) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(moment.year);
    time.wMonth = static_cast<WORD>(moment.month);
    time.wDay = static_cast<WORD>(moment.day);
    time.wHour = static_cast<WORD>(moment.hour);
    time.wMinute = static_cast<WORD>(moment.minute);
    time.wSecond = static_cast<WORD>(moment.second);
    time.wMilliseconds = static_cast<WORD>(moment.millisecond);
    return time;
}

std::string DateText(const SYSTEMTIME& time, DWORD flags, const wchar_t* picture) {
    wchar_t buffer[128];
    const int length = GetDateFormatW(LOCALE_USER_DEFAULT, flags, &time, picture, buffer, 128);
    return length > 0 ? Narrow(buffer) : std::string();
}
}  // namespace

DateTime Win32Clock::now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return DateTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

std::string Win32Clock::formatGeneral(const DateTime& moment) {
    const SYSTEMTIME time = ToSystemTime(moment);
    wchar_t clock[128];
    const int length = GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 128);
    return DateText(time, DATE_SHORTDATE, nullptr) + " " + (length > 0 ? Narrow(clock) : std::string());
}

std::string Win32Clock::formatDate(const DateTime& date, const std::string& picture) {
    return DateText(ToSystemTime(date), 0, Widen(picture).c_str());
}

std::string Win32Clock::dateSeparator() {
    wchar_t separator[8];
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDATE, separator, 8);
    return length > 1 ? Narrow(separator, static_cast<std::size_t>(length - 1)) : "/";
}

std::string Win32Clock::formatShortDate(const DateTime& date) { return DateText(ToSystemTime(date), DATE_SHORTDATE, nullptr); }
