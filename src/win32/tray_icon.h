#pragma once
// The program's one icon in the notification area, added and removed on request.

#include <windows.h>

#include <string_view>

#include <shellapi.h>

#include "ports/tray_event.h"
#include "win32/system_library.h"

namespace haloquill::win32 {

// The icon's mouse messages arrive at the receiving window as this message, with the mouse
// message in the low word of lParam.
inline constexpr UINT kTrayCallbackMessage = 0x0201;
inline constexpr UINT kTrayIconId = 1;

// The program's reading of the icon's mouse message.
TrayEvent TrayEventOf(UINT mouseMessage);

using ShellNotifyFunction = decltype(&::Shell_NotifyIconW);

class TrayIcon : Uncopyable {
  public:
    // Without a function of its own, the icon uses the shell's, loaded when first needed.
    explicit TrayIcon(ShellNotifyFunction notify = nullptr) : notify_(notify) {}
    ~TrayIcon() { Remove(); }

    // Adds the icon with its tooltip; nothing when it is already there. False when the shell
    // refused it (it may be offered again by calling this once more).
    bool Add(HWND receiver, HICON icon, std::string_view tip);
    // Shows `icon` from now on, in the icon there is and in any added later.
    void ChangeIcon(HICON icon);
    // The taskbar was created anew and holds no icon of ours, though one may be wanted.
    void Forget() { shown_ = false; }
    void Remove();
    bool IsWanted() const { return wanted_; }

  private:
    BOOL Notify(DWORD message);

    ShellNotifyFunction notify_;
    SystemLibrary shell_{L"shell32.dll"};
    NOTIFYICONDATAW record_{};
    bool wanted_ = false; // the program is in the notification area
    bool shown_ = false;  // the shell accepted the icon
};

} // namespace haloquill::win32
