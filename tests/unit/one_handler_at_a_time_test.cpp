// Events that arrive while a message box waits for its answer, or once the program has begun to
// close: the user's stored choices survive, and no handler runs inside another.

#include "design/app_texts.h"
#include "design/control_ids.h"
#include "fakes/controller_rig.h"
#include "web/update_reminder.h"

#include <gtest/gtest.h>

namespace haloquill {
namespace {

using testing::ScriptedRandom;

class OneHandlerAtATimeTest : public ::testing::Test, protected testing::ControllerRig {
  protected:
    // The user chose "start with Windows", "into the notification area" and 9:30:15.
    void StoreEveryChoice(const std::string& updateCheckDate = "2026-12-01") {
        store.values = {{"Hour", "9"},
                        {"Minute", "30"},
                        {"Second", "15"},
                        {"Date", "2027-01-01"},
                        {"Card", "3"},
                        {"UpdateCheckDate", updateCheckDate},
                        {"AutorunStartUp", "True"},
                        {"SystemTray", "True"},
                        {"RunAtSysTray", "True"}};
        runKey.values["prog"] = AutorunCommand(executable);
    }

    void Start(std::string_view commandLine = "") {
        random.queue = {0.0};
        controller.StartProgram(commandLine);
        store.writes.clear();
    }

    void ExpectEveryChoiceKept() {
        EXPECT_EQ(store.Get("AutorunStartUp"), "True");
        EXPECT_EQ(store.Get("SystemTray"), "True");
        EXPECT_EQ(store.Get("RunAtSysTray"), "True");
        EXPECT_EQ(store.Get("Hour"), "9");
        EXPECT_EQ(store.Get("Minute"), "30");
        EXPECT_EQ(store.Get("Second"), "15");
        EXPECT_EQ(runKey.values.count("prog"), 1u);
    }
};

TEST_F(OneHandlerAtATimeTest, SessionEndDuringTheExitQuestionKeepsTheChoicesAndEndsOnce) {
    StoreEveryChoice();
    Start();
    messages.whileOpen = [this] { controller.RequestUnload(UnloadReason::SessionEnd); };
    controller.OnControlEvent(kCmdExit, ControlEvent::Clicked);

    ExpectEveryChoiceKept();
    EXPECT_EQ(view.quits, 1);
    EXPECT_EQ(messages.shown.size(), 1u); // the question, and nothing after it
    EXPECT_FALSE(view.iconPresent);
    // Only the closing's own saves, of what the window showed before it was destroyed.
    for (const auto& [key, value] : store.writes) {
        EXPECT_EQ(value, "True") << key;
    }
}

TEST_F(OneHandlerAtATimeTest, SessionEndDuringTheStartUpUpdateQuestionChangesNothingStored) {
    StoreEveryChoice("2026-11-01");
    const auto before = store.values;
    messages.whileOpen = [this] { controller.RequestUnload(UnloadReason::SessionEnd); };
    random.queue = {0.0};
    controller.StartProgram("/STARTUP");

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kUpdateQuestion);
    EXPECT_EQ(store.values, before);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(runKey.values.count("prog"), 1u);
    EXPECT_EQ(view.quits, 1);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(browser.opened.empty());
}

TEST_F(OneHandlerAtATimeTest, EventsWhileABoxIsOpenAreRefused) {
    StoreEveryChoice();
    store.values["Hour"] = "12"; // the reminder is due at the clock's 12:00:00
    store.values["Minute"] = "0";
    store.values["Second"] = "0";
    Start();
    controller.RequestUnload(UnloadReason::UserClose);     // into the notification area
    controller.OnTrayNotification(TrayEvent::DoubleClick); // and back
    ASSERT_TRUE(view.visible);
    const int centred = view.centred;
    std::string hourShownWhileOpen;
    messages.answers = {BoxAnswer::No};
    messages.whileOpen = [this, &hourShownWhileOpen] {
        controller.Timer1_Timer();
        controller.OnTrayNotification(TrayEvent::RightButtonUp);
        controller.OnTrayNotification(TrayEvent::DoubleClick);
        controller.OnControlEvent(kCmdSettings, ControlEvent::Clicked);
        controller.OnControlEvent(kMnuExit, ControlEvent::Clicked);
        // The user picks 15 in the hour list meanwhile: refused, the list shows 12 again.
        controller.OnControlEvent(kCboHour, ControlEvent::SelectionChanged, 15);
        hourShownWhileOpen = view.SelectedText(ChoiceList::Hour);
        controller.RequestUnload(UnloadReason::UserClose);
    };
    ASSERT_EQ(view.frontPage, Page::Angel);
    controller.OnControlEvent(kCmdExit, ControlEvent::Clicked);

    EXPECT_EQ(messages.shown.size(), 1u); // no second question from the nested Exit
    EXPECT_EQ(hourShownWhileOpen, "12");
    EXPECT_EQ(store.Get("Hour"), "12");
    EXPECT_EQ(view.trayMenus, 0);
    EXPECT_EQ(view.centred, centred);
    EXPECT_EQ(view.frontPage, Page::Angel); // Settings was not brought forward
    EXPECT_EQ(view.quits, 0);
    // No, then the apply-and-hide command ran once the question was answered.
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.iconPresent);
}

TEST_F(OneHandlerAtATimeTest, TheReminderWaitsUntilTheStartIsDone) {
    StoreEveryChoice("2026-11-01");
    store.values["Hour"] = "12";
    store.values["Minute"] = "0";
    store.values["Second"] = "0";
    bool shownDuringTheQuestion = false;
    messages.whileOpen = [&] {
        controller.Timer1_Timer();
        shownDuringTheQuestion = view.visible;
    };
    random.queue = {0.0};
    controller.StartProgram("/STARTUP");
    EXPECT_FALSE(shownDuringTheQuestion);
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(store.Get("Date"), "2027-01-01");
    EXPECT_EQ(store.Get("Card"), "3");
}

TEST_F(OneHandlerAtATimeTest, ACloseFromOutsideSavesTheChoicesAndEnds) {
    StoreEveryChoice();
    Start();
    view.sysTrayChecked = false; // the user unticked the box; its handler stored it
    controller.OnControlEvent(kChkSysTray, ControlEvent::Clicked);
    controller.RequestUnload(UnloadReason::OutsideClose);
    EXPECT_EQ(store.Get("SystemTray"), "False");
    EXPECT_EQ(store.Get("AutorunStartUp"), "True");
    EXPECT_EQ(view.quits, 1);
    EXPECT_FALSE(view.iconPresent);
    // Once closing, nothing more runs.
    controller.OnControlEvent(kCmdExit, ControlEvent::Clicked);
    controller.RequestUnload(UnloadReason::SessionEnd);
    EXPECT_EQ(view.quits, 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OneHandlerAtATimeTest, ARefusedTrayIconIsOfferedAgainOnTheNextTicksForAWhile) {
    StoreEveryChoice();
    Start();
    view.iconRefusals = 2;
    controller.OnControlEvent(kCmdCalculateMoonPhase, ControlEvent::Clicked);
    EXPECT_FALSE(view.iconPresent);
    controller.Timer1_Timer();
    EXPECT_FALSE(view.iconPresent);
    controller.Timer1_Timer();
    EXPECT_TRUE(view.iconPresent);
    controller.Timer1_Timer();
    EXPECT_EQ(view.iconAdds, 3);

    // A shell that never takes the icon is not asked for ever.
    controller.OnTrayNotification(TrayEvent::DoubleClick);
    view.iconRefusals = 1000;
    const int before = view.iconAdds;
    controller.RequestUnload(UnloadReason::UserClose);
    for (int tick = 0; tick < 3 * kTrayIconRetries; ++tick) {
        controller.Timer1_Timer();
    }
    EXPECT_EQ(view.iconAdds - before, 1 + kTrayIconRetries);
    EXPECT_FALSE(view.iconPresent);
}

} // namespace
} // namespace haloquill
