#include "design/main_menu.h"

#include <array>

namespace haloquill {

namespace {

const std::array kMenu = {
    MenuItemSpec{kMnuPopUp, kNoControl, "mnuPopUp", false},
    MenuItemSpec{kMnuPop, kMnuPopUp, "Show"},
    MenuItemSpec{kMnuExit1, kMnuPopUp, "Exit"},
    MenuItemSpec{kMnuFile, kNoControl, "&File"},
    MenuItemSpec{kMnuCalculateMoonPhase, kMnuFile, "Get Your &Angel for the Day"},
    MenuItemSpec{kMnuSep1, kMnuFile, "-"},
    MenuItemSpec{kMnuExit, kMnuFile, "E&xit"},
    MenuItemSpec{kMnuTools, kNoControl, "&Tools"},
    MenuItemSpec{kMnuSettings, kMnuTools, "&Settings"},
    MenuItemSpec{kMnuHelp, kNoControl, "&Help"},
    MenuItemSpec{kMnuOnline, kMnuHelp, "&Online Help"},
    MenuItemSpec{kMnuVisit, kMnuHelp, "&Visit Us Online"},
    MenuItemSpec{kMnuHelp1, kMnuHelp, "-"},
    MenuItemSpec{kMnuUpdate, kMnuHelp, "Check for Software &Update"},
    MenuItemSpec{kMnuHelp2, kMnuHelp, "-"},
    MenuItemSpec{kMnuAbout, kMnuHelp, "&About Software"},
    MenuItemSpec{kMnuDonate, kNoControl, "&Donate"},
    MenuItemSpec{kMnuMakeMoney, kNoControl, "Make Money &Online", false},
};

} // namespace

std::span<const MenuItemSpec> MainMenuItems() {
    return kMenu;
}

bool IsSeparator(const MenuItemSpec& item) {
    return item.caption == "-";
}

std::vector<MenuEntry> MenuEntriesUnder(ControlId parent) {
    std::vector<MenuEntry> entries;
    for (const MenuItemSpec& item : kMenu) {
        if (item.parent != parent || !item.visible) {
            continue;
        }
        bool hasItems = false;
        for (const MenuItemSpec& child : kMenu) {
            hasItems = hasItems || child.parent == item.id;
        }
        const MenuEntryKind kind = IsSeparator(item) ? MenuEntryKind::Separator
                                   : hasItems        ? MenuEntryKind::SubMenu
                                                     : MenuEntryKind::Command;
        entries.push_back({item.id, item.caption, kind});
    }
    return entries;
}

} // namespace haloquill
