#pragma once
// The real main window in this process, over in-memory settings and fakes of the other ports.

#include "driver/control_search.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_message_boxes.h"
#include "fakes/fake_run_key.h"
#include "fakes/fake_settings_store.h"
#include "fakes/fake_user_attention.h"
#include "fakes/fake_web_browser.h"
#include "fakes/scripted_random.h"
#include "win32/main_window.h"

#include <gtest/gtest.h>

#include <string>

namespace haloquill::win32 {

using haloquill::testing::FakeClock;
using haloquill::testing::FakeSettingsStore;
using haloquill::testing::FakeWebBrowser;
using haloquill::testing::ScriptedRandom;

inline int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

inline void PumpMessages() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// Handles what the window was sent and posted, and makes what it makes once it has painted.
inline void Settle() {
    PumpMessages();
    ::PostMessageA(::FindWindowExA(HWND_MESSAGE, nullptr, kTrayReceiverClass, nullptr),
                   kIdleProbeMessage, 0, 0);
    PumpMessages();
}

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        random.queue = {ScriptedRandom::ForAngel(4), 0.0};
        ASSERT_TRUE(window.Create(controller));
        window.Start("");
        Settle();
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
    haloquill::testing::FakeUserAttention attention;
    MainWindow window{::GetModuleHandleA(nullptr), messages};
    MainWindowController controller{MainWindowPorts{store, clock, random, messages, web, runKey,
                                                    [] {
                                                        return ExecutablePath{"C:\\Tools", "prog"};
                                                    },
                                                    attention},
                                    window};
};

} // namespace haloquill::win32
