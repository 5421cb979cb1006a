// The reminder waits while the user is away or busy, and Windows' own switch for the start at
// logon.

#include "fakes/controller_rig.h"
#include "reminder/user_presence.h"
#include "settings/startup_approval.h"

#include <gtest/gtest.h>

#include <vector>

namespace haloquill {
namespace {

using testing::ScriptedRandom;

constexpr int kLock = 7, kUnlock = 8, kConsoleConnect = 1, kConsoleDisconnect = 2,
              kRemoteConnect = 3, kRemoteDisconnect = 4, kLogon = 5;

TEST(UserPresence, EachAnswerOfWindowsTheSessionAndTheWindowInFrontDecide) {
    const ScreenRect monitor{0, 0, 1920, 1080};
    const ForegroundWindow game{true, "GameWindow", {0, 0, 1920, 1080}, monitor};
    struct Case {
        const char* what;
        std::optional<int> answer;
        std::vector<int> changes;
        ForegroundWindow front;
        bool mayComeForward;
    };
    const Case cases[] = {
        {"not present", 1, {}, {}, false},
        {"busy", 2, {}, {}, false},
        {"Direct3D full screen", 3, {}, {}, false},
        {"presentation mode", 4, {}, {}, false},
        {"accepts notifications", 5, {}, {}, true},
        {"quiet time", 6, {}, {}, true},
        {"a Store program", 7, {}, {}, true},
        {"no answer", std::nullopt, {}, {}, true},
        {"an unknown answer", 42, {}, {}, true},
        {"locked", 5, {kLock}, {}, false},
        {"locked and unlocked", 5, {kLock, kUnlock}, {}, true},
        {"console disconnected", 5, {kConsoleDisconnect}, {}, false},
        {"moved to a remote session", 5, {kConsoleDisconnect, kRemoteConnect}, {}, true},
        {"remote disconnected, then back", 5, {kRemoteDisconnect, kConsoleConnect}, {}, true},
        {"unlocked but still disconnected", 5, {kConsoleDisconnect, kLock, kUnlock}, {}, false},
        {"a logon changes nothing", 5, {kLock, kLogon}, {}, false},
        {"another program in full screen", 5, {}, game, false},
        {"larger than its monitor", 5, {}, {true, "Video", {-8, -8, 1928, 1088}, monitor}, false},
        {"our own window in full screen", 5, {}, {false, "Ours", monitor, monitor}, true},
        {"a window short of the monitor",
         5,
         {},
         {true, "Editor", {0, 0, 1920, 1040}, monitor},
         true},
        {"the desktop", 5, {}, {true, "Progman", monitor, monitor}, true},
        {"the desktop's wallpaper layer", 5, {}, {true, "WorkerW", monitor, monitor}, true},
        {"the taskbar", 5, {}, {true, "Shell_TrayWnd", monitor, monitor}, true},
        {"no monitor", 5, {}, {true, "Odd", {0, 0, 10, 10}, {}}, true},
    };
    for (const Case& c : cases) {
        SessionState session;
        for (int change : c.changes) {
            session.Apply(change);
        }
        EXPECT_EQ(MayComeForward({c.answer, c.front}, session), c.mayComeForward) << c.what;
    }
    SessionState session;
    EXPECT_FALSE(session.Apply(kUnlock)) << "not away before";
    EXPECT_FALSE(session.Apply(kLock));
    EXPECT_TRUE(session.Apply(kUnlock)) << "back";
}

TEST(StartupApproval, OnlyAReadableOddMarkTurnsTheStartOff) {
    const std::vector<std::uint8_t> time{0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70, 0x01};
    const auto mark = [&](std::uint8_t first, bool withTime, unsigned long type = 3) {
        StartupApproval value{type, {first, 0, 0, 0}};
        if (withTime) {
            value.bytes.insert(value.bytes.end(), time.begin(), time.end());
        }
        return std::optional(value);
    };
    struct Case {
        const char* what;
        std::optional<StartupApproval> mark;
        bool disabled;
    };
    const Case cases[] = {
        {"absent", std::nullopt, false},
        {"2", mark(2, true), false},
        {"6", mark(6, true), false},
        {"2 without a time", mark(2, false), false},
        {"3 with a time", mark(3, true), true},
        {"7 with a time", mark(7, true), true},
        {"3 too short", mark(3, false), false},
        {"3 in three bytes", StartupApproval{3, {3, 0, 0}}, false},
        {"empty", StartupApproval{3, {}}, false},
        {"3 as a DWORD", mark(3, true, 4), false},
        {"3 as text", mark(3, true, 1), false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarksStartDisabled(c.mark), c.disabled) << c.what;
    }
}

class HeldReminderTest : public ::testing::Test, protected testing::ControllerRig {
  protected:
    void SetUp() override {
        StoreLaterStart("3", "2026-12-09");
        random.queue = {ScriptedRandom::ForAngel(9)};
        controller.StartProgram("");
        controller.RequestUnload(UnloadReason::UserClose); // into the tray
        attention.reads = 0;
        clock.today = {2026, 12, 9};
    }

    void TickAt(int hour, int minute, int second) {
        clock.now = {hour, minute, second, 0};
        controller.Timer1_Timer();
    }

    // The reminder at 7:00:00 while Windows says the user is busy: the day's draw happens, the
    // window stays hidden.
    void RemindWhileBusy(int answer = 2) {
        attention.reading.notificationState = answer;
        random.queue = {ScriptedRandom::ForAngel(12)};
        TickAt(6, 59, 59);
        TickAt(7, 0, 0);
        EXPECT_EQ(store.Get("Card"), "12");
        EXPECT_EQ(store.Get("Date"), "2026-12-10");
        EXPECT_FALSE(view.visible);
    }
};

TEST_F(HeldReminderTest, ComesUpOnceAtTheFirstTickTheUserIsFreeAndWindowsIsAskedOnlyThen) {
    TickAt(6, 59, 58);
    EXPECT_EQ(attention.reads, 0) << "an ordinary tick asks Windows nothing";
    RemindWhileBusy(3);
    TickAt(7, 0, 1);
    TickAt(7, 20, 0);
    EXPECT_FALSE(view.visible);
    attention.reading.notificationState = 5;
    TickAt(7, 20, 1);
    EXPECT_TRUE(view.visible);
    EXPECT_EQ(view.state, WindowState::Normal);
    EXPECT_EQ(view.frontPage, Page::Angel);
    const int reads = attention.reads;
    const int raises = view.presence.raises;
    controller.RequestUnload(UnloadReason::UserClose);
    TickAt(7, 20, 2);
    EXPECT_FALSE(view.visible) << "once";
    EXPECT_EQ(view.presence.raises, raises);
    EXPECT_EQ(attention.reads, reads);
}

TEST_F(HeldReminderTest, EndsWithoutShowingWhenItsDayEndsOrTheUserOpensTheWindow) {
    RemindWhileBusy();
    TickAt(23, 59, 59);
    attention.reading.notificationState = 5;
    clock.today = {2026, 12, 10};
    TickAt(0, 0, 0);
    EXPECT_FALSE(view.visible) << "the day's held reminder ended with it";

    clock.today = {2026, 12, 9};
    RemindWhileBusy();
    controller.OnTrayNotification(TrayEvent::DoubleClick);
    ASSERT_TRUE(view.visible);
    controller.RequestUnload(UnloadReason::UserClose);
    attention.reading.notificationState = 5;
    TickAt(7, 0, 2);
    EXPECT_FALSE(view.visible) << "the user opened it already";
}

TEST_F(HeldReminderTest, ALockedSessionHoldsItAndTheUnlockBringsItUpAtOnce) {
    controller.OnSessionChange(kLock);
    RemindWhileBusy(5); // Windows accepts notifications, but the session is locked
    TickAt(7, 0, 1);
    EXPECT_FALSE(view.visible);
    attention.reading.notificationState = 1; // still "not present" just after the unlock
    controller.OnSessionChange(kUnlock);
    EXPECT_TRUE(view.visible);
    controller.RequestUnload(UnloadReason::UserClose);
    controller.OnSessionChange(kLock);
    controller.OnSessionChange(kUnlock);
    EXPECT_FALSE(view.visible) << "nothing held any more";
}

TEST(StartUpChoicesInWindows, AStartTurnedOffInWindowsShowsAsDontRunUntilTheUserChoosesRun) {
    testing::ControllerRig rig;
    rig.StoreLaterStart();
    rig.store.values["AutorunStartUp"] = "True";
    rig.store.values["RunAtSysTray"] = "True";
    rig.runKey.values["prog"] = "\"C:\\old\\prog.exe\" /STARTUP";
    rig.runKey.TurnOffInWindows("prog");
    rig.random.queue = {0.0};
    const auto mark = rig.runKey.approvals;
    rig.controller.StartProgram("/STARTUP");
    EXPECT_TRUE(rig.view.visible) << "not into the tray: Windows would not have started it";
    EXPECT_FALSE(rig.view.runSelected);
    EXPECT_FALSE(rig.view.sysTrayEnabled);
    EXPECT_EQ(rig.runKey.writes + rig.runKey.removals, 0) << "the program's own choice";
    EXPECT_EQ(rig.runKey.approvals, mark);
    rig.controller.OnControlEvent(kOptRun, ControlEvent::Clicked);
    EXPECT_TRUE(rig.view.sysTrayEnabled);
    EXPECT_EQ(rig.runKey.values["prog"], "\"D:\\My Tools\\Prog\\prog.exe\" /STARTUP");
    EXPECT_TRUE(rig.runKey.approvals.empty()) << "the user's choice takes effect";
    rig.controller.RunCommand(kCmdCalculateMoonPhase);
    EXPECT_EQ(rig.store.Get("AutorunStartUp"), "True");
}

} // namespace
} // namespace haloquill
