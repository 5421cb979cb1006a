#include "win32/user_attention_reader.h"

#include "win32/wide_text.h"

#include <shellapi.h>

namespace haloquill::win32 {

namespace {

ScreenRect ScreenRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

ForegroundWindow ReadForegroundWindow() {
    ForegroundWindow reading;
    HWND front = ::GetForegroundWindow();
    if (!front || front == ::GetDesktopWindow() || front == ::GetShellWindow()) {
        return reading;
    }
    DWORD process = 0;
    ::GetWindowThreadProcessId(front, &process);
    reading.otherProgram = process != ::GetCurrentProcessId();
    wchar_t className[128] = {};
    if (::GetClassNameW(front, className, static_cast<int>(std::size(className))) > 0) {
        reading.className = FromWide(className).value_or("");
    }
    RECT frame{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    // A window or monitor that cannot be read covers nothing.
    if (::GetWindowRect(front, &frame) &&
        ::GetMonitorInfoW(::MonitorFromWindow(front, MONITOR_DEFAULTTONEAREST), &monitor)) {
        reading.frame = ScreenRectOf(frame);
        reading.monitor = ScreenRectOf(monitor.rcMonitor);
    }
    return reading;
}

} // namespace

AttentionReading WindowsUserAttention::Read() const {
    AttentionReading reading;
    QUERY_USER_NOTIFICATION_STATE state{};
    if (const auto query = HALOQUILL_LATE_BOUND(shell_, SHQueryUserNotificationState);
        query && SUCCEEDED(query(&state))) {
        reading.notificationState = static_cast<int>(state);
    }
    reading.foreground = ReadForegroundWindow();
    return reading;
}

} // namespace haloquill::win32
