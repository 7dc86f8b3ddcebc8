#pragma once

#include <string>

#include "app/WindowServices.h"

// Something to tell the user, as a box would: its title, text and icon.
struct Notice {
    std::string title, text;
    MessageIcon icon = MessageIcon::Information;
};
