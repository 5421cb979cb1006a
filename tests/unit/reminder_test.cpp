#include "fakes/controller_rig.h"
#include "reminder/reminder_schedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace haloquill {
namespace {

using testing::ScriptedRandom;

// Local moments as seconds since 1970-01-01, and back.
long long Moment(const CivilDate& date, int hour, int minute, int second) {
    return DaysFromCivil(date) * 86400 + hour * 3600 + minute * 60 + second;
}

struct Tick {
    CivilDate date;
    TimeOfDay time;
};

Tick TickAt(long long millis) {
    const long long seconds = millis / 1000;
    const long long secondOfDay = ((seconds % 86400) + 86400) % 86400;
    const CivilDate date = CivilFromDays((seconds - secondOfDay) / 86400);
    return {date,
            TimeOfDay{static_cast<int>(secondOfDay / 3600), static_cast<int>(secondOfDay / 60 % 60),
                      static_cast<int>(secondOfDay % 60), static_cast<int>(millis % 1000)}};
}

// Runs a schedule over ticks `periodMillis` apart from `fromMillis` to `toMillis` and gives the
// whole seconds at which the reminder was due.
std::vector<long long> DueSeconds(const ReminderTime& time, long long fromMillis,
                                  long long toMillis, long long periodMillis) {
    ReminderSchedule schedule;
    std::vector<long long> due;
    for (long long at = fromMillis; at <= toMillis; at += periodMillis) {
        const Tick tick = TickAt(at);
        if (schedule.IsDue(time, tick.date, tick.time)) {
            due.push_back(at / 1000);
        }
    }
    return due;
}

const CivilDate kDay{2026, 12, 8};

TEST(ReminderSchedule, ExactTicksGiveOneReminderADay) {
    const long long start = Moment(kDay, 0, 0, 0) * 1000;
    const auto due = DueSeconds({7, 0, 0}, start, start + 3LL * 86400 * 1000, 1000);
    EXPECT_EQ(due, (std::vector<long long>{Moment(kDay, 7, 0, 0), Moment({2026, 12, 9}, 7, 0, 0),
                                           Moment({2026, 12, 10}, 7, 0, 0)}));
}

TEST(ReminderSchedule, DriftingTicksThatSkipTheSecondStillRemindOnce) {
    // A timer that fires every 1030 ms skips a whole second now and then.
    const long long start = Moment(kDay, 6, 0, 0) * 1000 + 400;
    for (int second = 0; second < 60; ++second) {
        const auto due = DueSeconds({7, 10, second}, start, start + 2 * 3600 * 1000LL, 1030);
        ASSERT_EQ(due.size(), 1u) << second;
        EXPECT_GE(due[0], Moment(kDay, 7, 10, second));
        EXPECT_LE(due[0], Moment(kDay, 7, 10, second) + 1);
    }
}

TEST(ReminderSchedule, TwoTicksInTheMatchingSecondBothCount) {
    ReminderSchedule schedule;
    EXPECT_FALSE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {6, 59, 59, 950}));
    EXPECT_TRUE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 0, 10}));
    EXPECT_TRUE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 0, 990}));
    EXPECT_FALSE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 1, 990}));
}

TEST(ReminderSchedule, LongGapsPassNoReminderOn) {
    ReminderSchedule schedule;
    EXPECT_FALSE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {6, 59, 55, 0}));
    EXPECT_FALSE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 1, 0})); // 6 s: asleep
    ReminderSchedule awake;
    EXPECT_FALSE(awake.IsDue(ReminderTime{7, 0, 0}, kDay, {6, 59, 56, 0}));
    EXPECT_TRUE(awake.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 1, 0})); // 5 s
}

TEST(ReminderSchedule, MidnightIsCrossedWithoutLosingOrDoublingTheReminder) {
    const long long start = Moment(kDay, 23, 59, 50) * 1000 + 500;
    const auto due = DueSeconds({0, 0, 0}, start, start + 30 * 1000, 1700);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_LE(due[0] - Moment({2026, 12, 9}, 0, 0, 0), 1);
    EXPECT_EQ(DueSeconds({23, 59, 59}, start, start + 30 * 1000, 1700).size(), 1u);
}

TEST(ReminderSchedule, ClockSetBackOverTheTimeRemindsAgain) {
    ReminderSchedule schedule;
    EXPECT_TRUE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 0, 0}));
    EXPECT_FALSE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 1, 0}));
    EXPECT_FALSE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {6, 59, 58, 0})); // set back
    EXPECT_FALSE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {6, 59, 59, 0}));
    EXPECT_TRUE(schedule.IsDue(ReminderTime{7, 0, 0}, kDay, {7, 0, 0, 0}));
}

TEST(ReminderSchedule, DaylightSavingChangesNeitherCrashNorDoubleTheDraw) {
    // Spring forward: the local clock jumps from 01:59:59 to 03:00:00, so 02:30 never comes.
    ReminderSchedule spring;
    EXPECT_FALSE(spring.IsDue(ReminderTime{2, 30, 0}, kDay, {1, 59, 59, 0}));
    EXPECT_FALSE(spring.IsDue(ReminderTime{2, 30, 0}, kDay, {3, 0, 0, 0}));
    // A reminder at the edge of the jump is still met.
    ReminderSchedule edge;
    EXPECT_FALSE(edge.IsDue(ReminderTime{3, 0, 0}, kDay, {1, 59, 59, 0}));
    EXPECT_TRUE(edge.IsDue(ReminderTime{3, 0, 0}, kDay, {3, 0, 0, 0}));
    // Fall back: 02:00 to 02:59 comes twice, and so does a reminder inside it.
    ReminderSchedule autumn;
    EXPECT_TRUE(autumn.IsDue(ReminderTime{2, 30, 0}, kDay, {2, 30, 0, 0}));
    EXPECT_FALSE(autumn.IsDue(ReminderTime{2, 30, 0}, kDay, {2, 59, 59, 0}));
    EXPECT_FALSE(autumn.IsDue(ReminderTime{2, 30, 0}, kDay, {2, 0, 0, 0}));
    EXPECT_TRUE(autumn.IsDue(ReminderTime{2, 30, 0}, kDay, {2, 30, 0, 0}));
}

TEST(ReminderSchedule, MissingOrImpossibleTimesNeverRemind) {
    const long long start = Moment(kDay, 0, 0, 0) * 1000;
    EXPECT_TRUE(DueSeconds({24, 0, 0}, start, start + 86400 * 1000LL, 700).empty());
    EXPECT_TRUE(DueSeconds({7, 60, 0}, start, start + 86400 * 1000LL, 700).empty());
    ReminderSchedule schedule;
    EXPECT_FALSE(schedule.IsDue(std::nullopt, kDay, {7, 0, 0, 0}));
}

TEST(ReminderSchedule, StoredTimeIsReadAsWholeNumbers) {
    testing::FakeSettingsStore store;
    store.values = {{"Hour", "07"}, {"Minute", " 5"}, {"Second", "+0"}};
    const auto time = ReadReminderTime(store);
    ASSERT_TRUE(time.has_value());
    EXPECT_EQ(time->hour, 7);
    EXPECT_EQ(time->minute, 5);
    EXPECT_EQ(time->second, 0);
    for (const char* bad : {"", "seven", "7.5", "1e1"}) {
        store.values["Hour"] = bad;
        EXPECT_FALSE(ReadReminderTime(store).has_value()) << bad;
    }
    store.values.erase("Hour");
    EXPECT_FALSE(ReadReminderTime(store).has_value());
}

class ReminderTimerTest : public ::testing::Test, protected testing::ControllerRig {
  protected:
    void SetUp() override {
        StoreLaterStart("3", "2026-12-08");
        random.queue = {ScriptedRandom::ForAngel(9), 0.0};
        controller.StartProgram("");
        controller.RequestUnload(UnloadReason::UserClose); // into the tray
        store.reads = 0;
    }

    void TickAt(int hour, int minute, int second) {
        clock.now = {hour, minute, second, 0};
        controller.Timer1_Timer();
    }
};

TEST_F(ReminderTimerTest, StartUpDrawThenReminderOnlyShowsTheWindow) {
    EXPECT_EQ(store.Get("Date"), "2026-12-09"); // drawn at start-up
    EXPECT_EQ(view.cardName, "St. Michael");
    TickAt(6, 59, 59);
    EXPECT_FALSE(view.visible);
    TickAt(7, 0, 0);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.state, WindowState::Normal);
    EXPECT_TRUE(view.iconPresent);
    EXPECT_EQ(view.cardName, "St. Michael");
    EXPECT_EQ(store.Get("Date"), "2026-12-09");
}

TEST_F(ReminderTimerTest, NextDayTheReminderDrawsAndMovesTheDate) {
    clock.today = {2026, 12, 9};
    random.queue = {ScriptedRandom::ForAngel(12)};
    TickAt(6, 59, 59);
    TickAt(7, 0, 0);
    EXPECT_EQ(view.cardName, "St. Raphael");
    EXPECT_EQ(store.Get("Card"), "12");
    EXPECT_EQ(store.Get("Date"), "2026-12-10");
    // A second tick in the same second only shows the window again.
    controller.Timer1_Timer();
    EXPECT_EQ(store.Get("Card"), "12");
    EXPECT_EQ(random.taken, 3);
}

TEST_F(ReminderTimerTest, StoredValuesAreReadOnEveryTickAndChangesTakeEffect) {
    TickAt(6, 59, 49);
    EXPECT_EQ(store.reads, 3);
    store.values["Minute"] = "30";
    TickAt(6, 59, 50);
    TickAt(7, 0, 0);
    EXPECT_FALSE(view.visible);
    TickAt(7, 29, 59);
    TickAt(7, 30, 0);
    EXPECT_TRUE(view.visible);
}

TEST_F(ReminderTimerTest, NonNumericTimeGivesNoReminderAndNoRepair) {
    store.values["Second"] = "abc";
    store.writes.clear();
    TickAt(6, 59, 59);
    TickAt(7, 0, 0);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(ReminderTimerTest, UnreadableDateAtTheReminderDrawsAndRepairsIt) {
    store.values["Date"] = "garbage";
    random.queue = {ScriptedRandom::ForAngel(1)};
    TickAt(7, 0, 0);
    EXPECT_EQ(store.Get("Date"), "2026-12-09");
    EXPECT_EQ(view.cardName, "St. Adnachiel");
}

TEST_F(ReminderTimerTest, RepeatedReminderOnOneDayDrawsOnlyOnce) {
    // The clock set back over the reminder time, or the hour repeated in autumn.
    clock.today = {2026, 12, 9};
    random.queue = {ScriptedRandom::ForAngel(12)};
    TickAt(7, 0, 0);
    controller.RequestUnload(UnloadReason::UserClose);
    TickAt(6, 59, 58);
    TickAt(6, 59, 59);
    TickAt(7, 0, 0);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(store.Get("Card"), "12");
    EXPECT_EQ(store.Get("Date"), "2026-12-10");
    EXPECT_TRUE(random.queue.empty());
}

TEST_F(ReminderTimerTest, ClockSetBackADayDrawsNothingUntilTheStoredDate) {
    clock.today = {2026, 12, 7}; // "Date" is now two days ahead
    TickAt(7, 0, 0);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.cardName, "St. Michael");
    EXPECT_EQ(store.Get("Date"), "2026-12-09");
}

TEST_F(ReminderTimerTest, MidnightInTheTrayDrawsAtTheNextReminderOnly) {
    clock.today = {2026, 12, 8};
    TickAt(23, 59, 59);
    clock.today = {2026, 12, 9};
    TickAt(0, 0, 0);
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(store.Get("Card"), "9");
    random.queue = {ScriptedRandom::ForAngel(1)};
    TickAt(7, 0, 0);
    EXPECT_EQ(store.Get("Card"), "1");
    EXPECT_EQ(store.Get("Date"), "2026-12-10");
}

TEST_F(ReminderTimerTest, ATickThatStraddlesMidnightStillCatchesUpASkippedSecond) {
    store.values["Hour"] = "0";
    store.values["Minute"] = "0";
    store.values["Second"] = "1";
    const CivilDate day{2026, 12, 8};
    const CivilDate next{2026, 12, 9};
    TickAt(23, 59, 59);
    // The clock passes midnight between two readings of one tick; the tick after it comes late
    // and misses 0:00:01.
    clock.readings = {{day, {23, 59, 59, 999}}, {next, {0, 0, 0, 0}}, {next, {0, 0, 0, 0}}};
    controller.Timer1_Timer();
    EXPECT_FALSE(view.visible);
    clock.readings.clear();
    clock.today = next;
    random.queue = {ScriptedRandom::ForAngel(4)};
    TickAt(0, 0, 2);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(store.Get("Date"), "2026-12-10");
}

TEST_F(ReminderTimerTest, FirstStartDayReminderDrawsOnceMore) {
    testing::ControllerRig rig;
    rig.random.queue = {ScriptedRandom::ForAngel(2), 0.0, ScriptedRandom::ForAngel(6)};
    rig.clock.now = {6, 0, 0, 0};
    rig.controller.StartProgram("");
    EXPECT_EQ(rig.store.Get("Date"), "2026-12-08");
    rig.clock.now = {7, 0, 0, 0};
    rig.controller.Timer1_Timer();
    EXPECT_EQ(rig.store.Get("Card"), "6");
    EXPECT_EQ(rig.store.Get("Date"), "2026-12-09");
}

} // namespace
} // namespace haloquill
