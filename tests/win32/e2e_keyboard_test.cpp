// The real Haloquill.exe under Wine, used from the keyboard alone: no control keeps the focus,
// Esc destroys nothing, every link and button is reached with Tab and works with Enter or Space,
// the focus comes back where it was, and every time list is named after its own label.

#include "driver/browser_stand_ins.h"
#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"
#include "web/web_pages.h"
#include "win32/about_window.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <set>

namespace haloquill::testing {
namespace {

bool FocusMovesTo(const RunningProgram& program, HWND control) {
    return WaitUntil([&] { return program.FocusedControl() == control; }, 5s);
}

constexpr char kExitQuestion[] = "Are You Sure You Want To Quit Corvel Haloquill ?";

std::string Address(WebPage page) {
    return PageAddress(ConfiguredSiteBase(), page);
}

// Presses Tab (Shift+Tab when `back`) and returns the control that has the focus once it has
// moved, or the one that kept it.
HWND PressTab(const RunningProgram& program, bool back = false, HWND window = nullptr) {
    HWND before = program.FocusedControl();
    if (!program.PressKey(VK_TAB, back, window)) {
        return nullptr;
    }
    WaitUntil([&] { return program.FocusedControl() != before; }, 3s);
    return program.FocusedControl();
}

// Tabs forward until `control` has the focus; false when a whole round does not reach it.
bool TabTo(const RunningProgram& program, HWND control, HWND window = nullptr) {
    for (int press = 0; press < 20 && program.FocusedControl() != control; ++press) {
        PressTab(program, false, window);
    }
    return program.FocusedControl() == control;
}

// The identifiers of the controls that Tab reaches in `window`, over a whole round.
std::set<int> TabRound(const RunningProgram& program, HWND window = nullptr) {
    std::set<int> reached;
    HWND start = PressTab(program, false, window);
    reached.insert(::GetDlgCtrlID(start));
    for (int press = 0; press < 20; ++press) {
        HWND at = PressTab(program, false, window);
        if (!at || at == start) {
            break;
        }
        reached.insert(::GetDlgCtrlID(at));
    }
    return reached;
}

// The name a screen reader gives a control: the text of the nearest static control before it.
std::string AccessibleName(const RunningProgram& program, HWND control) {
    for (HWND at = ::GetWindow(control, GW_HWNDPREV); at; at = ::GetWindow(at, GW_HWNDPREV)) {
        char className[16] = {};
        ::GetClassNameA(at, className, sizeof className);
        if (lstrcmpiA(className, "Static") == 0) {
            return program.WindowText(at);
        }
    }
    return {};
}

HWND WaitForAbout(const RunningProgram& program) {
    HWND about = nullptr;
    WaitUntil([&] { return (about = program.ShownTopLevelWindow(win32::kAboutWindowClass)); });
    return about;
}

TEST(EndToEndKeyboard, TabLeavesTheDescriptionBoxAndEscDestroysNothing) {
    ProgramDriver driver("HqDescriptionKeys");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    HWND description = program->Control(kTxtCardDesc);
    HWND settings = program->Control(kCmdSettings);
    const int controls = program->ControlCount();

    ASSERT_TRUE(TabTo(*program, description));
    ASSERT_TRUE(program->PressKey(VK_ESCAPE));
    EXPECT_EQ(PressTab(*program), settings) << "Tab did not leave the description box";
    EXPECT_EQ(program->ControlCount(), controls) << "Esc destroyed controls";
    EXPECT_TRUE(::IsWindowVisible(description));
    EXPECT_TRUE(::IsWindowVisible(program->Control(kPicCard)));
    EXPECT_FALSE(program->Text(kLblCardName).empty());

    EXPECT_EQ(PressTab(*program, true), description);
    HWND before = PressTab(*program, true);
    EXPECT_TRUE(before && before != description) << "Shift+Tab did not leave the description box";

    // A close message to any frame leaves it in place.
    for (ControlId frame : {kFraRune, kFraSettings, kFrame4, kFrame3, kFraFullBrand}) {
        ::SendMessageA(program->Control(frame), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(program->ControlCount(), controls) << "a close message destroyed a frame";
    ASSERT_TRUE(program->Close());
}

TEST(EndToEndKeyboard, TabReachesEveryLinkAndButtonAndEnterOrSpaceOpensEachLink) {
    RecordingBrowser browser;
    ProgramDriver driver("HqLinkKeys");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    const ControlId promo = program->IsVisible(kLblCobrand) ? kLblCobrand : kLblFullBrand;
    const WebPage promoPage = promo == kLblCobrand ? WebPage::CoBrand : WebPage::FullyBranded;

    const std::set<int> reached = TabRound(*program);
    for (int id :
         {int{kLabel61}, int{promo}, int{kTxtCardDesc}, int{kCmdSettings}, int{kCmdExit}}) {
        EXPECT_TRUE(reached.contains(id)) << "Tab does not reach control " << id;
    }
    ASSERT_TRUE(TabTo(*program, program->Control(kLabel61)));
    ASSERT_TRUE(program->PressKey(VK_RETURN));
    ASSERT_TRUE(TabTo(*program, program->Control(promo)));
    ASSERT_TRUE(program->PressKey(VK_SPACE));
    EXPECT_EQ(browser.WaitForAddresses(2, *program),
              (std::vector<std::string>{Address(WebPage::Home), Address(promoPage)}));

    program->PostCommand(kMnuAbout);
    HWND about = WaitForAbout(*program);
    ASSERT_NE(about, nullptr);
    const std::set<int> inAbout = TabRound(*program, about);
    EXPECT_EQ(inAbout, (std::set<int>{kAboutLblHomePage, kAboutLabel5, kAboutCmdOK}));
    ASSERT_TRUE(TabTo(*program, ::GetDlgItem(about, kAboutLabel5), about));
    ASSERT_TRUE(program->PressKey(VK_SPACE, false, about));
    ASSERT_TRUE(TabTo(*program, ::GetDlgItem(about, kAboutLblHomePage), about));
    ASSERT_TRUE(program->PressKey(VK_RETURN, false, about));
    EXPECT_EQ(browser.WaitForAddresses(4, *program),
              (std::vector<std::string>{Address(WebPage::Home), Address(promoPage),
                                        Address(WebPage::FullyBranded), Address(WebPage::Home)}));
    EXPECT_TRUE(::IsWindowVisible(about)) << "a link's key closed the About window";
    ASSERT_TRUE(program->Close());
}

TEST(EndToEndKeyboard, EnterPressesTheFocusedButton) {
    ProgramDriver driver("HqEnterButton");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    ASSERT_TRUE(TabTo(*program, program->Control(kCmdSettings)));
    ASSERT_TRUE(program->PressKey(VK_RETURN));
    EXPECT_TRUE(WaitUntil([&] {
        return IsShownInItsWindow(*program, kFraSettings) &&
               !IsShownInItsWindow(*program, kFraRune);
    })) << "Enter on Settings did not bring the settings page to the front";

    ASSERT_TRUE(TabTo(*program, program->Control(kCmdExit)));
    ASSERT_TRUE(program->PressKey(VK_RETURN));
    const ForeignMessageBox box = program->WaitForMessageBox(5s);
    EXPECT_EQ(box.text, kExitQuestion) << "Enter on Exit did not ask the Exit question";
    if (box.window) {
        ::PostMessageA(box.window, WM_COMMAND, IDYES, 0);
        EXPECT_TRUE(program->WaitForExit());
    }
}

TEST(EndToEndKeyboard, FocusComesBackAfterTheTrayTheReminderAndTheAboutWindow) {
    ProgramDriver driver("HqFocusBack");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    HWND settings = program->Control(kCmdSettings);
    ASSERT_TRUE(TabTo(*program, settings));

    program->PressCloseBox();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(program->MainWindow()); }));
    NotifyFromIcon(*program, kIconDoubleClick);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()) != FALSE; }));
    EXPECT_TRUE(FocusMovesTo(*program, settings)) << "after the notification area";

    program->PressCloseBox();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(program->MainWindow()); }));
    StoreReminderAhead(driver, 3);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()) != FALSE; }));
    EXPECT_TRUE(FocusMovesTo(*program, settings)) << "after the reminder";
    KeepReminderAway(driver);

    program->PostCommand(kMnuAbout);
    HWND about = WaitForAbout(*program);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(FocusMovesTo(*program, ::GetDlgItem(about, IDOK)));
    ASSERT_TRUE(program->PressKey(VK_ESCAPE, false, about));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));
    EXPECT_TRUE(FocusMovesTo(*program, settings)) << "after the About window";
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == program->MainWindow(); }))
        << "the main window did not take the activation back from the About window";
    ASSERT_TRUE(program->Close());
}

// A top-level window of this process that can take the activation from the program, as the
// window Alt+Tab switches to does. Its own messages are handled while the test waits.
class OtherProgramWindow {
  public:
    OtherProgramWindow()
        : window_(::CreateWindowExA(0, "STATIC", "Another program",
                                    WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 320, 200, nullptr,
                                    nullptr, nullptr, nullptr)) {}

    HWND Get() const { return window_.Get(); }

    // Brings `window` to the foreground and waits until it is there.
    bool Activate(HWND window) const {
        ::SetForegroundWindow(window);
        return WaitUntil(
            [&] {
                PumpMessages();
                return ::GetForegroundWindow() == window;
            },
            5s);
    }

    static void PumpMessages() {
        MSG message{};
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&message);
        }
    }

  private:
    win32::UniqueWindow window_;
};

TEST(EndToEndKeyboard, FocusComesBackAfterAnotherWindowWasActive) {
    ProgramDriver driver("HqFocusAltTab");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    for (ControlId id : {kCmdSettings, kLabel61}) {
        HWND control = program->Control(id);
        ASSERT_TRUE(TabTo(*program, control));
        const OtherProgramWindow other;
        ASSERT_TRUE(other.Get());
        ASSERT_TRUE(other.Activate(other.Get())) << "the other window did not take the activation";
        program->WaitUntilIdle();
        EXPECT_NE(program->FocusedControl(), control)
            << "the program kept the focus while inactive";
        ASSERT_TRUE(other.Activate(program->MainWindow()));
        EXPECT_TRUE(FocusMovesTo(*program, control))
            << "the focus did not come back to control " << id << " after the switch back";
    }
    ASSERT_TRUE(program->Close());
}

TEST(EndToEndKeyboard, EachTimeListIsNamedAfterItsOwnLabel) {
    ProgramDriver driver("HqListNames");
    StoreQuietLaterStart(driver);
    auto program = driver.Start();
    ASSERT_TRUE(program->WaitForMainWindow());
    ASSERT_TRUE(program->ShowSettingsPage());
    EXPECT_EQ(AccessibleName(*program, program->Control(kCboHour)), "Hour");
    EXPECT_EQ(AccessibleName(*program, program->Control(kCboMinute)), "Minute");
    EXPECT_EQ(AccessibleName(*program, program->Control(kCboSecond)), "Second");
    ASSERT_TRUE(program->Close());
}

// Real keys through the system's input queue, so the keys meet the window as the user's do: the
// message loop's dialog handling turns Alt+letter into the button whose caption underlines it.
TEST(EndToEndKeyboard, AccessKeysOfTheButtonsWorkOnTheRealWindow) {
    ProgramDriver driver("HqAccessKeys");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    ASSERT_TRUE(IsShownInItsWindow(*program, kFraRune));

    ASSERT_TRUE(program->PressAccessKey('S')) << "the main window did not come to the front";
    EXPECT_TRUE(WaitUntil([&] {
        return IsShownInItsWindow(*program, kFraSettings) &&
               !IsShownInItsWindow(*program, kFraRune);
    })) << "Alt+S did not bring the settings page to the front";

    ASSERT_TRUE(program->PressAccessKey('A'));
    EXPECT_TRUE(WaitUntil([&] { return !MainWindowVisible(*program); }))
        << "Alt+A did not send the program to the notification area";
    EXPECT_TRUE(WaitUntil([&] { return driver.AllSettings().contains("SystemTray"); }));

    NotifyFromIcon(*program, kIconDoubleClick);
    ASSERT_TRUE(WaitUntil([&] { return MainWindowVisible(*program); }));
    ASSERT_TRUE(program->PressAccessKey('E'));
    const ForeignMessageBox box = program->WaitForMessageBox(5s);
    EXPECT_EQ(box.text, kExitQuestion) << "Alt+E did not ask the Exit question";
    if (box.window) {
        Answer(box, IDYES);
        EXPECT_TRUE(program->WaitForExit());
    }
}

} // namespace
} // namespace haloquill::testing
