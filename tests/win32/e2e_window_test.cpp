// The real Haloquill.exe under Wine: the pictures, the promotional labels, the web links (with a
// recording program registered as the browser) and the About window.

#include "design/about_layout.h"
#include "design/main_window_layout.h"
#include "design/twips.h"
#include "driver/browser_stand_ins.h"
#include "driver/program_driver.h"
#include "web/web_pages.h"
#include "win32/about_window.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <fstream>

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

void StoreLaterStart(ProgramDriver& driver, const std::string& card) {
    auto& settings = driver.Settings();
    settings.WriteSetting("Hour", "7");
    settings.WriteSetting("Minute", "0");
    settings.WriteSetting("Second", "0");
    settings.WriteSetting("Card", card);
    settings.WriteSetting("Date", TodayIso(5));
}

TEST(EndToEndWindow, EachPictureGivesBothBoxesItsOwnSize) {
    const int dpi = ScreenDpi();
    const std::pair<const char*, SIZE> cases[] = {
        {"10", {73, 113}}, {"13", {76, 112}}, {"5", {75, 112}}};
    for (const auto& [card, pixels] : cases) {
        SCOPED_TRACE(card);
        ProgramDriver driver("HqPictures");
        StoreLaterStart(driver, card);
        auto program = driver.Start();
        ASSERT_TRUE(program->WaitForMainWindow());
        ASSERT_TRUE(program->ShowSettingsPage()); // the second box is on it
        for (ControlId box : {kPicCard, kPicCard2}) {
            const SIZE size = WindowSize(program->Control(box));
            EXPECT_EQ(size.cx, TwipsToPixels(static_cast<int>(pixels.cx) * 15, dpi)) << box;
            EXPECT_EQ(size.cy, TwipsToPixels(static_cast<int>(pixels.cy) * 15, dpi));
        }
        ASSERT_TRUE(program->Close());
    }
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

HWND FindAbout(const RunningProgram& program) {
    return program.ShownTopLevelWindow(win32::kAboutWindowClass);
}

HWND OpenAbout(const RunningProgram& program) {
    ::PostMessageA(program.MainWindow(), WM_COMMAND, MAKEWPARAM(kMnuAbout, 0), 0);
    HWND about = nullptr;
    WaitUntil([&] { return (about = FindAbout(program)) != nullptr; });
    return about;
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
        {WM_KEYDOWN, VK_RETURN}, {WM_KEYDOWN, VK_ESCAPE}, {WM_CLOSE, 0}};
    for (const auto& [message, key] : closers) {
        SCOPED_TRACE(message == WM_CLOSE ? "close box" : key == VK_RETURN ? "Enter" : "Esc");
        HWND about = OpenAbout(*program);
        ASSERT_NE(about, nullptr);
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

        if (message == WM_CLOSE) {
            ::PostMessageA(about, WM_CLOSE, 0, 0);
        } else {
            ::PostMessageA(ok, message, key, 0);
        }
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
        EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(program->MainWindow()) != FALSE; }));
    }

    HWND about = OpenAbout(*program);
    ASSERT_NE(about, nullptr);
    Click(::GetDlgItem(about, kAboutLabel5));
    Click(::GetDlgItem(about, kAboutLblHomePage));
    EXPECT_EQ(browser.WaitForAddresses(2, *program),
              (std::vector<std::string>{Address(WebPage::FullyBranded), Address(WebPage::Home)}));
    EXPECT_TRUE(::IsWindow(about));
    EXPECT_FALSE(::IsWindowEnabled(program->MainWindow()));
    EXPECT_NE(program->WindowText(::GetDlgItem(about, kAboutLabel1))
                  .find(SiteDisplayName(ConfiguredSiteBase())),
              std::string::npos);
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }));
}

} // namespace
} // namespace haloquill::testing
