#pragma once

#include <vector>

#include "ui/Controls.h"

// One entry of a menu: an item with its submenu, or a separator (no item).
struct MenuNode {
    MenuItem* item = nullptr;
    std::vector<MenuNode> children;
};

inline MenuNode Separator() { return MenuNode{}; }
