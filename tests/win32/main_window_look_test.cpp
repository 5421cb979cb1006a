// The real main window in this process: its menus, links, texts, pictures and the keyboard.

#include "design/control_look.h"
#include "design/dpi_scaling.h"
#include "design/main_menu.h"
#include "design/main_window_layout.h"
#include "design/twips.h"
#include "main_window_fixture.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::win32 {
namespace {

std::vector<std::string> MenuCaptions(HMENU menu) {
    std::vector<std::string> captions;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = sizeof text;
        ::GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        captions.emplace_back((info.fType & MFT_SEPARATOR) ? "-" : text);
    }
    return captions;
}

TEST_F(MainWindowTest, MenuBarHoldsFourItemsAndDonateIsACommand) {
    HMENU bar = ::GetMenu(window.Handle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(MenuCaptions(bar), (std::vector<std::string>{"&File", "&Tools", "&Help", "&Donate"}));
    EXPECT_EQ(MenuCaptions(::GetSubMenu(bar, 0)),
              (std::vector<std::string>{"Get Your &Angel for the Day", "-", "E&xit"}));
    EXPECT_EQ(MenuCaptions(::GetSubMenu(bar, 2)),
              (std::vector<std::string>{"&Online Help", "&Visit Us Online", "-",
                                        "Check for Software &Update", "-", "&About Software"}));
    EXPECT_EQ(::GetSubMenu(bar, 3), nullptr);
    EXPECT_EQ(::GetMenuItemID(bar, 3), static_cast<UINT>(kMnuDonate));

    ::SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(kMnuDonate, 0), 0);
    ::SendMessageA(window.Handle(), WM_COMMAND, MAKEWPARAM(kMnuSettings, 0), 0);
    EXPECT_EQ(browser.opened, (std::vector<std::string>{
                                  "https://site.test/corvel-free-haloquill/ssd.php?page=donate"}));
}

TEST_F(MainWindowTest, LinkLabelsOpenTheirPagesWhenClicked) {
    for (ControlId id : {kLabel61, kLblCobrand}) {
        HWND label = Find(id);
        ::SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    EXPECT_EQ(browser.opened,
              (std::vector<std::string>{
                  "https://site.test/corvel-free-haloquill/ssd.php?page=home-page",
                  "https://site.test/corvel-free-haloquill/ssd.php?page=co-brand"}));
}

TEST_F(MainWindowTest, HandPointerOverLinksOnly) {
    HCURSOR hand = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)); // IDC_HAND
    for (ControlId link : {kLabel61, kLblCobrand}) {
        ::SetCursor(nullptr);
        EXPECT_TRUE(::SendMessageA(window.Handle(), WM_SETCURSOR,
                                   reinterpret_cast<WPARAM>(Find(link)),
                                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
        EXPECT_EQ(::GetCursor(), hand) << link;
    }
    ::SetCursor(nullptr);
    ::SendMessageA(window.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Find(kLabel8)),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(::GetCursor(), hand);
}

// Text goes out through the wide calls: letters outside the system's code page show as written.
TEST_F(MainWindowTest, TextOutsideTheCodePageShowsAsWritten) {
    MainWindowModel model = controller.Model();
    model.cardName = "St. \xD0\x90\xD0\xBD\xD0\xB3\xD0\xB5\xD0\xBB";     // Cyrillic
    model.cardDescription = "\xE5\xA4\xA9\xE4\xBD\xBF \xF0\x9F\x95\x8A"; // Chinese, a dove
    window.Render(model);
    wchar_t shown[64] = {};
    ::GetWindowTextW(Find(kLblCardName), shown, 64);
    EXPECT_STREQ(shown, L"St. \u0410\u043D\u0433\u0435\u043B");
    ::GetWindowTextW(Find(kTxtCardDesc), shown, 64);
    EXPECT_STREQ(shown, L"\u5929\u4F7F \U0001F54A");
}

TEST_F(MainWindowTest, ExactlyOnePromotionalLabelIsSeen) {
    // The random script ends with 0.0, which rounds to 1: the co-branding label.
    EXPECT_TRUE(::IsWindowVisible(Find(kLblCobrand)));
    EXPECT_FALSE(::IsWindowVisible(Find(kLblFullBrand)));
    MainWindowModel model = controller.Model();
    model.promo = PromoLabel::FullBrand;
    window.Render(model);
    EXPECT_FALSE(::IsWindowVisible(Find(kLblCobrand)));
    EXPECT_TRUE(::IsWindowVisible(Find(kLblFullBrand)));
}

TEST_F(MainWindowTest, PictureBoxesTakeTheSizeOfTheirPictureAndKeepTheirCorner) {
    const int dpi = ScreenDpi();
    const RECT before = PlaceInParent(Find(kPicCard));
    MainWindowModel model = controller.Model();
    const auto show = [&](int number) {
        model.picture = number;
        window.Render(model);
    };
    const std::pair<int, SIZE> cases[] = {
        {10, {73, 113}}, {13, {76, 112}}, {1, {75, 112}}, {4, {75, 112}}};
    for (const auto& [number, pixels] : cases) {
        show(number);
        for (ControlId box : {kPicCard, kPicCard2}) {
            const SIZE size = SizeOf(box);
            EXPECT_EQ(size.cx, TwipsToPixels(static_cast<int>(pixels.cx) * 15, dpi)) << number;
            EXPECT_EQ(size.cy, TwipsToPixels(static_cast<int>(pixels.cy) * 15, dpi)) << number;
        }
        const RECT after = PlaceInParent(Find(kPicCard));
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
    }
    const auto shown = ::SendMessageA(Find(kPicCard), STM_GETIMAGE, IMAGE_BITMAP, 0);
    EXPECT_NE(shown, 0);
    EXPECT_EQ(::SendMessageA(Find(kPicCard2), STM_GETIMAGE, IMAGE_BITMAP, 0), shown);
    show(0);
    show(15);
    EXPECT_EQ(::SendMessageA(Find(kPicCard), STM_GETIMAGE, IMAGE_BITMAP, 0), shown);
    EXPECT_EQ(::SendMessageA(Find(kPicCard2), STM_GETIMAGE, IMAGE_BITMAP, 0), shown);
}

std::vector<int> TabOrder(HWND window, HWND start, int steps) {
    std::vector<int> order;
    HWND at = start;
    for (int i = 0; i < steps; ++i) {
        at = ::GetNextDlgTabItem(window, at, FALSE);
        order.push_back(::GetDlgCtrlID(at));
    }
    return order;
}

TEST_F(MainWindowTest, TabMovesThroughTheVisiblePageInReadingOrder) {
    // First start: the settings page is in front and the tray box is disabled.
    // Tab reaches the selected option; the arrow keys move between the options. The links are
    // Tab stops too: the promotional label shown, and the banner.
    EXPECT_EQ(TabOrder(window.Handle(), Find(kCmdExit), 8),
              (std::vector<int>{kLblCobrand, kCboHour, kCboMinute, kCboSecond, kOptDontRun,
                                kCmdCalculateMoonPhase, kLabel61, kCmdExit}));
    ::SendMessageA(Find(kCmdCalculateMoonPhase), WM_SETFOCUS, 0, 0);
    MainWindowModel model = controller.Model();
    model.page = Page::Angel;
    window.Render(model);
    EXPECT_EQ(TabOrder(window.Handle(), Find(kCmdExit), 5),
              (std::vector<int>{kLblCobrand, kTxtCardDesc, kCmdSettings, kLabel61, kCmdExit}));
}

TEST_F(MainWindowTest, ArrowKeysChooseBetweenTheStartUpOptions) {
    ::SetFocus(Find(kOptDontRun));
    ASSERT_EQ(::GetDlgCtrlID(::GetFocus()), kOptDontRun);
    MSG key{Find(kOptDontRun), WM_KEYDOWN, VK_UP, 0, 0, {0, 0}};
    ASSERT_TRUE(window.PreTranslateMessage(key));
    PumpMessages();
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), kOptRun);
    EXPECT_TRUE(Checked(kOptRun));
    EXPECT_FALSE(Checked(kOptDontRun));
    EXPECT_TRUE(::IsWindowEnabled(Find(kChkSysTray)));

    MSG down{Find(kOptRun), WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    ASSERT_TRUE(window.PreTranslateMessage(down));
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), kOptDontRun);
    EXPECT_TRUE(Checked(kOptDontRun));
    EXPECT_FALSE(::IsWindowEnabled(Find(kChkSysTray)));

    MSG elsewhere{Find(kCboHour), WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}};
    EXPECT_FALSE(window.PreTranslateMessage(elsewhere));
}

} // namespace
} // namespace haloquill::win32
