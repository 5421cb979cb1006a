// The real Haloquill.exe on Wine's desktop shell, whose taskbar has a notification area: the icon
// the close box leaves there, its tooltip, its pop-up menu and its double-click, all driven with
// the real pointer of the X display and seen in the screen's pixels; and a taskbar that has lost
// the icon and says so with "TaskbarCreated". These tests run inside that desktop
// (run_on_desktop_shell.sh starts it).

#include "driver/desktop_shell.h"
#include "driver/program_driver.h"
#include "driver/screen_picture.h"
#include "win32/main_window.h"
#include "win32/tray_icon.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <cstdlib>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

constexpr char kTooltip[] = "Recent";

bool IsCentredOnScreen(HWND window) {
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const long left = (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    const long top = (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    return std::abs(frame.left - left) <= 1 && std::abs(frame.top - top) <= 1;
}

bool IsShownNormal(HWND window) {
    return ::IsWindowVisible(window) && !::IsIconic(window);
}

// The choices of a user who starts the program with Windows into the notification area, with a
// reminder at 9:30:15 (at 21:30:15 when this run falls close to 9:30:15, so that no reminder
// brings the window up unasked), an angel drawn for the next days and no update question due.
void StoreUserChoices(ProgramDriver& driver) {
    WriteRunEntry(driver.BaseName(), "\"" + driver.ExecutablePath() + "\" /STARTUP");
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    const int seconds = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    const bool nearReminder = seconds > 9 * 3600 + 25 * 60 && seconds < 9 * 3600 + 35 * 60;
    auto& settings = driver.Settings();
    settings.WriteSetting("AutorunStartUp", "True");
    settings.WriteSetting("SystemTray", "True");
    settings.WriteSetting("RunAtSysTray", "True");
    settings.WriteSetting("Hour", nearReminder ? "21" : "9");
    settings.WriteSetting("Minute", "30");
    settings.WriteSetting("Second", "15");
    settings.WriteSetting("Card", "5");
    settings.WriteSetting("Date", TodayIso(4));
    settings.WriteSetting("UpdateCheckDate", TodayIso());
}

// Every stored choice is as the user left it, the Run entry included.
void ExpectUserChoicesKept(ProgramDriver& driver, const Values& before) {
    EXPECT_EQ(driver.AllSettings(), before);
    EXPECT_EQ(driver.Settings().ReadSetting("AutorunStartUp"), "True");
    EXPECT_EQ(driver.Settings().ReadSetting("SystemTray"), "True");
    EXPECT_EQ(driver.Settings().ReadSetting("RunAtSysTray"), "True");
    EXPECT_EQ(ReadRunEntry(driver.BaseName()), "\"" + driver.ExecutablePath() + "\" /STARTUP");
}

// The program's own small icon, as the shell draws it in the notification area.
Pattern ProgramIcon(const ProgramDriver& driver) {
    return IconPatternFromFile(driver.ExecutablePath(), win32::kProgramIconResource,
                               ::GetSystemMetrics(SM_CXSMICON));
}

std::vector<POINT> IconsShown(const Pattern& icon) {
    return FindPattern(ScreenPicture::Capture(NotificationArea()), icon);
}

// Waits until the notification area shows the icon exactly once, and gives its centre.
std::optional<POINT> WaitForIcon(const Pattern& icon) {
    std::vector<POINT> found;
    if (!WaitUntil([&] { return (found = IconsShown(icon)).size() == 1; })) {
        ADD_FAILURE() << "the notification area shows the icon " << found.size() << " times";
        return std::nullopt;
    }
    return CentreOf(icon, found.front());
}

bool WaitUntilIconGone(const Pattern& icon) {
    return WaitUntil([&] { return IconsShown(icon).empty(); });
}

// Rests the pointer on `at` until a tooltip shows. A tooltip waits for the pointer to keep still
// for a moment after it moved; when none came, the pointer is nudged by a pixel and waits again.
std::optional<std::string> HoverForTooltip(XPointer& pointer, POINT at) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (!pointer.MoveTo({at.x + attempt % 2, at.y})) {
            return std::nullopt;
        }
        std::optional<std::string> tip;
        if (WaitUntil([&] { return (tip = ShownTooltip()).has_value(); }, 1500ms)) {
            return tip;
        }
    }
    return std::nullopt;
}

HWND ShownMenu(const RunningProgram& program) {
    return program.ShownTopLevelWindow("#32768");
}

// The items of the pop-up menu as its pixels show them: "Show" in the bold font of the default
// item, "Exit" in the plain menu font.
struct MenuItemsSeen {
    std::vector<POINT> boldShow;
    std::vector<POINT> plainShow;
    std::vector<POINT> plainExit;
    std::vector<POINT> boldExit;
};

struct MenuPatterns {
    Pattern boldShow;
    Pattern plainShow;
    Pattern plainExit;
    Pattern boldExit;
};

MenuPatterns TrayMenuPatterns() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const LOGFONTA plain = metrics.lfMenuFont;
    LOGFONTA bold = plain;
    bold.lfWeight = FW_BOLD;
    const COLORREF ink = ::GetSysColor(COLOR_MENUTEXT);
    const COLORREF paper = ::GetSysColor(COLOR_MENU);
    return {TextPattern("Show", bold, ink, paper), TextPattern("Show", plain, ink, paper),
            TextPattern("Exit", plain, ink, paper), TextPattern("Exit", bold, ink, paper)};
}

MenuItemsSeen ReadMenu(HWND menu, const MenuPatterns& patterns) {
    RECT frame{};
    ::GetWindowRect(menu, &frame);
    const ScreenPicture picture = ScreenPicture::Capture(frame);
    return {FindPattern(picture, patterns.boldShow), FindPattern(picture, patterns.plainShow),
            FindPattern(picture, patterns.plainExit), FindPattern(picture, patterns.boldExit)};
}

// Opens the icon's pop-up menu with the right button, where the pointer rests, and reads it once
// it is drawn; gives the centre of its "Exit" item.
std::optional<POINT> OpenMenuAndRead(XPointer& pointer, const RunningProgram& program) {
    if (!pointer.Click(XPointer::kRightButton)) {
        ADD_FAILURE() << "xdotool did not start";
        return std::nullopt;
    }
    HWND menu = nullptr;
    // A button pressed on the icon puts its tooltip away.
    if (!WaitUntil([&] { return (menu = ShownMenu(program)) && !ShownTooltip(); })) {
        ADD_FAILURE() << "no pop-up menu came up, or the tooltip stayed over it";
        return std::nullopt;
    }
    const MenuPatterns patterns = TrayMenuPatterns();
    MenuItemsSeen seen;
    WaitUntil([&] {
        seen = ReadMenu(menu, patterns);
        return seen.boldShow.size() == 1 && seen.plainExit.size() == 1;
    });
    EXPECT_EQ(seen.boldShow.size(), 1u) << "\"Show\" is not drawn in bold";
    EXPECT_TRUE(seen.plainShow.empty()) << "\"Show\" is drawn in the plain font";
    EXPECT_EQ(seen.plainExit.size(), 1u) << "\"Exit\" is not drawn in the plain font";
    EXPECT_TRUE(seen.boldExit.empty()) << "\"Exit\" is drawn in bold";
    if (seen.boldShow.size() != 1 || seen.plainExit.size() != 1) {
        return std::nullopt;
    }
    EXPECT_LT(seen.boldShow.front().y, seen.plainExit.front().y) << "\"Show\" is not first";
    return CentreOf(patterns.plainExit, seen.plainExit.front());
}

// Waits until the window is back: shown in its normal state, centred, with its taskbar button.
void ExpectBackCentredWithItsButton(HWND window) {
    WaitUntil([&] {
        return IsShownNormal(window) && IsCentredOnScreen(window) && TaskbarButtonOf(window);
    });
    EXPECT_TRUE(::IsWindowVisible(window));
    EXPECT_FALSE(::IsIconic(window));
    EXPECT_TRUE(IsCentredOnScreen(window));
    EXPECT_NE(TaskbarButtonOf(window), nullptr) << "the taskbar has no button for the window";
}

// Waits until the window has left the screen and the taskbar.
void ExpectHidden(HWND window) {
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window) && !TaskbarButtonOf(window); }))
        << "the window or its taskbar button is still shown";
}

TEST(EndToEndShell, CloseBoxLeavesTheIconWithItsTooltipMenuAndDoubleClick) {
    ASSERT_NE(Taskbar(), nullptr) << "this desktop has no taskbar";
    ProgramDriver driver("HqShellTray");
    RunEntryCleanup cleanup(driver.BaseName());
    StoreUserChoices(driver);
    const Values before = driver.AllSettings();
    const Pattern icon = ProgramIcon(driver);
    XPointer pointer;

    auto program = driver.Start();
    HWND window = program->WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return IsShownNormal(window) && TaskbarButtonOf(window); }));
    EXPECT_TRUE(IconsShown(icon).empty()) << "the icon is there while the window is shown";

    // The close box, clicked with the mouse.
    const auto closeBox = CloseBoxOf(window);
    ASSERT_TRUE(closeBox.has_value()) << "the window has no close box";
    ASSERT_TRUE(pointer.MoveTo(*closeBox));
    ASSERT_TRUE(pointer.Click(XPointer::kLeftButton));
    ExpectHidden(window);
    const auto iconAt = WaitForIcon(icon);
    ASSERT_TRUE(iconAt.has_value());
    EXPECT_TRUE(program->IsRunning());
    EXPECT_EQ(driver.AllSettings(), before);

    // Resting on the icon shows its tooltip; the right button opens its menu in its place.
    EXPECT_EQ(HoverForTooltip(pointer, *iconAt), std::optional<std::string>(kTooltip));
    ASSERT_TRUE(OpenMenuAndRead(pointer, *program).has_value());
    EXPECT_FALSE(::IsWindowVisible(window));

    // A click elsewhere closes the menu and changes nothing.
    ASSERT_TRUE(pointer.MoveTo({10, 10}));
    ASSERT_TRUE(pointer.Click(XPointer::kLeftButton));
    EXPECT_TRUE(WaitUntil([&] { return !ShownMenu(*program); })) << "the menu stayed open";
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(IconsShown(icon).size(), 1u);

    // A double-click on the icon brings the window back centred, and the icon leaves.
    ASSERT_TRUE(pointer.MoveTo(*iconAt));
    ASSERT_TRUE(pointer.DoubleClick());
    ExpectBackCentredWithItsButton(window);
    EXPECT_TRUE(WaitUntilIconGone(icon)) << "the icon stayed";
    EXPECT_EQ(driver.AllSettings(), before);

    // Back into the notification area, and out through the menu's "Exit", clicked.
    ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectHidden(window);
    const auto iconAgain = WaitForIcon(icon);
    ASSERT_TRUE(iconAgain.has_value());
    ASSERT_TRUE(pointer.MoveTo(*iconAgain));
    const auto exitItem = OpenMenuAndRead(pointer, *program);
    ASSERT_TRUE(exitItem.has_value());
    ASSERT_TRUE(pointer.MoveTo(*exitItem));
    ASSERT_TRUE(pointer.Click(XPointer::kLeftButton));
    ASSERT_TRUE(program->WaitForExit()) << "\"Exit\" did not end the program";
    EXPECT_TRUE(WaitUntilIconGone(icon)) << "the icon outlived the program";
    ExpectUserChoicesKept(driver, before);
}

// Makes the shell forget the program's icon, as a taskbar that starts again has none. The icon
// is known to the shell by its receiving window and its number.
bool ShellForgetsIcon(const RunningProgram& program) {
    for (HWND receiver : {program.TrayIconReceiver(), program.MainWindow()}) {
        NOTIFYICONDATAA icon{};
        icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
        icon.hWnd = receiver;
        icon.uID = win32::kTrayIconId;
        if (receiver && ::Shell_NotifyIconA(NIM_DELETE, &icon)) {
            return true;
        }
    }
    return false;
}

TEST(EndToEndShell, TaskbarCreatedBringsBackTheIconTheTaskbarLost) {
    ASSERT_NE(Taskbar(), nullptr) << "this desktop has no taskbar";
    ProgramDriver driver("HqShellTaskbar");
    RunEntryCleanup cleanup(driver.BaseName());
    StoreUserChoices(driver);
    const Values before = driver.AllSettings();
    const Pattern icon = ProgramIcon(driver);
    XPointer pointer;

    // Started as Windows starts it at logon: straight into the notification area.
    auto program = driver.Start("/STARTUP");
    HWND window = program->WaitForMainWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForIcon(icon).has_value());
    EXPECT_FALSE(::IsWindowVisible(window));

    ASSERT_TRUE(ShellForgetsIcon(*program)) << "the shell did not know the icon";
    ASSERT_TRUE(WaitUntilIconGone(icon));
    // The new taskbar tells every top-level window that it is there.
    const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    ::SendMessageTimeoutA(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, nullptr);
    const auto iconAt = WaitForIcon(icon);
    ASSERT_TRUE(iconAt.has_value()) << "the icon did not come back";
    EXPECT_FALSE(::IsWindowVisible(window));

    // The icon added again answers the mouse.
    ASSERT_TRUE(pointer.MoveTo(*iconAt));
    ASSERT_TRUE(pointer.DoubleClick());
    ExpectBackCentredWithItsButton(window);
    EXPECT_TRUE(WaitUntilIconGone(icon)) << "the icon stayed";

    ASSERT_TRUE(program->Close());
    ExpectUserChoicesKept(driver, before);
}

} // namespace
} // namespace haloquill::testing
