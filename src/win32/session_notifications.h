#pragma once
// A window told of its session's changes (locked, unlocked, connected, disconnected) as
// WM_WTSSESSION_CHANGE, from Register until the window is destroyed.

#include "win32/system_library.h"

#include <wtsapi32.h>

namespace haloquill::win32 {

class SessionNotifications : Uncopyable {
  public:
    ~SessionNotifications() { Unregister(); }

    // Without the notifications (no wtsapi32, a refusal) the session counts as never locked.
    void Register(HWND window) {
        const auto subscribe = HALOQUILL_LATE_BOUND(wts_, WTSRegisterSessionNotification);
        if (subscribe && subscribe(window, NOTIFY_FOR_THIS_SESSION)) {
            window_ = window;
        }
    }

    // Called while the window still exists, as Windows asks.
    void Unregister() {
        if (window_) {
            if (const auto unsubscribe =
                    HALOQUILL_LATE_BOUND(wts_, WTSUnRegisterSessionNotification)) {
                unsubscribe(window_);
            }
            window_ = nullptr;
        }
    }

  private:
    SystemLibrary wts_{L"wtsapi32.dll"};
    HWND window_ = nullptr;
};

} // namespace haloquill::win32
