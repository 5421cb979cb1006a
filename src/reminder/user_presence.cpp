#include "reminder/user_presence.h"

#include <string_view>

namespace haloquill {

namespace {

// The codes of a session change, as Windows numbers them.
enum SessionChange {
    kConsoleConnect = 1,
    kConsoleDisconnect = 2,
    kRemoteConnect = 3,
    kRemoteDisconnect = 4,
    kSessionLock = 7,
    kSessionUnlock = 8,
};

// Windows of the desktop and of the shell, which fill a monitor without being a program in the
// user's way.
constexpr std::string_view kShellClasses[] = {"Progman", "WorkerW", "Shell_TrayWnd",
                                              "Shell_SecondaryTrayWnd", "#32769"};

} // namespace

bool SessionState::Apply(int change) {
    const bool wasAway = Away();
    switch (change) {
    case kConsoleConnect:
    case kRemoteConnect:
        disconnected_ = false;
        break;
    case kConsoleDisconnect:
    case kRemoteDisconnect:
        disconnected_ = true;
        break;
    case kSessionLock:
        locked_ = true;
        break;
    case kSessionUnlock:
        locked_ = false;
        break;
    default:
        return false;
    }
    return wasAway && !Away();
}

bool CoversItsMonitor(const ForegroundWindow& window) {
    if (!window.otherProgram) {
        return false;
    }
    for (const std::string_view shell : kShellClasses) {
        if (window.className == shell) {
            return false;
        }
    }
    const ScreenRect& frame = window.frame;
    const ScreenRect& monitor = window.monitor;
    return monitor.right > monitor.left && monitor.bottom > monitor.top &&
           frame.left <= monitor.left && frame.top <= monitor.top && frame.right >= monitor.right &&
           frame.bottom >= monitor.bottom;
}

bool MayComeForward(const AttentionReading& reading, const SessionState& session) {
    if (session.Away() || CoversItsMonitor(reading.foreground)) {
        return false;
    }
    if (!reading.notificationState) {
        return true;
    }
    switch (static_cast<NotificationState>(*reading.notificationState)) {
    case NotificationState::NotPresent:
    case NotificationState::Busy:
    case NotificationState::RunningD3dFullScreen:
    case NotificationState::PresentationMode:
        return false;
    default:
        return true;
    }
}

} // namespace haloquill
