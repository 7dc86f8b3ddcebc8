#pragma once

#include "app/Clock.h"

class Win32Clock : public IClock {
public:
    DateTime now() override;
    std::string formatGeneral(const DateTime& moment) override;
    std::string formatDate(const DateTime& date, const std::string& picture) override;
    std::string dateSeparator() override;
    std::string formatShortDate(const DateTime& date) override;
};
