#include "design/about_layout.h"
#include "design/commands.h"
#include "design/main_menu.h"
#include "design/main_window_layout.h"
#include "fakes/controller_rig.h"
#include "web/web_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace haloquill {
namespace {

// The letter after the single "&" of a caption, in lower case; 0 when it has none.
char AccessKey(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&' && caption[i + 1] != '&') {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
        }
    }
    return 0;
}

TEST(MainMenu, IdsAreUniqueAndParentsComeBeforeTheirItems) {
    std::set<ControlId> seen;
    for (const MenuItemSpec& item : MainMenuItems()) {
        EXPECT_TRUE(seen.insert(item.id).second) << item.caption;
        EXPECT_TRUE(item.parent == kNoControl || seen.count(item.parent) == 1) << item.caption;
    }
}

TEST(MainMenu, EveryMenuItemButtonAndLinkHasACommandAndNothingElseHasOne) {
    std::set<int> chosen; // what the user can choose in the menus and the windows
    for (const MenuItemSpec& item : MainMenuItems()) {
        const auto items = MenuEntriesUnder(item.id);
        if (items.empty() && !IsSeparator(item)) {
            chosen.insert(item.id);
        }
    }
    for (const auto layout : {MainWindowLayout(), AboutWindowLayout()}) {
        for (const ControlSpec& spec : layout) {
            const bool choosable = spec.kind == ControlKind::Button ||
                                   spec.kind == ControlKind::LinkLabel ||
                                   (spec.kind == ControlKind::OptionButton && spec.id != kOptRun &&
                                    spec.id != kOptDontRun);
            if (choosable && spec.id != kAboutCmdOK) {
                chosen.insert(spec.id);
            }
        }
    }
    EXPECT_EQ(chosen.size(), 21u);
    for (int id = 0; id < 1000; ++id) {
        EXPECT_EQ(CommandOf(id).has_value(), chosen.contains(id)) << id;
    }
}

TEST(MainMenu, EveryMenuOfTheBarHasDistinctAccessKeysAndTidySeparators) {
    std::set<char> barKeys;
    for (const MenuEntry& menu : MenuEntriesUnder(kNoControl)) {
        SCOPED_TRACE(menu.caption);
        EXPECT_TRUE(barKeys.insert(AccessKey(menu.caption)).second);
        EXPECT_NE(AccessKey(menu.caption), 0);
        const auto items = MenuEntriesUnder(menu.id);
        std::set<char> keys;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind == MenuEntryKind::Separator) {
                // A separator stands between two items, never at an end or beside another.
                EXPECT_GT(i, 0u);
                EXPECT_LT(i + 1, items.size());
                EXPECT_FALSE(i > 0 && items[i - 1].kind == MenuEntryKind::Separator);
                continue;
            }
            const char key = AccessKey(items[i].caption);
            EXPECT_NE(key, 0) << items[i].caption;
            EXPECT_TRUE(keys.insert(key).second) << items[i].caption;
        }
    }
}

// Every command the menus show, walked as the window builds them.
void CollectCommands(ControlId parent, std::vector<MenuEntry>& commands) {
    for (const MenuEntry& entry : MenuEntriesUnder(parent)) {
        if (entry.kind == MenuEntryKind::SubMenu) {
            EXPECT_FALSE(MenuEntriesUnder(entry.id).empty()) << entry.caption;
            CollectCommands(entry.id, commands);
        } else if (entry.kind == MenuEntryKind::Command) {
            commands.push_back(entry);
        }
    }
}

TEST(MainMenu, EveryCommandShownRunsAndHiddenItemsNeverShow) {
    std::vector<MenuEntry> commands;
    CollectCommands(kNoControl, commands);
    CollectCommands(kTrayMenu, commands);
    for (const MenuItemSpec& item : MainMenuItems()) {
        const bool shown = std::any_of(commands.begin(), commands.end(),
                                       [&](const MenuEntry& entry) { return entry.id == item.id; });
        if (!item.visible) {
            EXPECT_FALSE(shown) << item.caption;
        }
    }
    testing::ControllerRig rig;
    rig.random.queue = {0.0, 0.0};
    rig.controller.StartProgram("");
    for (const MenuEntry& command : commands) {
        // Exit asks, and the question is answered No: the program goes on.
        EXPECT_TRUE(rig.controller.RunCommand(command.id)) << command.caption;
    }
}

TEST(MainMenu, ThePopUpMenuOffersShowFirstAndThenExit) {
    const auto items = MenuEntriesUnder(kTrayMenu);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].id, kTrayMenuDefault);
    EXPECT_EQ(items[1].id, kMnuExit1);
    EXPECT_EQ(items[1].kind, MenuEntryKind::Command);
    const auto hidden = std::find_if(MainMenuItems().begin(), MainMenuItems().end(),
                                     [](const MenuItemSpec& item) { return item.id == kMnuPopUp; });
    ASSERT_NE(hidden, MainMenuItems().end());
    EXPECT_FALSE(hidden->visible); // it is no menu of the bar
}

TEST(WebPages, AddressesJoinTheBaseTheScriptAndTheKey) {
    EXPECT_EQ(PageAddress("https://www.example.com/", WebPage::Download),
              "https://www.example.com/corvel-free-haloquill/ssd.php?page=download-web-page");
    EXPECT_EQ(PageKey(WebPage::Home), "home-page");
    EXPECT_EQ(PageKey(WebPage::Help), "help-web-page");
    EXPECT_EQ(PageKey(WebPage::Donate), "donate");
    EXPECT_EQ(PageKey(WebPage::FullyBranded), "fully-branded");
    EXPECT_EQ(PageKey(WebPage::CoBrand), "co-brand");
    EXPECT_EQ(ConfiguredSiteBase().back(), '/');
}

TEST(WebPages, SiteNameDropsSchemeAndSlashAndFillsPlaceholders) {
    EXPECT_EQ(SiteDisplayName("https://www.example.com/"), "www.example.com");
    EXPECT_EQ(SiteDisplayName("http://host.test//"), "host.test");
    EXPECT_EQ(SiteDisplayName("host.test"), "host.test");
    EXPECT_EQ(WithSiteName("Visit {site} or {site}.", "https://a.test/"),
              "Visit a.test or a.test.");
    EXPECT_EQ(WithSiteName("no placeholder", "https://a.test/"), "no placeholder");
}

} // namespace
} // namespace haloquill
