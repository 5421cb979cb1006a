// The real Haloquill.exe under Wine on a clock that passes midnight (cmake/run-before-midnight.sh
// runs it): a reminder held through the end of its day never comes up on the next.

#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"

#include <gtest/gtest.h>

namespace haloquill::testing {
namespace {

TEST(EndToEndMidnight, AReminderHeldUntilTheDayEndsDoesNotComeUpTheNextDay) {
    const long long left = kSecondsPerDay - NowSeconds();
    if (left > 60) {
        GTEST_SKIP() << "runs on a clock shortly before midnight: cmake/run-before-midnight.sh";
    }
    ASSERT_GT(left, 15) << "too close to midnight to start the program first";
    ProgramDriver driver("HqHeldMidnight");
    StoreLaterStart(driver, "3");
    const std::string tomorrow = TodayIso(1);
    auto program = StartShown(driver);
    CloseToTray(*program);
    driver.Settings().WriteSetting("Date", TodayIso());
    ::PostMessageW(program->MainWindow(), WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 0);

    // The reminder a few seconds before midnight draws, but the session is locked.
    WriteReminderTime(driver, NowSeconds() + 3);
    ASSERT_TRUE(WaitUntil([&] { return driver.Settings().ReadSetting("Date") == tomorrow; }, 10s))
        << "the draw did not happen at the reminder time";
    EXPECT_FALSE(MainWindowVisible(*program));

    // The user comes back on the next day: the window stays in the notification area.
    ASSERT_TRUE(WaitUntil([&] { return TodayIso() == tomorrow; }, 60s));
    ::Sleep(1500);
    ::PostMessageW(program->MainWindow(), WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    ::Sleep(2500);
    EXPECT_FALSE(MainWindowVisible(*program)) << "yesterday's reminder came up";
    EXPECT_TRUE(program->IsRunning());
    EXPECT_TRUE(program->MessageBoxes().empty());
}

} // namespace
} // namespace haloquill::testing
