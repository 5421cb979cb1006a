#include "angels/angel_catalogue.h"
#include "angels/angel_of_the_day.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_settings_store.h"
#include "fakes/scripted_random.h"

#include <gtest/gtest.h>

namespace haloquill {
namespace {

using testing::FakeClock;
using testing::FakeSettingsStore;
using testing::ScriptedRandom;

class AngelOfTheDayTest : public ::testing::Test {
  protected:
    FakeSettingsStore store;
    FakeClock clock;
    ScriptedRandom random;
    AngelOfTheDay angels{store, clock, random};
};

TEST(ShowAngelIn, FillsPictureNameAndDescriptionAndOutsideTheCatalogueNothing) {
    MainWindowModel model;
    ShowAngelIn(model, 3);
    EXPECT_EQ(model.picture, 3);
    EXPECT_EQ(model.cardName, "St. Asmodel");
    EXPECT_EQ(model.cardDescription, LookUpAngel(3)->Description);
    ShowAngelIn(model, 7);
    ShowAngelIn(model, 99);
    EXPECT_EQ(model.picture, 7);
    EXPECT_EQ(model.cardName, "St. Hamiliel");
    ShowAngelIn(model, 0); // the empty slot: no name, no description, the picture stays
    EXPECT_EQ(model.picture, 7);
    EXPECT_EQ(model.cardName, "");
    EXPECT_EQ(model.cardDescription, "");
}

TEST_F(AngelOfTheDayTest, KeepAngelStoresAnyIndexAndGivesItBack) {
    EXPECT_EQ(angels.KeepAngel(3), 3);
    EXPECT_EQ(store.Get("Card"), "3");
    EXPECT_EQ(angels.KeepAngel(99), 99);
    EXPECT_EQ(store.Get("Card"), "99");
}

TEST_F(AngelOfTheDayTest, DrawMapsTheUnitIntervalOntoFourteenEqualParts) {
    const std::pair<double, int> cases[] = {{0.0, 1},        {1.0 / 14 - 1e-12, 1},
                                            {1.0 / 14, 2},   {0.5, 8},
                                            {13.0 / 14, 14}, {0.9999999999999999, 14}};
    for (const auto& [r, index] : cases) {
        random.queue.push_back(r);
        EXPECT_EQ(angels.DrawAngelOfTheDay(), index) << r;
        EXPECT_EQ(store.Get("Card"), std::to_string(index)) << r;
    }
}

TEST_F(AngelOfTheDayTest, TwoDrawsInARowMayGiveTheSameAngel) {
    random.queue = {ScriptedRandom::ForAngel(9), ScriptedRandom::ForAngel(9)};
    angels.DrawAngelOfTheDay();
    angels.DrawAngelOfTheDay();
    EXPECT_EQ(store.Get("Card"), "9");
    EXPECT_EQ(random.taken, 2);
}

TEST_F(AngelOfTheDayTest, DrawIsDueFromTheStoredDateOnAndWhenUnreadable) {
    clock.today = {2026, 12, 8};
    EXPECT_TRUE(angels.IsDrawDue()); // absent
    store.values["Date"] = "2026-12-08";
    EXPECT_TRUE(angels.IsDrawDue());
    store.values["Date"] = "2026-12-07";
    EXPECT_TRUE(angels.IsDrawDue());
    store.values["Date"] = "2026-12-09";
    EXPECT_FALSE(angels.IsDrawDue());
    store.values["Date"] = "12/09/2026";
    EXPECT_TRUE(angels.IsDrawDue());
}

TEST_F(AngelOfTheDayTest, AdvanceStoresTomorrowAcrossTheYearEnd) {
    clock.today = {2026, 12, 31};
    angels.AdvanceDrawDate();
    EXPECT_EQ(store.Get("Date"), "2027-01-01");
}

TEST_F(AngelOfTheDayTest, FirstRunStoresTodayAndDraws) {
    random.queue = {ScriptedRandom::ForAngel(12)};
    EXPECT_EQ(angels.StartUpAngel(true), 12);
    EXPECT_EQ(store.Get("Date"), "2026-12-08");
    EXPECT_EQ(store.Get("Card"), "12");
}

TEST_F(AngelOfTheDayTest, FirstDaySecondStartDrawsAgainThenTheAngelStays) {
    random.queue = {ScriptedRandom::ForAngel(2), ScriptedRandom::ForAngel(5)};
    angels.StartUpAngel(true);
    angels.StartUpAngel(false);
    EXPECT_EQ(store.Get("Card"), "5");
    EXPECT_EQ(store.Get("Date"), "2026-12-09");

    AngelOfTheDay third{store, clock, random};
    EXPECT_EQ(third.StartUpAngel(false), 5);
    EXPECT_EQ(store.Get("Date"), "2026-12-09");
    EXPECT_EQ(random.taken, 2);
}

TEST_F(AngelOfTheDayTest, StoredAngelIsShownAndRewrittenWhileTheDateIsAhead) {
    store.values = {{"Card", "3"}, {"Date", "2027-01-01"}};
    EXPECT_EQ(angels.StartUpAngel(false), 3);
    EXPECT_EQ(store.Get("Date"), "2027-01-01");
    EXPECT_EQ(store.writes, (decltype(store.writes){{"Card", "3"}}));
    EXPECT_EQ(random.taken, 0);
}

TEST_F(AngelOfTheDayTest, AfterAnAbsenceTheNextDrawIsTheDayAfterThisStart) {
    store.values = {{"Card", "3"}, {"Date", "2026-11-01"}};
    random.queue = {ScriptedRandom::ForAngel(14)};
    angels.StartUpAngel(false);
    EXPECT_EQ(store.Get("Date"), "2026-12-09");
    EXPECT_EQ(store.Get("Card"), "14");
}

TEST_F(AngelOfTheDayTest, UnreadableDateDrawsAndRepairsIt) {
    store.values = {{"Card", "3"}, {"Date", "garbage"}};
    random.queue = {ScriptedRandom::ForAngel(6)};
    angels.StartUpAngel(false);
    EXPECT_EQ(store.Get("Date"), "2026-12-09");
    EXPECT_EQ(store.Get("Card"), "6");
}

TEST_F(AngelOfTheDayTest, StoredCardNamingNoAngelIsReplacedButTheDateKept) {
    for (const char* card : {"0", "15", "99", "-1", "abc", "", "1e3", "32768"}) {
        SCOPED_TRACE(card);
        store.values = {{"Card", card}, {"Date", "2027-01-01"}};
        random.queue = {ScriptedRandom::ForAngel(4)};
        AngelOfTheDay fresh{store, clock, random};
        EXPECT_EQ(fresh.StartUpAngel(false), 4);
        EXPECT_EQ(store.Get("Card"), "4");
        EXPECT_EQ(store.Get("Date"), "2027-01-01");
    }
}

} // namespace
} // namespace haloquill
