#pragma once
// The main window's menus: the menu bar and the hidden pop-up menu of the notification-area icon.

#include "design/control_ids.h"

#include <span>
#include <string_view>
#include <vector>

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

enum class MenuEntryKind {
    Command,   // runs the command of its id
    Separator, // a line between groups of items
    SubMenu,   // opens the menu of the items under it
};

struct MenuEntry {
    ControlId id;
    std::string_view caption;
    MenuEntryKind kind;
};

// The menu under `parent` (kNoControl: the menu bar) as the window shows it: its visible items in
// order, an item with items of its own opening them as a sub-menu.
std::vector<MenuEntry> MenuEntriesUnder(ControlId parent);

// The notification-area icon's menu is the hidden pop-up menu; its Show item is the default.
inline constexpr ControlId kTrayMenu = kMnuPopUp;
inline constexpr ControlId kTrayMenuDefault = kMnuPop;

} // namespace haloquill
