#pragma once
// The main window's menus: the menu bar and the hidden pop-up menu of the notification-area icon.

#include "design/control_ids.h"

#include <span>
#include <string_view>

namespace haloquill {

struct MenuItemSpec {
    ControlId id;
    ControlId parent;         // kNoControl: an item of the menu bar
    std::string_view caption; // "-" is a separator line
    bool visible = true;      // hidden items are never put on the bar
};

// Every menu item in order: parents before their items, items in menu order.
std::span<const MenuItemSpec> MainMenuItems();

bool IsSeparator(const MenuItemSpec& item);

} // namespace haloquill
