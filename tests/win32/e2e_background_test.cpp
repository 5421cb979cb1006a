// The real Haloquill.exe under Wine in the background: the close box and the notification-area
// icon, the daily reminder and the hidden start with "/STARTUP".

#include "angels/angel_catalogue.h"
#include "base/text_values.h"
#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

bool IsCentredOnScreen(HWND window) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const long left = (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    const long top = (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    return std::abs(frame.left - left) <= 1 && std::abs(frame.top - top) <= 1;
}

// Waits until the window is back: shown, in its normal state and centred. Under Wine showing a
// minimised window takes its time (the X driver waits for window states that no window manager
// reports), and the window is visible a moment before the program centres it, so the test waits
// for the whole result and then reports each part.
void ExpectComesBackCentred(const RunningProgram& program) {
    HWND window = program.MainWindow();
    WaitUntil([&] { return MainWindowShownNormal(program) && IsCentredOnScreen(window); });
    EXPECT_TRUE(MainWindowVisible(program));
    EXPECT_FALSE(::IsIconic(window));
    RECT frame{};
    ::GetWindowRect(window, &frame);
    EXPECT_NEAR(frame.left, (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2, 1);
    EXPECT_NEAR(frame.top, (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2, 1);
}

// Puts the window near the screen's corner, so that centring it again is a visible change.
void MoveToCorner(HWND window) {
    ::SetWindowPos(window, nullptr, 3, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    ASSERT_EQ(frame.left, 3);
    ASSERT_EQ(frame.top, 5);
}

// --- The close box and the notification-area icon -------------------------------------------

TEST(EndToEndBackground, CloseBoxHidesInTheTrayAndShowAndDoubleClickBringItBackCentred) {
    ProgramDriver driver("HqTrayClose");
    auto program = StartShown(driver);
    KeepReminderAway(driver);
    ASSERT_TRUE(WaitUntil([&] { return driver.AllSettings().contains("Card"); }));
    const Values before = driver.AllSettings();

    MoveToCorner(program->MainWindow());
    CloseToTray(*program);
    // Still running a while later, and closing wrote nothing.
    EXPECT_FALSE(program->WaitForExit(500ms));
    EXPECT_TRUE(program->IsRunning());
    EXPECT_EQ(driver.AllSettings(), before);

    NotifyFromIcon(*program, kIconDoubleClick);
    ExpectComesBackCentred(*program);
    EXPECT_TRUE(program->MessageBoxes().empty());

    MoveToCorner(program->MainWindow());
    CloseToTray(*program);
    EXPECT_TRUE(program->IsRunning());
    program->PostCommand(kMnuPop);
    ExpectComesBackCentred(*program);
    EXPECT_EQ(driver.AllSettings(), before);

    // The pop-up menu's "Exit" ends the program from the notification area, saving as it goes.
    CloseToTray(*program);
    program->PostCommand(kMnuExit1);
    ASSERT_TRUE(program->WaitForExit());
    EXPECT_TRUE(program->MessageBoxes().empty());
    ExpectStartUpChoicesSaved(driver);
    Values expected = before;
    expected["AutorunStartUp"] = "False";
    expected["SystemTray"] = "False";
    EXPECT_EQ(driver.AllSettings(), expected);
}

// The pop-up menus the process shows (the system's menu window class).
std::vector<HWND> VisibleMenus(const RunningProgram& program) {
    std::vector<HWND> menus;
    for (HWND menu : program.TopLevelWindows("#32768")) {
        if (::IsWindowVisible(menu)) {
            menus.push_back(menu);
        }
    }
    return menus;
}

// The right button on the icon opens the pop-up menu; its second item ("Exit") ends the program.
TEST(EndToEndBackground, RightButtonOnTheIconOpensTheMenuWhoseExitEndsTheProgram) {
    ProgramDriver driver("HqTrayMenu");
    StoreLaterStart(driver, "4");
    auto program = StartShown(driver);
    CloseToTray(*program);

    const auto menuWindows = [&] { return VisibleMenus(*program); };
    NotifyFromIcon(*program, kIconRightButtonUp);
    ASSERT_TRUE(WaitUntil([&] { return menuWindows().size() == 1; }));
    EXPECT_FALSE(MainWindowVisible(*program));

    // The menu reads the keyboard of the program's thread: down to "Exit", then Enter.
    HWND menu = menuWindows().front();
    ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(program->WaitForExit());
    EXPECT_TRUE(program->MessageBoxes().empty());
    ExpectStartUpChoicesSaved(driver);
}

// --- The daily reminder ---------------------------------------------------------------------

// Waits until the window comes up by itself, and checks it came at the stored moment: not
// before it, and at most a few seconds after it.
void ExpectWindowComesUpAt(const RunningProgram& program, long long moment) {
    const long long wait = moment - NowSeconds() + 8;
    ASSERT_TRUE(WaitUntil([&] { return MainWindowVisible(program); },
                          std::chrono::seconds(std::max(wait, 1LL))))
        << "the reminder did not show the window";
    const long long shownAt = NowSeconds();
    EXPECT_GE(shownAt, moment) << "shown before the reminder time";
    EXPECT_TRUE(WaitUntil([&] { return MainWindowShownNormal(program); }, 5s));
}

std::string NameOfStoredAngel(ProgramDriver& driver) {
    const auto index = ParseWholeNumber(driver.Settings().ReadSetting("Card"));
    if (!index || *index < 1 || *index > 14) {
        ADD_FAILURE() << "Card is " << driver.Settings().ReadSetting("Card");
        return "<no angel>";
    }
    return std::string(LookUpAngel(*index)->Name);
}

TEST(EndToEndBackground, ReminderBringsTheWindowUpAtTheStoredSecondAndDrawsOnlyWhenDue) {
    ProgramDriver driver("HqReminder");
    StoreLaterStart(driver, "3");
    auto program = StartShown(driver);
    EXPECT_EQ(program->Text(kLblCardName), "St. Asmodel");
    CloseToTray(*program);

    // The next draw was due yesterday: the reminder draws and moves the date to tomorrow.
    driver.Settings().WriteSetting("Date", TodayIso(-1));
    long long moment = StoreReminderAhead(driver, 4);
    ExpectWindowComesUpAt(*program, moment);
    EXPECT_EQ(driver.Settings().ReadSetting("Date"), TodayIso(1));
    const std::string drawn = NameOfStoredAngel(driver);
    EXPECT_EQ(program->Text(kLblCardName), drawn);
    const std::string card = driver.Settings().ReadSetting("Card");

    // The next draw lies ahead: the reminder only shows the same angel.
    CloseToTray(*program);
    moment = StoreReminderAhead(driver, 4);
    ExpectWindowComesUpAt(*program, moment);
    EXPECT_EQ(driver.Settings().ReadSetting("Date"), TodayIso(1));
    EXPECT_EQ(driver.Settings().ReadSetting("Card"), card);
    EXPECT_EQ(program->Text(kLblCardName), drawn);
    EXPECT_TRUE(program->MessageBoxes().empty());
    EXPECT_TRUE(program->IsRunning());
}

// --- The start with "/STARTUP" --------------------------------------------------------------

// The state a user leaves who chose to start with Windows in the notification area.
void StoreTrayStart(ProgramDriver& driver, const char* runAtSysTray) {
    WriteRunEntry(driver.BaseName(), "anything");
    auto& settings = driver.Settings();
    StoreLaterStart(driver, "6");
    settings.WriteSetting("RunAtSysTray", runAtSysTray);
    settings.WriteSetting("SystemTray", "True");
    settings.WriteSetting("AutorunStartUp", "True");
}

// The window stays hidden through the start and all the start left to do.
void ExpectNeverShown(RunningProgram& program) {
    ASSERT_TRUE(program.WaitForMainWindow());
    ASSERT_TRUE(program.WaitUntilIdle());
    EXPECT_FALSE(MainWindowVisible(program)) << "the window came up";
    EXPECT_TRUE(program.IsRunning());
    EXPECT_TRUE(program.MessageBoxes().empty());
}

TEST(EndToEndBackground, StartupArgumentWithTrayChosenStartsHiddenOtherwiseShown) {
    ProgramDriver driver("HqStartupArg");
    RunEntryCleanup cleanup(driver.BaseName());

    StoreTrayStart(driver, "True");
    {
        auto program = driver.Start(" /STARTUP");
        ASSERT_NO_FATAL_FAILURE(ExpectNeverShown(*program));
        // Only the hidden window and the icon's receiver: no control, no menu bar yet.
        EXPECT_EQ(program->ControlCount(), 0);
        EXPECT_EQ(::GetMenu(program->MainWindow()), nullptr);
        // Still reachable through its icon; the window is made as it is first shown, the
        // settings page only when it comes to the front.
        NotifyFromIcon(*program, kIconDoubleClick);
        EXPECT_TRUE(WaitUntil([&] { return MainWindowShownNormal(*program); }));
        EXPECT_NE(::GetMenu(program->MainWindow()), nullptr);
        EXPECT_TRUE(program->IsVisible(kTxtCardDesc));
        EXPECT_EQ(program->Control(kChkSysTray), nullptr);
        ASSERT_TRUE(program->ShowSettingsPage());
        EXPECT_TRUE(program->IsChecked(kChkSysTray));
        EXPECT_TRUE(program->IsChecked(kOptRun));
        EXPECT_EQ(program->Text(kCboHour), driver.Settings().ReadSetting("Hour"));
        ASSERT_TRUE(program->Close());
    }
    // The argument is matched as written: lower case is no start with Windows.
    StoreTrayStart(driver, "True");
    {
        auto program = StartShown(driver, " /startup");
        EXPECT_TRUE(MainWindowShownNormal(*program));
        ASSERT_TRUE(program->Close());
    }
    // Without "in the notification area" chosen the window shows even with the argument.
    StoreTrayStart(driver, "False");
    {
        auto program = StartShown(driver, " /STARTUP");
        EXPECT_TRUE(MainWindowShownNormal(*program));
        ASSERT_TRUE(program->Close());
    }
}

} // namespace
} // namespace haloquill::testing
