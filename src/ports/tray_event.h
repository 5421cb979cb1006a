#pragma once
// What the mouse did on the notification-area icon, as far as the program cares; the shell turns
// its mouse messages into these.

namespace haloquill {

enum class TrayEvent {
    DoubleClick,   // the left button double-clicked
    RightButtonUp, // the right button released
    Other,
};

} // namespace haloquill
