#pragma once
// What Windows tells of the user when the program would come forward: whether they are busy or
// away, and what covers the screen.

#include <optional>
#include <string>

namespace haloquill {

// SHQueryUserNotificationState's answers, by their numbers in the Windows headers.
enum class NotificationState {
    NotPresent = 1,           // locked, screen saver, or another user's session on the screen
    Busy = 2,                 // a full-screen program that is not Direct3D
    RunningD3dFullScreen = 3, // a full-screen Direct3D program, a game
    PresentationMode = 4,     // the user set presentation mode
    AcceptsNotifications = 5,
    QuietTime = 6, // the first hour after a new user's first logon
    App = 7,       // a Windows Store program in front
};

struct ScreenRect {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// The window in front, as far as it bears on whether the program may come forward.
struct ForegroundWindow {
    bool otherProgram = false; // there is one, and another process owns it
    std::string className;     // its window class
    ScreenRect frame;          // its window rectangle
    ScreenRect monitor;        // the whole of the monitor it is on
};

struct AttentionReading {
    std::optional<int> notificationState; // nothing when Windows could not say
    ForegroundWindow foreground;
};

class UserAttention {
  public:
    virtual ~UserAttention() = default;
    // Reads Windows' answers now; asked only while a reminder wants to come forward.
    virtual AttentionReading Read() const = 0;
};

} // namespace haloquill
