// The real main window in this process, over in-memory settings: its controls, their places,
// and the way their notifications reach the handlers.

#include "app/main_window_layout.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_settings_store.h"
#include "fakes/scripted_random.h"
#include "win32/main_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace haloquill::win32 {
namespace {

using haloquill::testing::FakeClock;
using haloquill::testing::FakeSettingsStore;
using haloquill::testing::ScriptedRandom;

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControlId(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (::GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
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
        random.queue = {ScriptedRandom::ForAngel(4)};
        ASSERT_TRUE(window.Load());
        window.Show();
        PumpMessages();
    }

    HWND Find(ControlId id) const {
        ControlSearch search{id, nullptr};
        ::EnumChildWindows(window.Handle(), MatchControlId, reinterpret_cast<LPARAM>(&search));
        return search.found;
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

    bool Checked(ControlId id) const {
        return ::SendMessageA(Find(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }

    FakeSettingsStore store;
    FakeClock clock;
    ScriptedRandom random;
    MainWindow window{::GetModuleHandleA(nullptr), store, clock, random};
};

TEST_F(MainWindowTest, ClientAreaAndEveryControlSitAtTheirDesignPlace) {
    const int dpi = ScreenDpi();
    RECT client;
    ::GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(kClientWidthTwips, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(kClientHeightTwips, dpi));
    if (dpi == 96) {
        EXPECT_EQ(client.right, 635);
        EXPECT_EQ(client.bottom, 441);
    }

    for (const ControlSpec& spec : MainWindowLayout()) {
        SCOPED_TRACE(spec.id);
        HWND control = Find(spec.id);
        ASSERT_NE(control, nullptr);
        RECT rect;
        ::GetWindowRect(control, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, TwipsToPixels(spec.left, dpi));
        EXPECT_EQ(rect.top, TwipsToPixels(spec.top, dpi));
        EXPECT_EQ(rect.right - rect.left, TwipsToPixels(spec.width, dpi));
        if (spec.kind != ControlKind::DropDownList) {
            EXPECT_EQ(rect.bottom - rect.top, TwipsToPixels(spec.height, dpi));
        }
        const HWND expectedParent =
            spec.container == kNoControl ? window.Handle() : Find(spec.container);
        EXPECT_EQ(::GetParent(control), expectedParent);
    }
}

TEST_F(MainWindowTest, ControlsBelowTheClientAreaAreNeverSeen) {
    RECT client;
    ::GetClientRect(window.Handle(), &client);
    for (ControlId id : {kCboDate, kCboMonth, kCboYear, kPicHook, kFrame6}) {
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

} // namespace
} // namespace haloquill::win32
