#include "design/main_menu.h"
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

std::vector<MenuItemSpec> VisibleItems(ControlId parent) {
    std::vector<MenuItemSpec> items;
    for (const MenuItemSpec& item : MainMenuItems()) {
        if (item.parent == parent && item.visible) {
            items.push_back(item);
        }
    }
    return items;
}

bool HasItems(ControlId id) {
    return !VisibleItems(id).empty();
}

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

TEST(MainMenu, EveryMenuOfTheBarHasDistinctAccessKeysAndTidySeparators) {
    std::set<char> barKeys;
    for (const MenuItemSpec& menu : VisibleItems(kNoControl)) {
        SCOPED_TRACE(menu.caption);
        EXPECT_TRUE(barKeys.insert(AccessKey(menu.caption)).second);
        EXPECT_NE(AccessKey(menu.caption), 0);
        const auto items = VisibleItems(menu.id);
        std::set<char> keys;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (IsSeparator(items[i])) {
                // A separator stands between two items, never at an end or beside another.
                EXPECT_GT(i, 0u);
                EXPECT_LT(i + 1, items.size());
                EXPECT_FALSE(i > 0 && IsSeparator(items[i - 1]));
                continue;
            }
            const char key = AccessKey(items[i].caption);
            EXPECT_NE(key, 0) << items[i].caption;
            EXPECT_TRUE(keys.insert(key).second) << items[i].caption;
        }
    }
}

TEST(MainMenu, EveryItemWithoutItemsOfItsOwnRunsACommand) {
    testing::ControllerRig rig;
    rig.random.queue = {0.0, 0.0};
    rig.controller.StartProgram("");
    for (const MenuItemSpec& item : MainMenuItems()) {
        if (item.visible && !IsSeparator(item) && !HasItems(item.id) && item.parent != kNoControl) {
            // Exit asks, and the question is answered No: the program goes on.
            EXPECT_TRUE(rig.controller.RunCommand(item.id)) << item.caption;
        }
    }
}

TEST(MainMenu, ThePopUpMenuOffersShowFirstAndThenExit) {
    const auto items = VisibleItems(kMnuPopUp);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].id, kMnuPop);
    EXPECT_EQ(items[1].id, kMnuExit1);
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
