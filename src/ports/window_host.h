#pragma once
// The main window as a window: shown, hidden, minimised, centred, its icon in the notification
// area, and the end of the program.

#include <string_view>

namespace haloquill {

enum class WindowState { Normal, Minimized };

class WindowHost {
  public:
    virtual ~WindowHost() = default;
    // Modeless, in the taskbar, in `state`; normal brings it to the front.
    virtual void ShowMainWindow(WindowState state) = 0;
    virtual void HideMainWindow() = 0; // off the screen and out of the taskbar
    virtual bool IsMainWindowVisible() const = 0;
    virtual void SetWindowState(WindowState state) = 0; // of the window on the screen
    virtual void CentreMainWindow() = 0;
    virtual void RestoreProgramIcon() = 0;
    // The icon with its tooltip; no second icon while one is there. False when the shell
    // refused the icon.
    virtual bool AddNotificationIcon(std::string_view tip) = 0;
    virtual void RemoveNotificationIcon() = 0; // harmless without an icon
    virtual void ShowTrayMenu() = 0;           // "Show" (default) and "Exit" at the mouse
    virtual void QuitProgram() = 0;            // unloads every window and ends the program
};

} // namespace haloquill
