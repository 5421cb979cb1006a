// The real main window in this process: its controls, their places, its frame and icons, and
// the way their notifications reach the handlers.

#include "design/control_look.h"
#include "design/dpi_scaling.h"
#include "design/main_menu.h"
#include "design/main_window_layout.h"
#include "design/twips.h"
#include "main_window_fixture.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace haloquill::win32 {
namespace {

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

// A start shows the page in front at once; what nobody sees yet (the lists below the client area
// and, at a first start, the angel page) is made only once the shown window has been painted,
// and then shows what the model holds.
class UnpaintedStartTest : public MainWindowTest {
  protected:
    void SetUp() override {}

    void StartWith(std::map<std::string, std::string> values, int angel) {
        store.values = std::move(values);
        random.queue = {ScriptedRandom::ForAngel(angel), 0.0};
        ASSERT_TRUE(window.Create(controller));
        window.Start("");
        ASSERT_TRUE(::IsWindowVisible(window.Handle()));
        EXPECT_EQ(Find(kCboDate), nullptr);
        EXPECT_EQ(Find(kFrame6), nullptr);
        EXPECT_TRUE(::GetUpdateRect(window.Handle(), nullptr, FALSE));
    }

    void WaitForThePainting() {
        for (int wait = 0; wait < 200 && !Find(kCboYear); ++wait) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            PumpMessages();
        }
        EXPECT_FALSE(::GetUpdateRect(window.Handle(), nullptr, FALSE));
        EXPECT_EQ(Text(kCboDate), "1");
        EXPECT_EQ(Text(kCboMonth), "January");
        EXPECT_EQ(::SendMessageA(Find(kCboYear), CB_GETCOUNT, 0, 0), 150);
        EXPECT_FALSE(::IsWindowVisible(Find(kFrame6)));
    }
};

TEST_F(UnpaintedStartTest, ALaterStartMakesTheUnseenListsAfterThePainting) {
    StartWith({{"Hour", "15"}, {"Minute", "30"}, {"Second", "5"}, {"Card", "2"}}, 2);
    ASSERT_TRUE(::IsWindowVisible(Find(kFraRune)));
    WaitForThePainting();
    EXPECT_EQ(Find(kFraSettings), nullptr); // made when it is first asked for
}

TEST_F(UnpaintedStartTest, AFirstStartMakesTheAngelPageAfterThePainting) {
    StartWith({}, 4);
    ASSERT_TRUE(::IsWindowVisible(Find(kFraSettings)));
    EXPECT_EQ(Find(kFraRune), nullptr);
    WaitForThePainting();
    EXPECT_FALSE(::IsWindowVisible(Find(kFraRune)));
    EXPECT_TRUE(::IsWindowVisible(Find(kFraSettings)));
    EXPECT_EQ(Text(kLblCardName), "St. Barachiel");
    EXPECT_NE(::SendMessageA(Find(kPicCard), STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
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

} // namespace
} // namespace haloquill::win32
