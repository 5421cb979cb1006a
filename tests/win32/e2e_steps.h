#pragma once
// Steps and observations the end-to-end tests share: the icon's mouse messages, the main window
// and its controls as the user sees them, answering a message box and opening the About window.

#include "driver/program_driver.h"
#include "win32/about_window.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace haloquill::testing {

// The message the notification-area icon sends to its receiving window, and the mouse messages
// it carries in the low word of lParam.
inline constexpr UINT kTrayCallback = 0x0201;
inline constexpr LPARAM kIconDoubleClick = 0x0203;
inline constexpr LPARAM kIconRightButtonUp = 0x0205;

inline void NotifyFromIcon(const RunningProgram& program, LPARAM mouseMessage) {
    ::PostMessageA(program.TrayIconReceiver(), kTrayCallback, 0, mouseMessage);
}

inline bool MainWindowVisible(const RunningProgram& program) {
    return ::IsWindowVisible(program.MainWindow()) != FALSE;
}

// WS_VISIBLE of a control: whether it shows once its window does (IsWindowVisible is false for
// every control while the main window is hidden).
inline bool IsShownInItsWindow(const RunningProgram& program, ControlId id) {
    HWND control = program.Control(id);
    return control && (::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE) != 0;
}

inline void Answer(const ForeignMessageBox& box, int button) {
    ::PostMessageA(box.window, WM_COMMAND, button, 0);
}

// Opens the About window from the menu and waits until it shows; null when it does not.
inline HWND OpenAbout(const RunningProgram& program) {
    program.PostCommand(kMnuAbout);
    HWND about = nullptr;
    WaitUntil(
        [&] { return (about = program.ShownTopLevelWindow(win32::kAboutWindowClass)) != nullptr; });
    return about;
}

// Shown and in its normal state, as the user sees it after it comes back.
inline bool MainWindowShownNormal(const RunningProgram& program) {
    return MainWindowVisible(program) && !::IsIconic(program.MainWindow());
}

// Closes the window with its close box and waits until it has gone to the notification area.
inline void CloseToTray(const RunningProgram& program) {
    program.PressCloseBox();
    ASSERT_TRUE(WaitUntil([&] { return !MainWindowVisible(program); }));
}

// The values every ending and every apply command writes, as a plain start leaves the options.
inline void ExpectStartUpChoicesSaved(ProgramDriver& driver, const char* run = "False",
                                      const char* tray = "False") {
    const std::map<std::string, std::string> stored = driver.AllSettings();
    ASSERT_TRUE(stored.contains("AutorunStartUp"));
    ASSERT_TRUE(stored.contains("SystemTray"));
    EXPECT_EQ(stored.at("AutorunStartUp"), run);
    EXPECT_EQ(stored.at("SystemTray"), tray);
}

// The start-with-Windows entry the program writes for the executable the driver made: its exact
// path in quotes, then "/STARTUP".
inline std::string ExpectedRunEntry(const ProgramDriver& driver) {
    return "\"" + driver.ExecutablePath() + "\" /STARTUP";
}

// A later start that shows angel `card`, with the next draw days away and the reminder hours
// away.
inline void StoreLaterStart(ProgramDriver& driver, const std::string& card) {
    KeepReminderAway(driver);
    driver.Settings().WriteSetting("Card", card);
    driver.Settings().WriteSetting("Date", TodayIso(4));
}

} // namespace haloquill::testing
