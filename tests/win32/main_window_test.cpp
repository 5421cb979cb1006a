// The real main window in this process, over in-memory settings: its controls, their places,
// and the way their notifications reach the handlers.

#include "design/control_look.h"
#include "design/dpi_scaling.h"
#include "design/main_menu.h"
#include "design/main_window_layout.h"
#include "design/twips.h"
#include "driver/control_search.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_run_key.h"
#include "fakes/fake_settings_store.h"
#include "fakes/fake_web_browser.h"
#include "fakes/scripted_random.h"
#include "win32/main_window.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::win32 {
namespace {

using haloquill::testing::FakeClock;
using haloquill::testing::FakeSettingsStore;
using haloquill::testing::FakeWebBrowser;
using haloquill::testing::ScriptedRandom;

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        random.queue = {ScriptedRandom::ForAngel(4), 0.0};
        ASSERT_TRUE(window.Create(controller));
        window.Start("");
        PumpMessages();
    }

    HWND Find(ControlId id) const {
        return haloquill::testing::FindControlById(window.Handle(), id);
    }

    std::string Text(ControlId id) const {
        char text[2048] = {};
        ::GetWindowTextA(Find(id), text, sizeof text);
        return text;
    }

    void ChooseListItem(ControlId id, int position) {
        HWND list = Find(id);
        ::SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        ::SendMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
    }

    static RECT PlaceInParent(HWND control) {
        RECT rect;
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    SIZE SizeOf(ControlId id) const {
        const RECT rect = PlaceInParent(Find(id));
        return {rect.right - rect.left, rect.bottom - rect.top};
    }

    bool Checked(ControlId id) const {
        return ::SendMessageA(Find(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    FakeSettingsStore store;
    FakeClock clock;
    ScriptedRandom random;
    FakeWebBrowser browser;
    WebPageLauncher web{browser, "https://site.test/"};
    haloquill::testing::FakeMessageBoxes messages;
    haloquill::testing::FakeRunKey runKey;
    MainWindow window{::GetModuleHandleA(nullptr), messages};
    MainWindowController controller{MainWindowPorts{store, clock, random, messages, web, runKey,
                                                    [] {
                                                        return ExecutablePath{"C:\\Tools", "prog"};
                                                    }},
                                    window};
};

TEST_F(MainWindowTest, ClientAreaAndEveryControlSitAtTheirDesignPlace) {
    const int dpi = ScreenDpi();
    RECT client;
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, dpi));

    for (const ControlSpec& spec : MainWindowLayout()) {
        SCOPED_TRACE(spec.id);
        HWND control = Find(spec.id);
        if (spec.kind == ControlKind::Rectangle) {
            EXPECT_EQ(control, nullptr); // drawn by its frame, not a window
            continue;
        }
        ASSERT_NE(control, nullptr);
        const RECT rect = PlaceInParent(control);
        EXPECT_EQ(rect.left, TwipsToPixels(spec.left, dpi));
        EXPECT_EQ(rect.top, TwipsToPixels(spec.top, dpi));
        // Lists add their opened height; pictures and some labels size themselves.
        const bool ownSize = spec.kind == ControlKind::PictureBox || LookOf(spec.id).autoSize;
        if (!ownSize) {
            EXPECT_EQ(rect.right - rect.left, TwipsToPixels(spec.width, dpi));
        }
        if (!ownSize && spec.kind != ControlKind::DropDownList) {
            EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(spec.height, dpi));
        }
        const HWND expectedParent =
            spec.container == kNoControl ? window.Handle() : Find(spec.container);
        EXPECT_EQ(::GetParent(control), expectedParent);
    }
}

TEST_F(MainWindowTest, ScreenDpiIsTheOneThePrefixWasGiven) {
    const int dpi = ScreenDpi();
    const char* expected = std::getenv("HALOQUILL_EXPECTED_DPI");
    EXPECT_EQ(dpi, expected ? std::atoi(expected) : 96);
    RECT client;
    ::GetClientRect(window.Handle(), &client);
    if (dpi == 96) {
        EXPECT_EQ(client.right, 635);
        EXPECT_EQ(client.bottom, 441);
    } else {
        EXPECT_EQ(client.right, 953);
        EXPECT_EQ(client.bottom, 662);
    }
}

TEST_F(MainWindowTest, ControlsBelowTheClientAreaAreNeverSeen) {
    RECT client;
    ::GetClientRect(window.Handle(), &client);
    for (ControlId id : {kCboDate, kCboMonth, kCboYear, kFrame6}) {
        RECT rect;
        ::GetWindowRect(Find(id), &rect);
        ::MapWindowPoints(nullptr, window.Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_GE(rect.top, client.bottom) << id;
    }
    EXPECT_FALSE(::IsWindowVisible(Find(kFrame6)));
}

TEST_F(MainWindowTest, FirstStartOpensOnTheSettingsPageWithTheDefaultTime) {
    EXPECT_TRUE(::IsWindowVisible(Find(kFraSettings)));
    EXPECT_FALSE(::IsWindowVisible(Find(kFraRune)));
    EXPECT_EQ(Text(kCboHour), "7");
    EXPECT_EQ(Text(kCboMonth), "January");
    EXPECT_EQ(Text(kLblCardName), "St. Barachiel");
    EXPECT_EQ(store.Get("Card"), "4");

    ::SendMessageA(Find(kCmdExit), WM_SETFOCUS, 0, 0);
    ::SendMessageA(Find(kCmdSettings), BM_CLICK, 0, 0);
    EXPECT_TRUE(::IsWindowVisible(Find(kFraSettings)));
}

TEST_F(MainWindowTest, ChoosingATimeInTheListsStoresItAtOnce) {
    ChooseListItem(kCboHour, 15);
    ChooseListItem(kCboMinute, 30);
    ChooseListItem(kCboSecond, 59);
    EXPECT_EQ(store.Get("Hour"), "15");
    EXPECT_EQ(store.Get("Minute"), "30");
    EXPECT_EQ(store.Get("Second"), "59");
}

TEST_F(MainWindowTest, OptionButtonsFormOneGroupAndGateTheTrayBox) {
    EXPECT_TRUE(Checked(kOptDontRun));
    EXPECT_FALSE(::IsWindowEnabled(Find(kChkSysTray)));

    ::SendMessageA(Find(kOptRun), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(kOptRun));
    EXPECT_FALSE(Checked(kOptDontRun));
    EXPECT_TRUE(::IsWindowEnabled(Find(kChkSysTray)));

    ::SendMessageA(Find(kChkSysTray), BM_CLICK, 0, 0);
    EXPECT_TRUE(Checked(kChkSysTray));
    EXPECT_EQ(store.Get("RunAtSysTray"), "True");
    EXPECT_FALSE(store.Has("SystemTray"));

    ::SendMessageA(Find(kOptDontRun), BM_CLICK, 0, 0);
    EXPECT_FALSE(Checked(kOptRun));
    EXPECT_FALSE(Checked(kChkSysTray));
    EXPECT_FALSE(::IsWindowEnabled(Find(kChkSysTray)));
    EXPECT_EQ(store.Get("RunAtSysTray"), "False");
}

TEST_F(MainWindowTest, DescriptionCannotBeCopiedAndTheClipboardIsLeftAlone) {
    HWND description = Find(kTxtCardDesc);
    ASSERT_TRUE(::OpenClipboard(window.Handle()));
    ::EmptyClipboard();
    const char kept[] = "copied elsewhere";
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, sizeof kept);
    std::memcpy(::GlobalLock(memory), kept, sizeof kept);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();

    ::SendMessageA(description, EM_SETSEL, 0, -1);
    ::SendMessageA(description, WM_COPY, 0, 0);
    ::SendMessageA(description, WM_CHAR, 0x03, 0);
    ::SendMessageA(description, WM_CUT, 0, 0);
    ::SendMessageA(description, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    PumpMessages();

    ASSERT_TRUE(::OpenClipboard(window.Handle()));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(static_cast<const char*>(::GlobalLock(data)), kept);
    ::GlobalUnlock(data);
    ::CloseClipboard();
    EXPECT_EQ(Text(kTxtCardDesc).size(), 1245u);
}

TEST_F(MainWindowTest, WindowHasAFixedBorderACloseBoxOnlyAndTheProgramIcon) {
    const auto style = static_cast<DWORD>(::GetWindowLongA(window.Handle(), GWL_STYLE));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(::SendMessageA(window.Handle(), WM_GETICON, ICON_BIG, 0), 0);

    char caption[64] = {};
    ::GetWindowTextA(window.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Corvel Haloquill v1.15");

    RECT frame;
    ::GetWindowRect(window.Handle(), &frame);
    const int left = (::GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2;
    const int top = (::GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2;
    EXPECT_NEAR(frame.left, left, 1);
    EXPECT_NEAR(frame.top, top, 1);
}

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

TEST_F(MainWindowTest, TheIconsAreDrawnForEachDpiTheWindowMovesTo) {
    HWND handle = window.Handle();
    for (int dpi : {144, 120, 192, ScreenDpi()}) {
        SCOPED_TRACE(dpi);
        RECT suggested{};
        ::GetWindowRect(handle, &suggested);
        ::SendMessageA(handle, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
        EXPECT_EQ(
            IconWidth(reinterpret_cast<HICON>(::SendMessageA(handle, WM_GETICON, ICON_BIG, 0))),
            ScalePixels(32, dpi));
        EXPECT_EQ(
            IconWidth(reinterpret_cast<HICON>(::SendMessageA(handle, WM_GETICON, ICON_SMALL, 0))),
            ScalePixels(16, dpi));
    }
}

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
