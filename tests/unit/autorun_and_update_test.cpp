#include "design/control_ids.h"
#include "fakes/controller_rig.h"
#include "web/update_reminder.h"

#include <gtest/gtest.h>

namespace haloquill {
namespace {

using testing::FakeMessageBoxes;
using testing::ScriptedRandom;

class AutorunTest : public ::testing::Test, protected testing::ControllerRig {};

TEST_F(AutorunTest, EntryQuotesTheExecutablePathAndAsksForTheStartupArgument) {
    EXPECT_EQ(AutorunCommand({"D:\\My Tools\\Prog", "prog"}),
              "\"D:\\My Tools\\Prog\\prog.exe\" /STARTUP");
    SetAutorunEntry(runKey, messages, executable, true);
    EXPECT_EQ(runKey.values.at("prog"), "\"D:\\My Tools\\Prog\\prog.exe\" /STARTUP");
    EXPECT_TRUE(HasAutorunEntry(runKey, "prog"));
    SetAutorunEntry(runKey, messages, executable, false);
    SetAutorunEntry(runKey, messages, executable, false); // already gone: silent
    EXPECT_FALSE(HasAutorunEntry(runKey, "prog"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(AutorunTest, RegistryFailuresAreReportedWithTheirStatus) {
    runKey.openStatus = 5;
    SetAutorunEntry(runKey, messages, executable, true);
    SetAutorunEntry(runKey, messages, executable, false);
    runKey.openStatus = 0;
    runKey.setStatus = 87;
    SetAutorunEntry(runKey, messages, executable, true);
    SetAutorunEntry(runKey, messages, executable, false);
    EXPECT_EQ(messages.shown,
              (std::vector<FakeMessageBoxes::Shown>{{"Error 5 opening key\r\n", BoxKind::Plain},
                                                    {"Error 5 opening key\r\n", BoxKind::Plain},
                                                    {"Error 87 setting key\r\n", BoxKind::Plain}}));
}

TEST_F(AutorunTest, OptionsWriteAndRemoveTheEntryAndGateTheTrayBox) {
    StoreLaterStart();
    random.queue = {0.0};
    controller.StartProgram("");
    controller.OnControlEvent(kOptRun, ControlEvent::Clicked);
    EXPECT_TRUE(runKey.HasValue("prog"));
    EXPECT_TRUE(view.sysTrayEnabled);
    controller.OnControlEvent(kChkSysTray, ControlEvent::Clicked, 1);
    controller.OnControlEvent(kOptDontRun, ControlEvent::Clicked);
    EXPECT_FALSE(runKey.HasValue("prog"));
    EXPECT_FALSE(view.sysTrayEnabled);
    EXPECT_FALSE(view.sysTrayChecked);
    EXPECT_EQ(store.Get("RunAtSysTray"), "False");
}

TEST_F(AutorunTest, FailingRegistryStillGatesTheTrayBoxAndTheProgramGoesOn) {
    StoreLaterStart();
    random.queue = {0.0};
    controller.StartProgram("");
    runKey.openStatus = 5;
    controller.OnControlEvent(kOptRun, ControlEvent::Clicked);
    EXPECT_TRUE(view.sysTrayEnabled);
    EXPECT_TRUE(view.runSelected);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(AutorunTest, StartBringsTheEntryInLineWithTheStoredChoiceAndTheCurrentPlace) {
    // An entry from an old place with "AutorunStartUp" true: rewritten for this place.
    StoreLaterStart();
    store.values["AutorunStartUp"] = "True";
    store.values["RunAtSysTray"] = "True";
    store.values["SystemTray"] = "False";
    runKey.values["prog"] = "\"C:\\Old\\prog.exe\" /STARTUP";
    random.queue = {0.0};
    controller.StartProgram("");
    EXPECT_EQ(runKey.values.at("prog"), AutorunCommand(executable));
    EXPECT_TRUE(view.runSelected);
    EXPECT_TRUE(view.sysTrayEnabled);
    EXPECT_FALSE(view.sysTrayChecked); // "SystemTray" is what the load applies last
    EXPECT_EQ(store.Get("RunAtSysTray"), "False");
}

TEST_F(AutorunTest, EntryWithoutTheStoredChoiceIsRemovedAtStart) {
    StoreLaterStart();
    store.values["AutorunStartUp"] = "False";
    runKey.values["prog"] = "whatever";
    random.queue = {0.0};
    controller.StartProgram("");
    EXPECT_FALSE(runKey.HasValue("prog"));
    EXPECT_FALSE(view.runSelected);
    EXPECT_FALSE(view.sysTrayEnabled);
}

TEST_F(AutorunTest, StoredChoiceWithoutAnEntryCreatesIt) {
    StoreLaterStart();
    store.values["AutorunStartUp"] = "-1";
    random.queue = {0.0};
    controller.StartProgram("");
    EXPECT_EQ(runKey.values.at("prog"), AutorunCommand(executable));
    EXPECT_TRUE(view.runSelected);
}

TEST_F(AutorunTest, FirstStartWithoutAnEntryTouchesNeitherTheKeyNorTheStore) {
    random.queue = {ScriptedRandom::ForAngel(1), 0.0};
    controller.StartProgram("");
    EXPECT_EQ(runKey.writes + runKey.removals, 0);
    EXPECT_FALSE(store.Has("AutorunStartUp"));
    EXPECT_FALSE(store.Has("RunAtSysTray"));
    EXPECT_FALSE(store.Has("SystemTray"));
}

class UpdateReminderTest : public ::testing::Test, protected testing::ControllerRig {
  protected:
    void StoreDaysAway(long long days) {
        store.values["UpdateCheckDate"] = FormatIsoDate(AddDays(clock.today, days));
    }
    void Remind() { RemindOfUpdate(store, clock, messages, web); }

    const FakeMessageBoxes::Shown kQuestion{std::string(kUpdateQuestion),
                                            BoxKind::InformationYesNo};
};

TEST_F(UpdateReminderTest, FirstRunStoresTodayWithoutAQuestion) {
    Remind();
    EXPECT_EQ(store.Get("UpdateCheckDate"), "2026-12-08");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UpdateReminderTest, FourteenDaysEitherWayAskNothingAndWriteNothing) {
    for (long long days : {-14, -1, 0, 1, 14}) {
        StoreDaysAway(days);
        store.writes.clear();
        Remind();
        EXPECT_TRUE(messages.shown.empty()) << days;
        EXPECT_TRUE(store.writes.empty()) << days;
    }
}

TEST_F(UpdateReminderTest, FifteenDaysEitherWayAskAndStoreTodayWhateverTheAnswer) {
    for (long long days : {-15, 15, -400}) {
        for (BoxAnswer answer : {BoxAnswer::Yes, BoxAnswer::No}) {
            StoreDaysAway(days);
            messages.shown.clear();
            browser.opened.clear();
            messages.answers = {answer};
            Remind();
            EXPECT_EQ(messages.shown, (std::vector<FakeMessageBoxes::Shown>{kQuestion}));
            EXPECT_EQ(store.Get("UpdateCheckDate"), "2026-12-08");
            const std::vector<std::string> download{
                "https://site.test/corvel-free-haloquill/ssd.php?page=download-web-page"};
            EXPECT_EQ(browser.opened,
                      answer == BoxAnswer::Yes ? download : std::vector<std::string>{});
        }
    }
}

TEST_F(UpdateReminderTest, QuestionTextHasTwoLinesSplitByACarriageReturn) {
    EXPECT_EQ(kUpdateQuestion, "There maybe an update to this software available\r"
                               "Do you want to check for an update?");
}

TEST_F(UpdateReminderTest, UnreadableDateIsTreatedAsAFirstRun) {
    for (const char* stored : {"garbage", "12/01/2026", "2026-02-30", ""}) {
        store.values["UpdateCheckDate"] = stored;
        Remind();
        EXPECT_EQ(store.Get("UpdateCheckDate"), "2026-12-08") << stored;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(UpdateReminderTest, RunsFirstAtStartAlsoWhenGoingStraightToTheTray) {
    StoreLaterStart();
    StoreDaysAway(-30);
    store.values["RunAtSysTray"] = "True";
    store.values["SystemTray"] = "True";
    store.values["AutorunStartUp"] = "True";
    runKey.values["prog"] = "x";
    messages.answers = {BoxAnswer::No};
    random.queue = {0.0};
    controller.StartProgram("/STARTUP");
    EXPECT_EQ(messages.shown, (std::vector<FakeMessageBoxes::Shown>{kQuestion}));
    EXPECT_TRUE(view.iconPresent);
    EXPECT_FALSE(view.visible);
}

} // namespace
} // namespace haloquill
