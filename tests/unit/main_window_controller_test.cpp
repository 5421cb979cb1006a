#include "angels/angel_catalogue.h"
#include "app/main_window_controller.h"
#include "app/seeded_random.h"
#include "base/civil_date.h"
#include "base/text_values.h"
#include "design/control_ids.h"
#include "fakes/controller_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace haloquill {
namespace {

using testing::FakeMainView;
using testing::FakeSettingsStore;
using testing::ScriptedRandom;
using Values = std::map<std::string, std::string>;
constexpr ControlEvent Clicked = ControlEvent::Clicked;
constexpr ControlEvent Changed = ControlEvent::SelectionChanged;

class MainWindowTest : public ::testing::Test, protected testing::ControllerRig {
  protected:
    void Load() {
        random.queue.push_back(ScriptedRandom::ForAngel(nextAngel));
        random.queue.push_back(0.0); // the promotion
        controller.StartProgram("");
    }

    int nextAngel = 10;
};

TEST_F(MainWindowTest, FirstStartWritesTheDefaultsAndOpensOnTheSettingsPage) {
    Load();
    EXPECT_EQ(store.values, (Values{{"Hour", "7"},
                                    {"Minute", "0"},
                                    {"Second", "0"},
                                    {"Date", "2026-12-08"},
                                    {"Card", "10"},
                                    {"UpdateCheckDate", "2026-12-08"}}));
    EXPECT_EQ(view.SelectedText(ChoiceList::Hour), "7");
    EXPECT_EQ(view.SelectedText(ChoiceList::Minute), "0");
    EXPECT_EQ(view.SelectedText(ChoiceList::Second), "0");
    EXPECT_EQ(view.frontPage, Page::Settings);
    EXPECT_EQ(view.cardName, "St. Michidiel");
    EXPECT_FALSE(view.runSelected);
    EXPECT_FALSE(view.sysTrayChecked);
}

// The window shows the state once for each event from outside, when the event is handled.
TEST_F(MainWindowTest, EachEventRendersTheStateOnce) {
    StoreLaterStart("3");
    random.queue = {0.0}; // the promotion
    controller.StartProgram("");
    EXPECT_EQ(view.renders, 1) << "the start";
    const std::pair<const char*, std::function<void()>> events[] = {
        {"a list choice", [&] { controller.OnControlEvent(kCboHour, Changed, 9); }},
        {"Run at start-up", [&] { controller.OnControlEvent(kOptRun, Clicked); }},
        {"the tray box", [&] { controller.OnControlEvent(kChkSysTray, Clicked, 1); }},
        {"an arrow key", [&] { controller.OnArrowKey(kOptRun); }},
        {"the Settings menu", [&] { controller.OnControlEvent(kMnuSettings, Clicked); }},
        {"the close box", [&] { controller.RequestUnload(UnloadReason::UserClose); }},
        {"the reminder's draw",
         [&] {
             store.values["Date"] = "2026-12-08";
             random.queue = {ScriptedRandom::ForAngel(5)};
             clock.now = {9, 0, 0, 0}; // the hour chosen above
             controller.Timer1_Timer();
         }},
    };
    for (const auto& [what, event] : events) {
        const int before = view.renders;
        event();
        EXPECT_EQ(view.renders - before, 1) << what;
    }
    EXPECT_EQ(view.cardName, "St. Barbiel") << "the reminder's draw shown";
    EXPECT_TRUE(view.visible);
}

TEST_F(MainWindowTest, ListsAreFilledOnceAndTheDateListsStartAtTheFirstOfJanuary1901) {
    store.values = {
        {"Hour", "15"}, {"Minute", "30"}, {"Second", "5"}, {"Date", "2027-01-01"}, {"Card", "2"}};
    Load();
    EXPECT_EQ(view.lists[ChoiceList::Date].size(), 31u);
    EXPECT_EQ(view.lists[ChoiceList::Month].size(), 12u);
    EXPECT_EQ(view.lists[ChoiceList::Year].size(), 150u);
    EXPECT_EQ(view.lists[ChoiceList::Hour].size(), 24u);
    EXPECT_EQ(view.lists[ChoiceList::Minute].size(), 60u);
    EXPECT_EQ(view.lists[ChoiceList::Second].size(), 60u);
    EXPECT_EQ(view.lists[ChoiceList::Month].back(), "December");
    EXPECT_EQ(view.lists[ChoiceList::Year].back(), "2050");
    EXPECT_EQ(view.SelectedText(ChoiceList::Date), "1");
    EXPECT_EQ(view.SelectedText(ChoiceList::Month), "January");
    EXPECT_EQ(view.SelectedText(ChoiceList::Year), "1901");
}

TEST_F(MainWindowTest, LaterStartShowsTheStoredTimeOnTheAngelPageWithoutRewritingIt) {
    store.values = {
        {"Hour", "15"}, {"Minute", "30"}, {"Second", "5"}, {"Date", "2027-01-01"}, {"Card", "2"}};
    Load();
    EXPECT_EQ(view.frontPage, Page::Angel);
    EXPECT_EQ(view.cardName, "St. Ambriel");
    EXPECT_EQ(view.SelectedText(ChoiceList::Hour), "15");
    EXPECT_EQ(view.SelectedText(ChoiceList::Minute), "30");
    EXPECT_EQ(view.SelectedText(ChoiceList::Second), "5");
    // The handlers write back what they select; nothing else changes.
    EXPECT_EQ(store.values, (Values{{"Hour", "15"},
                                    {"Minute", "30"},
                                    {"Second", "5"},
                                    {"Date", "2027-01-01"},
                                    {"Card", "2"},
                                    {"UpdateCheckDate", "2026-12-08"}}));
}

TEST_F(MainWindowTest, EmptyHourCountsAsFirstStartAgainAndKeepsOtherValues) {
    store.values = {{"Hour", ""},
                    {"Minute", "45"},
                    {"Card", "2"},
                    {"Date", "2030-01-01"},
                    {"UpdateCheckDate", "2026-12-01"}};
    nextAngel = 13;
    Load();
    EXPECT_EQ(store.Get("Hour"), "7");
    EXPECT_EQ(store.Get("Minute"), "0");
    EXPECT_EQ(store.Get("Date"), "2026-12-08");
    EXPECT_EQ(store.Get("Card"), "13");
    EXPECT_EQ(store.Get("UpdateCheckDate"), "2026-12-01");
    EXPECT_EQ(view.frontPage, Page::Settings);
}

TEST_F(MainWindowTest, TimeListHandlersStoreTheSelectionAtOnce) {
    Load();
    controller.OnControlEvent(kCboHour, ControlEvent::SelectionChanged, 15);
    controller.OnControlEvent(kCboMinute, ControlEvent::SelectionChanged, 59);
    controller.OnControlEvent(kCboSecond, ControlEvent::SelectionChanged, 1);
    EXPECT_EQ(store.Get("Hour"), "15");
    EXPECT_EQ(store.Get("Minute"), "59");
    EXPECT_EQ(store.Get("Second"), "1");
}

TEST_F(MainWindowTest, SysTrayBoxStoresRunAtSysTrayButNotSystemTray) {
    Load();
    controller.OnControlEvent(kOptRun, ControlEvent::Clicked);
    EXPECT_TRUE(view.sysTrayEnabled);
    controller.OnControlEvent(kChkSysTray, ControlEvent::Clicked, 1);
    EXPECT_EQ(store.Get("RunAtSysTray"), "True");
    EXPECT_FALSE(store.Has("SystemTray"));
    controller.SaveSettings();
    EXPECT_EQ(store.Get("SystemTray"), "True");
    EXPECT_EQ(store.Get("AutorunStartUp"), "True");
}

TEST_F(MainWindowTest, DontRunDisablesAndClearsTheTrayBoxThroughItsHandler) {
    Load();
    controller.OnControlEvent(kOptRun, ControlEvent::Clicked);
    controller.OnControlEvent(kChkSysTray, ControlEvent::Clicked, 1);
    ASSERT_TRUE(view.sysTrayChecked);
    controller.OnControlEvent(kOptDontRun, ControlEvent::Clicked);
    EXPECT_FALSE(view.sysTrayEnabled);
    EXPECT_FALSE(view.sysTrayChecked);
    EXPECT_EQ(store.Get("RunAtSysTray"), "False");
}

TEST_F(MainWindowTest, StoreThatRefusesWritesNeverStopsTheStart) {
    store.refuseWrites = true;
    Load();
    EXPECT_EQ(view.cardName, "St. Michidiel");
    EXPECT_EQ(view.frontPage, Page::Settings);
    EXPECT_TRUE(store.values.empty());
}

// A text edited by hand into any one value of a later start never stops or questions the start:
// an angel is shown and stored, and only the values that depend on the edited one change.
TEST(MainWindowStart, EveryHandEditedTextStartsWithAnAngelAndRepairsOnlyWhatItMay) {
    using Check = std::function<void(const Values& after, const std::string& text)>;
    const Check none = [](const Values&, const std::string&) {};
    const struct {
        std::string key;
        std::vector<std::string> mayChange;
        Check check;
    } rules[] = {
        {"Hour",
         {"Hour", "Minute", "Second", "Date", "Card"},
         [](const Values& after, const std::string& text) {
             if (text.empty()) { // an empty hour is a first start: the defaults again
                 EXPECT_EQ(after.at("Hour"), "7");
                 EXPECT_EQ(after.at("Date"), "2026-12-08");
             }
         }},
        {"Minute", {}, none},
        {"Second", {}, none},
        {"Date",
         {"Date", "Card"},
         [](const Values& after, const std::string& text) {
             if (!ParseIsoDate(text)) {
                 EXPECT_EQ(after.at("Date"), "2026-12-09");
             }
         }},
        {"Card",
         {"Card"},
         [](const Values& after, const std::string& text) {
             const auto index = ParseWholeNumber(text);
             if (index && *index >= 1 && *index <= 14) {
                 EXPECT_EQ(after.at("Card"), std::to_string(*index)); // shown and kept
             }
         }},
        {"RunAtSysTray", {}, none},
        {"SystemTray", {}, none},
        {"AutorunStartUp", {"RunAtSysTray"}, none},
        {"UpdateCheckDate",
         {"UpdateCheckDate"},
         [](const Values& after, const std::string&) {
             EXPECT_EQ(after.at("UpdateCheckDate"), "2026-12-08"); // a first run: nothing asked
         }},
    };
    for (const auto& rule : rules) {
        for (const char* text :
             {"",       " ",   "  7  ", "007", "+3",         "-1",         "32768",
              "-32769", "1e3", "0x10",  "3.5", "True ",      "true",       "TRUE",
              "False",  "yes", "24",    "60",  "2026-02-30", "12/08/2026", "9999-12-31 "}) {
            SCOPED_TRACE(rule.key + " = \"" + text + "\"");
            testing::ControllerRig rig;
            rig.StoreLaterStart("5", "2026-12-11");
            for (const char* flag : {"RunAtSysTray", "SystemTray", "AutorunStartUp"}) {
                rig.store.values[flag] = "False";
            }
            const Values before = rig.store.values;
            rig.store.values[rule.key] = text;
            rig.random.queue = {ScriptedRandom::ForAngel(10), 0.0, 0.0};
            rig.controller.StartProgram("");
            EXPECT_TRUE(rig.messages.shown.empty());
            const Values& after = rig.store.values;
            const auto card = ParseWholeNumber(after.at("Card"));
            ASSERT_TRUE(card && LookUpAngel(*card) && std::to_string(*card) == after.at("Card"))
                << after.at("Card");
            EXPECT_EQ(rig.view.cardName, LookUpAngel(*card)->Name);
            for (const auto& [name, value] : before) {
                if (name != rule.key &&
                    std::count(rule.mayChange.begin(), rule.mayChange.end(), name) == 0) {
                    EXPECT_EQ(after.at(name), value) << name;
                }
            }
            rule.check(after, text);
        }
    }
}

TEST_F(MainWindowTest, CoBrandRoundsHalvesToEvenAndSevenKeepsTheLabel) {
    // r is chosen so that 6r + 1 lands on the value named in the comment.
    const std::pair<double, PromoLabel> cases[] = {
        {0.0, PromoLabel::CoBrand},       // 1
        {0.5 / 6, PromoLabel::FullBrand}, // 1.5 -> 2
        {1.5 / 6, PromoLabel::FullBrand}, // 2.5 -> 2
        {1.6 / 6, PromoLabel::CoBrand},   // 2.6 -> 3
        {2.5 / 6, PromoLabel::FullBrand}, // 3.5 -> 4
        {3.5 / 6, PromoLabel::FullBrand}, // 4.5 -> 4
        {3.6 / 6, PromoLabel::CoBrand},   // 4.6 -> 5
        {5.5 / 6, PromoLabel::FullBrand}, // 6.5 -> 6
    };
    // A first draw puts the other label in front (1 -> CoBrand, 6 -> FullBrand).
    const auto drawOf = [](PromoLabel label) {
        return label == PromoLabel::CoBrand ? 0.0 : 5.0 / 6;
    };
    const auto other = [](PromoLabel label) {
        return label == PromoLabel::CoBrand ? PromoLabel::FullBrand : PromoLabel::CoBrand;
    };
    for (const auto& [r, expected] : cases) {
        random.queue = {drawOf(other(expected)), r};
        controller.CoBrand_Randomize();
        ASSERT_EQ(controller.Model().promo, other(expected));
        controller.CoBrand_Randomize();
        EXPECT_EQ(controller.Model().promo, expected) << r;
    }
    for (PromoLabel before : {PromoLabel::CoBrand, PromoLabel::FullBrand}) {
        random.queue = {drawOf(before), 5.6 / 6}; // 6.6 -> 7
        controller.CoBrand_Randomize();
        controller.CoBrand_Randomize();
        EXPECT_EQ(controller.Model().promo, before);
    }
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(MainWindowTest, CoBrandGivesEachLabelAnEvenChance) {
    // Each draw starts as after creation, with the co-brand label in front (a draw of 1).
    SeededRandom seeded(2024);
    for (int i = 0; i < 60000; ++i) {
        random.queue.push_back(0.0);
        random.queue.push_back(seeded.NextUnit());
    }
    int coBrand = 0;
    for (int i = 0; i < 60000; ++i) {
        controller.CoBrand_Randomize();
        controller.CoBrand_Randomize();
        coBrand += controller.Model().promo == PromoLabel::CoBrand ? 1 : 0;
    }
    EXPECT_NEAR(coBrand, 30000, 600);
}

TEST_F(MainWindowTest, EveryLinkOpensItsPageOncePerClick) {
    const std::pair<int, const char*> cases[] = {
        {kMnuOnline, "help-web-page"},    {kMnuVisit, "home-page"},
        {kLabel61, "home-page"},          {kMnuUpdate, "download-web-page"},
        {kMnuDonate, "donate"},           {kMnuMakeMoney, "fully-branded"},
        {kLblFullBrand, "fully-branded"}, {kLblCobrand, "co-brand"},
        {kAboutLblHomePage, "home-page"}, {kAboutLabel5, "fully-branded"},
    };
    for (const auto& [id, key] : cases) {
        browser.opened.clear();
        EXPECT_TRUE(controller.RunCommand(id));
        EXPECT_TRUE(controller.RunCommand(id));
        EXPECT_EQ(
            browser.opened,
            (std::vector<std::string>(
                2, std::string("https://site.test/corvel-free-haloquill/ssd.php?page=") + key)));
    }
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(MainWindowTest, SettingsCommandsOnlyBringTheSettingsPageForward) {
    store.values = {
        {"Hour", "7"}, {"Minute", "0"}, {"Second", "0"}, {"Date", "2027-01-01"}, {"Card", "1"}};
    Load();
    const auto writes = store.writes.size();
    EXPECT_EQ(view.frontPage, Page::Angel);
    EXPECT_TRUE(controller.RunCommand(kCmdSettings));
    EXPECT_EQ(view.frontPage, Page::Settings);
    EXPECT_TRUE(controller.RunCommand(kMnuSettings));
    EXPECT_EQ(view.frontPage, Page::Settings);
    EXPECT_TRUE(controller.RunCommand(kMnuAbout));
    EXPECT_EQ(view.aboutShown, 1);
    EXPECT_EQ(store.writes.size(), writes);
    EXPECT_FALSE(controller.RunCommand(kLabel8));
}

} // namespace
} // namespace haloquill
