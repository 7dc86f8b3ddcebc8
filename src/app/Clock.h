#pragma once

#include <string>

// A calendar date and time of day, as the system's SYSTEMTIME holds it.
struct DateTime {
    int year = 1601, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The current local time and its formatting in the user's locale.
class IClock {
public:
    virtual ~IClock() = default;

    virtual DateTime now() = 0;
    // The locale's general format: short date, a blank, long time.
    virtual std::string formatGeneral(const DateTime& moment) = 0;
    // The date formatted by a date picture such as "MMMM d, yyyy", with the
    // locale's month and day names.
    virtual std::string formatDate(const DateTime& date, const std::string& picture) = 0;
    // The date in the locale's short form.
    virtual std::string formatShortDate(const DateTime& date) = 0;
    // The character(s) the user's locale puts between day, month and year.
    virtual std::string dateSeparator() = 0;
};
