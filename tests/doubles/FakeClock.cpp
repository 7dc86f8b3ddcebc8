#include "doubles/FakeClock.h"

#include <cstdio>

namespace {
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
}

std::string FakeClock::formatGeneral(const DateTime& m) {
    char text[64];
    const int hour12 = m.hour % 12 == 0 ? 12 : m.hour % 12;
    std::snprintf(text, sizeof text, "%d/%d/%04d %d:%02d:%02d %s", m.month, m.day, m.year, hour12, m.minute,
                  m.second, m.hour < 12 ? "AM" : "PM");
    return text;
}

// Understands the pictures the program uses: MMMM, MM, M, d, dd, yyyy,
// text in single quotes and other literal text between them.
std::string FakeClock::formatDate(const DateTime& date, const std::string& picture) {
    std::string text;
    for (std::size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            const std::size_t close = picture.find('\'', i + 1);
            text += picture.substr(i + 1, close - i - 1);
            i = close == std::string::npos ? picture.size() : close + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        if (c == 'M')
            text += run >= 4 ? kMonths[date.month - 1]
                             : (run == 2 && date.month < 10 ? "0" : "") + std::to_string(date.month);
        else if (c == 'd')
            text += (run == 2 && date.day < 10 ? "0" : "") + std::to_string(date.day);
        else if (c == 'y')
            text += std::to_string(date.year);
        else
            text += std::string(run, c);
        i += run;
    }
    return text;
}
