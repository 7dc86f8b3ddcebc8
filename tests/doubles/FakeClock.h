#pragma once

#include "app/Clock.h"

// A clock that shows a set time and formats dates as an English (United
// States) locale does: "M/d/yyyy h:mm:ss tt" in general format.
class FakeClock : public IClock {
public:
    void set(const DateTime& moment) { now_ = moment; }

    DateTime now() override { return now_; }
    std::string formatGeneral(const DateTime& moment) override;
    std::string formatDate(const DateTime& date, const std::string& picture) override;
    std::string dateSeparator() override { return "/"; }
    std::string formatShortDate(const DateTime& date) override { return formatDate(date, "M/d/yyyy"); }

private:
    DateTime now_{2026, 12, 5, 14, 30, 15, 0};
};
