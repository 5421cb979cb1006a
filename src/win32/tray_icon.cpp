#include "win32/tray_icon.h"

#include "win32/wide_text.h"

#include <string>

namespace haloquill::win32 {

namespace {

// The first layout of the record: size, window, id, flags, message, icon and a tip of 64
// UTF-16 units.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V1_SIZE;

} // namespace

TrayEvent TrayEventOf(UINT mouseMessage) {
    return mouseMessage == WM_LBUTTONDBLCLK ? TrayEvent::DoubleClick
           : mouseMessage == WM_RBUTTONUP   ? TrayEvent::RightButtonUp
                                            : TrayEvent::Other;
}

BOOL TrayIcon::Notify(DWORD message) {
    if (!notify_) {
        notify_ = HALOQUILL_LATE_BOUND(shell_, Shell_NotifyIconW);
    }
    return notify_ ? notify_(message, &record_) : FALSE;
}

bool TrayIcon::Add(HWND receiver, HICON icon, std::string_view tip) {
    if (wanted_ && shown_) {
        return true;
    }
    if (wanted_ && record_.hWnd == receiver) {
        // Offered again after a refusal. A shell that timed out may have taken the icon all
        // the same; then the icon is there and only needs its record again.
        record_.hIcon = icon;
        shown_ = Notify(NIM_ADD) != FALSE || Notify(NIM_MODIFY) != FALSE;
        return shown_;
    }
    wanted_ = true;
    record_ = {};
    record_.cbSize = kRecordSize;
    record_.hWnd = receiver;
    record_.uID = kTrayIconId;
    record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_.hIcon = icon;
    // The first layout of the record holds 63 units of tip and its NUL.
    ::lstrcpynW(record_.szTip, Wide(tip).c_str(), 64);
    shown_ = Notify(NIM_ADD) != FALSE;
    return shown_;
}

void TrayIcon::ChangeIcon(HICON icon) {
    record_.hIcon = icon;
    if (wanted_ && shown_) {
        Notify(NIM_MODIFY);
    }
}

void TrayIcon::Remove() {
    if (!wanted_) {
        return;
    }
    Notify(NIM_DELETE);
    wanted_ = false;
    shown_ = false;
}

} // namespace haloquill::win32
