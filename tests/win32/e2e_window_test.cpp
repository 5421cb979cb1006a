// The real Haloquill.exe under Wine: the promotional labels, the web links (with a
// recording program registered as the browser) and the About window.

#include "design/about_layout.h"
#include "design/control_places.h"
#include "design/dpi_scaling.h"
#include "design/main_window_layout.h"
#include "design/twips.h"
#include "driver/browser_stand_ins.h"
#include "driver/program_driver.h"
#include "e2e_steps.h"
#include "web/web_pages.h"
#include "win32/about_window.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace haloquill::testing {
namespace {

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE ClientSize(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    return {client.right, client.bottom};
}

SIZE WindowSize(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

TEST(EndToEndWindow, OnePromotionalLabelAtATimeAndBothOverManyStarts) {
    ProgramDriver driver("HqPromo");
    StoreLaterStart(driver, "1");
    bool seenCoBrand = false;
    bool seenFullBrand = false;
    for (int start = 0; start < 16 && !(seenCoBrand && seenFullBrand); ++start) {
        auto program = driver.Start();
        ASSERT_TRUE(program->WaitForMainWindow());
        const bool coBrand = program->IsVisible(kLblCobrand);
        const bool fullBrand = program->IsVisible(kLblFullBrand);
        EXPECT_NE(coBrand, fullBrand);
        seenCoBrand = seenCoBrand || coBrand;
        seenFullBrand = seenFullBrand || fullBrand;
        ASSERT_TRUE(program->Close());
    }
    EXPECT_TRUE(seenCoBrand);
    EXPECT_TRUE(seenFullBrand);
}

std::string Address(WebPage page) {
    return PageAddress(ConfiguredSiteBase(), page);
}

void Click(HWND control) {
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
}

TEST(EndToEndWindow, EveryLinkReachesTheBrowserWithItsExactAddressOncePerClick) {
    RecordingBrowser browser;
    ProgramDriver driver("HqLinks");
    StoreLaterStart(driver, "2");
    auto program = driver.Start();
    ASSERT_TRUE(program->WaitForMainWindow());

    std::vector<std::string> expected;
    const std::pair<ControlId, WebPage> menus[] = {{kMnuOnline, WebPage::Help},
                                                   {kMnuVisit, WebPage::Home},
                                                   {kMnuUpdate, WebPage::Download},
                                                   {kMnuDonate, WebPage::Donate},
                                                   {kMnuMakeMoney, WebPage::FullyBranded}};
    for (const auto& [id, page] : menus) {
        ::PostMessageA(program->MainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        expected.push_back(Address(page));
        ASSERT_EQ(browser.WaitForAddresses(expected.size(), *program), expected);
    }
    Click(program->Control(kLabel61));
    expected.push_back(Address(WebPage::Home));
    ASSERT_EQ(browser.WaitForAddresses(expected.size(), *program), expected);

    const bool coBrand = program->IsVisible(kLblCobrand);
    const WebPage promoPage = coBrand ? WebPage::CoBrand : WebPage::FullyBranded;
    for (int click = 0; click < 2; ++click) {
        Click(program->Control(coBrand ? kLblCobrand : kLblFullBrand));
        expected.push_back(Address(promoPage));
        ASSERT_EQ(browser.WaitForAddresses(expected.size(), *program), expected);
    }
    // The label behind is not seen, so it cannot be clicked; its click notification, as the
    // label would send it once in front, opens the other page.
    const ControlId hidden = coBrand ? kLblFullBrand : kLblCobrand;
    ::PostMessageA(::GetParent(program->Control(hidden)), WM_COMMAND,
                   MAKEWPARAM(hidden, STN_CLICKED),
                   reinterpret_cast<LPARAM>(program->Control(hidden)));
    expected.push_back(Address(coBrand ? WebPage::FullyBranded : WebPage::CoBrand));
    ASSERT_EQ(browser.WaitForAddresses(expected.size(), *program), expected);
    EXPECT_TRUE(program->IsRunning());
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

TEST(EndToEndWindow, AboutWindowIsModalCentredAndClosesWithEnterEscAndItsCloseBox) {
    RecordingBrowser browser;
    ProgramDriver driver("HqAbout");
    StoreLaterStart(driver, "2");
    auto program = driver.Start();
    ASSERT_TRUE(program->WaitForMainWindow());
    const int dpi = ScreenDpi();

    const std::pair<UINT, WPARAM> closers[] = {
        {WM_CLOSE, 0}, {WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}};
    HWND first = nullptr;
    for (const auto& [message, key] : closers) {
        SCOPED_TRACE(message == WM_CLOSE ? "close box" : key == VK_RETURN ? "Enter" : "Esc");
        HWND about = OpenAbout(*program);
        ASSERT_NE(about, nullptr);
        // Each opening shows the window made at the first, centred again with OK focused, though
        // the last was moved and left with the focus elsewhere.
        EXPECT_EQ(about, first == nullptr ? about : first);
        first = first == nullptr ? about : first;
        EXPECT_NE(::SendMessageA(::GetDlgItem(about, kAboutPicIcon), STM_GETICON, 0, 0), 0);
        EXPECT_FALSE(::IsWindowEnabled(program->MainWindow()));
        EXPECT_EQ(program->WindowText(about), "Corvel Haloquill v1.15");
        const SIZE client = ClientSize(about);
        EXPECT_EQ(client.cx, TwipsToPixels(kAboutClientWidthTwips, dpi));
        EXPECT_EQ(client.cy, TwipsToPixels(kAboutClientHeightTwips, dpi));
        RECT frame{};
        ::GetWindowRect(about, &frame);
        EXPECT_NEAR(frame.left, (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2,
                    1);
        EXPECT_NEAR(frame.top, (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2,
                    1);
        // Owned by the main window, which keeps it in front of that window and out of the
        // taskbar.
        EXPECT_EQ(::GetWindow(about, GW_OWNER), program->MainWindow());
        EXPECT_FALSE(::GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_APPWINDOW);
        HWND ok = ::GetDlgItem(about, IDOK);
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(about) == ok; }, 5s));
        EXPECT_EQ(program->WindowText(ok), "&OK");

        ::SetWindowPos(about, nullptr, 3, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        if (message == WM_CLOSE) {
            ::PostMessageA(ok, WM_KEYDOWN, VK_TAB, 0);
            EXPECT_TRUE(WaitUntil([&] { return FocusOf(about) != ok; }, 5s));
            ::PostMessageA(about, WM_CLOSE, 0, 0);
        } else {
            ::PostMessageA(ok, message, key, 0);
        }
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(program->MainWindow()) != FALSE; }));
    }

    HWND about = OpenAbout(*program);
    ASSERT_NE(about, nullptr);
    // One click at a time: two browsers started together may record in either order.
    Click(::GetDlgItem(about, kAboutLabel5));
    EXPECT_EQ(browser.WaitForAddresses(1, *program).size(), 1u);
    Click(::GetDlgItem(about, kAboutLblHomePage));
    EXPECT_EQ(browser.WaitForAddresses(2, *program),
              (std::vector<std::string>{Address(WebPage::FullyBranded), Address(WebPage::Home)}));
    EXPECT_TRUE(::IsWindowVisible(about));
    EXPECT_FALSE(::IsWindowEnabled(program->MainWindow()));
    EXPECT_NE(program->WindowText(::GetDlgItem(about, kAboutLabel1))
                  .find(SiteDisplayName(ConfiguredSiteBase())),
              std::string::npos);
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));
}

// Each control's rectangle in its parent's client area.
std::map<ControlId, RECT> ControlRects(const RunningProgram& program,
                                       std::span<const ControlSpec> layout) {
    std::map<ControlId, RECT> rects;
    for (const ControlSpec& spec : layout) {
        if (HWND control = program.Control(spec.id)) {
            RECT rect{};
            ::GetWindowRect(control, &rect);
            ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
            rects[spec.id] = rect;
        }
    }
    return rects;
}

void ExpectLaidOutFor(const RunningProgram& program, int dpi) {
    const SIZE client = ClientSize(program.MainWindow());
    const PixelSize wanted = MainWindowClientSize(dpi);
    EXPECT_NEAR(client.cx, wanted.width, 1);
    EXPECT_NEAR(client.cy, wanted.height, 1);
    for (ControlId id : {kTxtCardDesc, kCmdSettings, kFraRune, kCmdExit, kLabel8}) {
        const PixelRect place = ControlPlace(*FindControlSpec(id), dpi);
        const RECT rect = ControlRects(program, MainWindowLayout()).at(id);
        EXPECT_EQ(rect.left, place.left) << id;
        EXPECT_EQ(rect.top, place.top) << id;
        EXPECT_EQ(rect.right - rect.left, place.Width()) << id;
        EXPECT_EQ(rect.bottom - rect.top, place.Height()) << id;
    }
    // Picture 10 is drawn 73 by 113 pixels at 96 DPI.
    const SIZE picture = WindowSize(program.Control(kPicCard));
    EXPECT_NEAR(picture.cx, ScalePixels(73, dpi), 1);
    EXPECT_NEAR(picture.cy, ScalePixels(113, dpi), 1);
    // The closed list has the design's height, and the open one items of the matching height.
    HWND hours = program.Control(kCboHour);
    EXPECT_EQ(WindowSize(hours).cy, TwipsToPixels(FindControlSpec(kCboHour)->height, dpi));
    EXPECT_EQ(::SendMessageA(hours, CB_GETITEMHEIGHT, 0, 0),
              ListItemHeight(FindControlSpec(kCboHour), dpi));
}

TEST(EndToEndWindow, FollowsEachChangeOfDpiAndComesBackExactlyAsItWas) {
    const int dpi = ScreenDpi();
    ProgramDriver driver("HqDpi");
    StoreLaterStart(driver, "10");
    auto program = driver.Start();
    ASSERT_TRUE(program->WaitForMainWindow());
    HWND window = program->MainWindow();
    ASSERT_TRUE(program->ShowSettingsPage());
    program->ChooseListPosition(kCboMinute, 17);
    ASSERT_TRUE(program->WaitUntilIdle());
    const std::map<ControlId, RECT> before = ControlRects(*program, MainWindowLayout());
    const SIZE clientBefore = ClientSize(window);

    // At 144 with the settings page in front and a list open.
    HWND minutes = program->Control(kCboMinute);
    ::SendMessageA(minutes, CB_SHOWDROPDOWN, TRUE, 0);
    HWND focus = program->FocusedControl();
    ASSERT_TRUE(program->SendDpiChange(
        window, 144, SuggestedWindowRect(window, MainWindowClientSize(144), true)));
    ASSERT_TRUE(program->WaitUntilIdle());
    {
        SCOPED_TRACE("144");
        ExpectLaidOutFor(*program, 144);
        EXPECT_FALSE(::SendMessageA(minutes, CB_GETDROPPEDSTATE, 0, 0));
        EXPECT_EQ(program->ListSelection(kCboMinute), 17);
        EXPECT_TRUE(program->IsVisible(kFraSettings));
        EXPECT_EQ(program->FocusedControl(), focus);
    }

    // At 120 on the angel page, the description scrolled and the About window open.
    ::PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(window); }));
    ::PostMessageA(program->TrayIconReceiver(), 0x0201, 0, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(window) != FALSE; }));
    ASSERT_TRUE(program->WaitUntilIdle());
    ASSERT_TRUE(program->IsVisible(kTxtCardDesc));
    HWND description = program->Control(kTxtCardDesc);
    ::SendMessageA(description, EM_LINESCROLL, 0, 2);
    const LRESULT firstLine = ::SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0);
    ASSERT_GT(firstLine, 0);
    HWND about = OpenAbout(*program);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(program->SendDpiChange(
        about, 144, SuggestedWindowRect(about, AboutWindowClientSize(144), false)));
    ASSERT_TRUE(program->SendDpiChange(
        window, 120, SuggestedWindowRect(window, MainWindowClientSize(120), true)));
    ASSERT_TRUE(program->WaitUntilIdle());
    {
        SCOPED_TRACE("120, About at 144");
        ExpectLaidOutFor(*program, 120);
        EXPECT_EQ(::SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine);
        const SIZE aboutClient = ClientSize(about);
        EXPECT_NEAR(aboutClient.cx, AboutWindowClientSize(144).width, 1);
        EXPECT_NEAR(aboutClient.cy, AboutWindowClientSize(144).height, 1);
        for (const ControlSpec& spec : AboutWindowLayout()) {
            if (spec.id == kAboutCmdOK || spec.id == kAboutLabel1) {
                RECT rect{};
                ::GetWindowRect(::GetDlgItem(about, spec.id), &rect);
                ::MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&rect), 2);
                const PixelRect place = ControlPlace(spec, 144);
                EXPECT_EQ(rect.left, place.left) << spec.id;
                EXPECT_EQ(rect.top, place.top) << spec.id;
                EXPECT_EQ(rect.right, place.right) << spec.id;
                EXPECT_EQ(rect.bottom, place.bottom) << spec.id;
            }
        }
    }
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));

    // Back at the first DPI everything is where it was, and the About window opens at it.
    ASSERT_TRUE(program->SendDpiChange(
        window, dpi, SuggestedWindowRect(window, MainWindowClientSize(dpi), true)));
    ASSERT_TRUE(program->WaitUntilIdle());
    EXPECT_EQ(ClientSize(window).cx, clientBefore.cx);
    EXPECT_EQ(ClientSize(window).cy, clientBefore.cy);
    const std::map<ControlId, RECT> after = ControlRects(*program, MainWindowLayout());
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [id, rect] : before) {
        EXPECT_TRUE(::EqualRect(&rect, &after.at(id))) << id;
    }
    EXPECT_EQ(::SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0), firstLine);
    about = OpenAbout(*program);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ClientSize(about).cx, AboutWindowClientSize(dpi).width);
    EXPECT_EQ(ClientSize(about).cy, AboutWindowClientSize(dpi).height);
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));
    ASSERT_TRUE(program->Close());
}

} // namespace
} // namespace haloquill::testing
