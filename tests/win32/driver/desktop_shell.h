#pragma once
// Wine's desktop shell as the programs on its desktop see it: the taskbar with its buttons and
// its notification area, and the tooltips it shows; and the real pointer of the X display the
// desktop runs on, moved and clicked with xdotool as a user's mouse would.

#include <windows.h>

#include <optional>
#include <string>

namespace haloquill::testing {

// The taskbar of this desktop, or null when the desktop has no shell.
HWND Taskbar();
// The part of the taskbar right of its buttons, where the shell shows the notification icons.
RECT NotificationArea();
// The taskbar button of a top-level window, while the taskbar shows one.
HWND TaskbarButtonOf(HWND window);
// The text of a tooltip shown on the screen, if one is.
std::optional<std::string> ShownTooltip();
// A point on the close box of a window's caption, found by asking the window.
std::optional<POINT> CloseBoxOf(HWND window);

// The X pointer over this Wine desktop. xdotool is found through HALOQUILL_XDOTOOL (its Windows
// path) and addresses the desktop's X window by its title.
class XPointer {
  public:
    static constexpr int kLeftButton = 1;
    static constexpr int kRightButton = 3;

    XPointer();

    // Moves the pointer and waits until the desktop sees it there.
    bool MoveTo(POINT at);
    // Presses and releases a button where the pointer is.
    bool Click(int button);
    // Two clicks of the left button, 50 ms apart.
    bool DoubleClick();

  private:
    bool Run(const std::string& arguments) const;

    std::string tool_;
    std::string desktopTitle_;
};

} // namespace haloquill::testing
