#pragma once
// The acts that take the main window from the presence it last showed to the one the model has,
// given where it is on the screen now: the user may have minimised it since.

#include "ports/main_view.h"

#include <vector>

namespace haloquill {

enum class WindowStep {
    OfferIcon,             // the icon into the notification area, unless the shell has it
    Minimize,              // minimise the shown window
    Hide,                  // off the screen and out of the taskbar
    ShowMinimizedInactive, // show a hidden window minimised, without taking the focus
    Restore,               // restore a minimised window, at the design's size for its DPI
    Show,                  // show a hidden window as it is
    BringToFront,
    Centre, // on the screen
    RemoveIcon,
};

struct ScreenState {
    bool visible = false;
    bool minimized = false;
};

// The icon comes before the window goes and goes after the window came; nothing happens where
// `now` asks for what `before` showed already.
std::vector<WindowStep> WindowSteps(const WindowPresence& before, const WindowPresence& now,
                                    ScreenState screen);

} // namespace haloquill
