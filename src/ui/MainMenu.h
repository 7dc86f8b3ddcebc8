#pragma once

#include <functional>
#include <vector>

#include "ui/Controls.h"

// One entry of a menu: an item with its submenu, or a separator (no item).
struct MenuNode {
    MenuItem* item = nullptr;
    std::vector<MenuNode> children;
    // Runs as the menu opens; it may give its submenus other entries.
    std::function<void()> onOpen;
    // A submenu whose entries are made anew from `children` each time it
    // opens (it is a submenu even while it has none).
    bool dynamic = false;
    // The entry shown in bold that a double click would choose.
    bool isDefault = false;
};

inline MenuNode Separator() { return MenuNode{}; }

inline MenuNode Leaf(MenuItem& item) {
    MenuNode node;
    node.item = &item;
    return node;
}

inline MenuNode Submenu(MenuItem& item, std::vector<MenuNode> children) {
    MenuNode node = Leaf(item);
    node.children = std::move(children);
    return node;
}

// A submenu filled anew whenever it opens.
inline MenuNode DynamicSubmenu(MenuItem& item) {
    MenuNode node = Leaf(item);
    node.dynamic = true;
    return node;
}
