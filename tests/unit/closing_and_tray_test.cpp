#include "app/tray_presence.h"
#include "app/window_steps.h"
#include "design/app_texts.h"
#include "design/control_ids.h"
#include "fakes/controller_rig.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace haloquill {
namespace {

using testing::FakeMessageBoxes;
using testing::ScriptedRandom;

class ClosingTest : public ::testing::Test, protected testing::ControllerRig {
  protected:
    void Start(std::string_view commandLine = "") {
        random.queue = {ScriptedRandom::ForAngel(3), 0.0};
        controller.StartProgram(commandLine);
        store.writes.clear();
    }

    void ChooseDate(int day, int month) {
        controller.OnControlEvent(kCboDate, ControlEvent::SelectionChanged, day - 1);
        controller.OnControlEvent(kCboMonth, ControlEvent::SelectionChanged, month - 1);
    }

    const FakeMessageBoxes::Shown kBadDateBox{std::string(texts::kBadDate), BoxKind::Information};
    const FakeMessageBoxes::Shown kExitBox{std::string(texts::kExitQuestion),
                                           BoxKind::ExclamationYesNo};
};

TEST_F(ClosingTest, StartShowsTheWindowWithoutAnIcon) {
    StoreLaterStart();
    Start();
    EXPECT_TRUE(view.visible);
    EXPECT_FALSE(view.iconPresent);
    EXPECT_EQ(view.state, WindowState::Normal);
}

TEST_F(ClosingTest, ApplyAndHideSavesTheChoicesAndGoesToTheTrayWithTheAngelPageInFront) {
    Start();
    EXPECT_EQ(view.frontPage, Page::Settings);
    controller.RunCommand(kCmdCalculateMoonPhase);
    EXPECT_EQ(store.writes,
              (decltype(store.writes){{"AutorunStartUp", "False"}, {"SystemTray", "False"}}));
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.iconPresent);
    EXPECT_EQ(view.state, WindowState::Minimized);
    EXPECT_EQ(view.frontPage, Page::Angel);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClosingTest, ImpossibleDatesAreRefusedWithOneMessageAndNothingElse) {
    Start();
    const std::pair<int, int> bad[] = {{30, 2}, {31, 2}, {31, 4}, {31, 6}, {31, 9}, {31, 11}};
    for (const auto& [day, month] : bad) {
        messages.shown.clear();
        ChooseDate(day, month);
        controller.RunCommand(kMnuCalculateMoonPhase);
        EXPECT_EQ(messages.shown, (std::vector<FakeMessageBoxes::Shown>{kBadDateBox}))
            << day << "/" << month;
        EXPECT_TRUE(store.writes.empty());
        EXPECT_TRUE(view.visible);
        EXPECT_FALSE(view.iconPresent);
    }
}

TEST_F(ClosingTest, PossibleDatesAndListsWithoutSelectionPass) {
    Start();
    const std::pair<int, int> good[] = {{29, 2}, {31, 12}, {30, 4}, {31, 1}, {31, 3}};
    for (const auto& [day, month] : good) {
        ChooseDate(day, month);
        EXPECT_TRUE(controller.ValidateDate()) << day << "/" << month;
    }
    controller.OnControlEvent(kCboMonth, ControlEvent::SelectionChanged, -1);
    controller.OnControlEvent(kCboDate, ControlEvent::SelectionChanged, 30);
    EXPECT_TRUE(controller.ValidateDate());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClosingTest, CloseBoxHidesToTheTrayWithoutAQuestionOrAWrite) {
    Start();
    controller.RunCommand(kCmdSettings);
    ASSERT_EQ(view.frontPage, Page::Settings);
    controller.RequestUnload(UnloadReason::UserClose);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.iconPresent);
    EXPECT_EQ(view.state, WindowState::Minimized);
    EXPECT_EQ(view.quits, 0);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(view.frontPage, Page::Angel);
}

TEST_F(ClosingTest, ExitAnsweredYesSavesRemovesTheIconAndQuits) {
    Start();
    controller.RunCommand(kCmdCalculateMoonPhase); // into the tray, icon present
    store.writes.clear();
    messages.answers = {BoxAnswer::Yes};
    controller.RunCommand(kMnuExit);
    EXPECT_EQ(messages.shown, (std::vector<FakeMessageBoxes::Shown>{kExitBox}));
    EXPECT_EQ(store.writes.size(), 4u); // saved by the request and again by the unload
    EXPECT_EQ(store.Get("AutorunStartUp"), "False");
    EXPECT_FALSE(view.iconPresent);
    EXPECT_EQ(view.quits, 1);
}

TEST_F(ClosingTest, ExitAnsweredNoAppliesAndHides) {
    Start();
    messages.answers = {BoxAnswer::No};
    controller.RunCommand(kCmdExit);
    EXPECT_EQ(view.quits, 0);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.iconPresent);
    EXPECT_EQ(store.Get("SystemTray"), "False");
}

TEST_F(ClosingTest, ExitAnsweredNoWithAnImpossibleDateOnlyShowsTheDateMessage) {
    Start();
    ChooseDate(31, 4);
    messages.answers = {BoxAnswer::No};
    controller.RunCommand(kCmdExit);
    EXPECT_EQ(messages.shown, (std::vector<FakeMessageBoxes::Shown>{kExitBox, kBadDateBox}));
    EXPECT_TRUE(view.visible);
    EXPECT_TRUE(store.writes.empty());
    EXPECT_EQ(view.quits, 0);
}

TEST_F(ClosingTest, TrayMenuExitAndSessionEndQuitWithoutAQuestion) {
    for (auto quit : {0, 1}) {
        testing::ControllerRig rig;
        rig.random.queue = {ScriptedRandom::ForAngel(3), 0.0};
        rig.controller.StartProgram("");
        rig.controller.RunCommand(kCmdCalculateMoonPhase);
        if (quit == 0) {
            rig.controller.RunCommand(kMnuExit1);
        } else {
            rig.controller.RequestUnload(UnloadReason::SessionEnd);
        }
        EXPECT_TRUE(rig.messages.shown.empty());
        EXPECT_EQ(rig.view.quits, 1);
        EXPECT_FALSE(rig.view.iconPresent);
        EXPECT_EQ(rig.store.Get("SystemTray"), "False");
        EXPECT_EQ(rig.view.frontPage, Page::Angel);
    }
}

TEST_F(ClosingTest, DoubleClickAndShowBringTheWindowBackCentredAndRemoveTheIcon) {
    Start();
    for (bool useMenu : {false, true}) {
        controller.RequestUnload(UnloadReason::UserClose);
        ASSERT_TRUE(view.iconPresent);
        const int centred = view.centred;
        if (useMenu) {
            controller.RunCommand(kMnuPop);
        } else {
            controller.OnTrayNotification(TrayEvent::DoubleClick);
        }
        EXPECT_TRUE(view.visible);
        EXPECT_EQ(view.state, WindowState::Normal);
        EXPECT_FALSE(view.iconPresent);
        EXPECT_EQ(view.centred, centred + 1);
    }
}

TEST_F(ClosingTest, OnlyDoubleClickAndRightButtonUpAnswer) {
    Start();
    controller.RequestUnload(UnloadReason::UserClose);
    controller.OnTrayNotification(TrayEvent::Other);
    EXPECT_FALSE(view.visible);
    EXPECT_EQ(view.trayMenus, 0);
    controller.OnTrayNotification(TrayEvent::RightButtonUp);
    EXPECT_EQ(view.trayMenus, 1);
    EXPECT_FALSE(view.visible);
}

TEST_F(ClosingTest, ANewTaskbarGetsTheIconBackOnlyWhileTheProgramIsInTheNotificationArea) {
    Start();
    controller.OnTaskbarCreated();
    EXPECT_EQ(view.iconAdds, 0);
    controller.RequestUnload(UnloadReason::UserClose);
    view.iconPresent = false; // the new taskbar holds no icons
    controller.OnTaskbarCreated();
    EXPECT_TRUE(view.iconPresent);
    EXPECT_EQ(view.iconAdds, 2);
    controller.OnTrayNotification(TrayEvent::DoubleClick); // back on the screen, icon gone
    controller.OnTaskbarCreated();
    EXPECT_FALSE(view.iconPresent);
    EXPECT_EQ(view.iconAdds, 2);
}

TEST_F(ClosingTest, CloseBoxAfterTheReminderKeepsOneIcon) {
    StoreLaterStart();
    Start();
    controller.RequestUnload(UnloadReason::UserClose);
    clock.now = {7, 0, 0, 0};
    controller.Timer1_Timer(); // the reminder shows the window and leaves the icon
    ASSERT_TRUE(view.visible);
    const int adds = view.iconAdds;
    controller.RequestUnload(UnloadReason::UserClose);
    EXPECT_FALSE(view.visible);
    EXPECT_TRUE(view.iconPresent);
    EXPECT_EQ(view.iconAdds, adds); // the icon there is stays the only one
}

TEST_F(ClosingTest, StartupArgumentGoesToTheTrayOnlyWithTheEntryAndTheTrayChoice) {
    struct Case {
        bool entry;
        const char* runAtSysTray;
        const char* commandLine;
        bool inTray;
    };
    const Case cases[] = {
        {true, "True", "/STARTUP", true},   {true, "True", "-x /STARTUP -y", true},
        {true, "True", "x/STARTUPy", true}, {true, "True", "/startup", false},
        {true, "True", "", false},          {true, "False", "/STARTUP", false},
        {true, "true", "/STARTUP", false},  {false, "True", "/STARTUP", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.commandLine) + " " + c.runAtSysTray + (c.entry ? " entry" : ""));
        testing::ControllerRig rig;
        rig.StoreLaterStart();
        rig.store.values["RunAtSysTray"] = c.runAtSysTray;
        rig.store.values["AutorunStartUp"] = c.entry ? "True" : "False";
        rig.store.values["SystemTray"] = c.runAtSysTray;
        if (c.entry) {
            rig.runKey.values["prog"] = "old";
        }
        rig.random.queue = {0.0};
        rig.controller.StartProgram(c.commandLine);
        EXPECT_EQ(rig.view.visible, !c.inTray);
        EXPECT_EQ(rig.view.iconPresent, c.inTray);
    }
}

TEST(TrayPresence, EachMoveSetsWhereTheWindowIsAndOffersTheIconOnlyWhileWanted) {
    WindowPresence window;
    TrayPresence tray(window);
    using W = WindowPresence;
    constexpr auto kMin = WindowState::Minimized;
    constexpr auto kNormal = WindowState::Normal;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"a start into the tray",
         [&] {
             tray.HideInTray();
             tray.ShowAtStart();
         }},
        {"a tick offers the icon again", [&] { tray.Tick(); }},
        {"the reminder keeps the icon", [&] { tray.BringUp(); }},
        {"Show takes it away", [&] { tray.ShowFromTray(); }},
        {"a tick without an icon offers none", [&] { EXPECT_FALSE(tray.Tick()); }},
        {"a new taskbar offers none either", [&] { tray.OnTaskbarCreated(); }},
        {"the close box", [&] { tray.HideInTray(); }},
        {"a new taskbar offers it", [&] { tray.OnTaskbarCreated(); }},
    };
    const W expected[] = {
        {false, kMin, 0, 0, true, 1},    {false, kMin, 0, 0, true, 2},
        {true, kNormal, 1, 0, true, 2},  {true, kNormal, 2, 1, false, 2},
        {true, kNormal, 2, 1, false, 2}, {true, kNormal, 2, 1, false, 2},
        {false, kMin, 2, 1, true, 3},    {false, kMin, 2, 1, true, 4},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].second();
        EXPECT_EQ(window, expected[i]) << steps[i].first;
    }
    // The offers a refused icon gets end after kTrayIconRetries ticks.
    int offered = 0;
    while (tray.Tick()) {
        ++offered;
    }
    EXPECT_EQ(offered, kTrayIconRetries);
}

TEST(WindowSteps, EachChangeOfPresenceTakesTheStepsFromWhereTheWindowIsOnTheScreen) {
    using S = WindowStep;
    constexpr auto kMin = WindowState::Minimized;
    constexpr auto kNormal = WindowState::Normal;
    const WindowPresence hidden{false, kNormal, 0, 0, false, 0};
    const WindowPresence shown{true, kNormal, 0, 0, false, 0};
    const WindowPresence inTray{false, kMin, 0, 0, true, 1};
    struct Case {
        const char* what;
        WindowPresence before, now;
        ScreenState screen;
        std::vector<WindowStep> steps;
    };
    const Case cases[] = {
        {"a shown start", hidden, shown, {false, false}, {S::Show, S::BringToFront}},
        {"a start into the tray", hidden, inTray, {false, false}, {S::OfferIcon}},
        {"the close box", shown, inTray, {true, false}, {S::OfferIcon, S::Minimize, S::Hide}},
        {"the close box on a minimised window",
         shown,
         inTray,
         {true, true},
         {S::OfferIcon, S::Hide}},
        {"the reminder before the first show",
         inTray,
         {true, kNormal, 1, 0, true, 1},
         {false, false},
         {S::Show, S::BringToFront}},
        {"the reminder after the tray",
         inTray,
         {true, kNormal, 1, 0, true, 1},
         {false, true},
         {S::Restore, S::BringToFront}},
        {"Show",
         inTray,
         {true, kNormal, 1, 1, false, 1},
         {false, true},
         {S::Restore, S::BringToFront, S::Centre, S::RemoveIcon}},
        {"the reminder on a window the user minimised",
         shown,
         {true, kNormal, 1, 0, false, 0},
         {true, true},
         {S::Restore, S::BringToFront}},
        {"another render of a window the user minimised", shown, shown, {true, true}, {}},
        {"the icon offered again",
         inTray,
         {false, kMin, 0, 0, true, 2},
         {false, true},
         {S::OfferIcon}},
        {"shown minimised",
         hidden,
         {true, kMin, 0, 0, false, 0},
         {false, false},
         {S::ShowMinimizedInactive}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WindowSteps(c.before, c.now, c.screen), c.steps) << c.what;
    }
}

} // namespace
} // namespace haloquill
