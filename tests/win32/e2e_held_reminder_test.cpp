// The real Haloquill.exe under Wine: the daily reminder waits while another program fills the
// screen or the session is locked, and comes up once the user is back; the day's draw still
// happens at the reminder time.

#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"

#include <gtest/gtest.h>

namespace haloquill::testing {
namespace {

// A window of this process that covers its whole monitor and is in front, as a game or a
// presentation of another program is.
class FullScreenWindow {
  public:
    FullScreenWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = L"HaloquillTestFullScreen";
        ::RegisterClassW(&windowClass);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& area = monitor.rcMonitor;
        window_ = ::CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Full screen",
                                    WS_POPUP | WS_VISIBLE, area.left, area.top,
                                    area.right - area.left, area.bottom - area.top, nullptr,
                                    nullptr, windowClass.hInstance, nullptr);
        ::SetForegroundWindow(window_);
    }
    FullScreenWindow(const FullScreenWindow&) = delete;
    FullScreenWindow& operator=(const FullScreenWindow&) = delete;
    ~FullScreenWindow() { Close(); }

    bool InFront() const { return window_ && ::GetForegroundWindow() == window_; }
    void Close() {
        if (window_) {
            ::DestroyWindow(window_);
            window_ = nullptr;
        }
    }

  private:
    HWND window_ = nullptr;
};

// A program in the notification area whose next draw is due today, with the reminder a few
// seconds ahead.
struct HeldReminderRun {
    explicit HeldReminderRun(const char* name) : driver(name) {
        StoreLaterStart(driver, "3");
        program = StartShown(driver);
        CloseToTray(*program);
        driver.Settings().WriteSetting("Date", TodayIso());
    }

    // Waits past the reminder time: the angel was drawn and "Date" moved, the window stayed
    // hidden.
    void ExpectHeldThroughTheReminder() {
        const long long moment = StoreReminderAhead(driver, 3);
        ASSERT_TRUE(WaitUntil([&] { return driver.Settings().ReadSetting("Date") == TodayIso(1); },
                              std::chrono::seconds(moment - NowSeconds() + 8)))
            << "the draw did not happen at the reminder time";
        ::Sleep(2000);
        EXPECT_FALSE(MainWindowVisible(*program)) << "the window came up in the user's way";
    }

    // The window comes up within two seconds, and only once: sent back to the notification
    // area, it stays there.
    void ExpectComesUpOnce() {
        EXPECT_TRUE(WaitUntil([&] { return MainWindowShownNormal(*program); }, 2s))
            << "the held reminder did not come up";
        CloseToTray(*program);
        ::Sleep(2500);
        EXPECT_FALSE(MainWindowVisible(*program)) << "the held reminder came up twice";
        EXPECT_TRUE(program->MessageBoxes().empty());
    }

    void PostSessionChange(WPARAM change) const {
        ::PostMessageW(program->MainWindow(), WM_WTSSESSION_CHANGE, change, 0);
    }

    ProgramDriver driver;
    std::unique_ptr<RunningProgram> program;
};

TEST(EndToEndHeldReminder, AFullScreenProgramInFrontHoldsTheWindowUntilItCloses) {
    HeldReminderRun run("HqHeldFullScreen");
    FullScreenWindow fullScreen;
    ASSERT_TRUE(fullScreen.InFront());
    run.ExpectHeldThroughTheReminder();
    fullScreen.Close();
    run.ExpectComesUpOnce();
}

TEST(EndToEndHeldReminder, ALockedSessionHoldsTheWindowUntilTheUnlock) {
    HeldReminderRun run("HqHeldLock");
    run.PostSessionChange(WTS_SESSION_LOCK);
    run.ExpectHeldThroughTheReminder();
    run.PostSessionChange(WTS_SESSION_UNLOCK);
    run.ExpectComesUpOnce();
}

} // namespace
} // namespace haloquill::testing
