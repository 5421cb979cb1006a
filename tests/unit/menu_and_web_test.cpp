#include "design/main_menu.h"
#include "web/web_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace haloquill {
namespace {

std::vector<std::string> VisibleCaptions(ControlId parent) {
    std::vector<std::string> captions;
    for (const MenuItemSpec& item : MainMenuItems()) {
        if (item.parent == parent && item.visible) {
            captions.emplace_back(item.caption);
        }
    }
    return captions;
}

TEST(MainMenu, BarShowsFourItemsAndTheMenusHoldTheirEntriesInOrder) {
    EXPECT_EQ(VisibleCaptions(kNoControl),
              (std::vector<std::string>{"&File", "&Tools", "&Help", "&Donate"}));
    EXPECT_EQ(VisibleCaptions(kMnuFile),
              (std::vector<std::string>{"Get Your &Angel for the Day", "-", "E&xit"}));
    EXPECT_EQ(VisibleCaptions(kMnuTools), (std::vector<std::string>{"&Settings"}));
    EXPECT_EQ(VisibleCaptions(kMnuHelp),
              (std::vector<std::string>{"&Online Help", "&Visit Us Online", "-",
                                        "Check for Software &Update", "-", "&About Software"}));
    EXPECT_EQ(VisibleCaptions(kMnuPopUp), (std::vector<std::string>{"Show", "Exit"}));
    EXPECT_TRUE(VisibleCaptions(kMnuDonate).empty());
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
