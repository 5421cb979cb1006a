#pragma once
// The main window between the screen and the notification area: its icon, offered again while
// the shell refuses it, and the window hidden, shown and brought to the front.

#include "ports/main_view.h"

namespace haloquill {

// How often a notification-area icon that the shell refused is offered again, one tick apart.
inline constexpr int kTrayIconRetries = 30;

class TrayPresence {
  public:
    explicit TrayPresence(WindowPresence& window) : window_(window) {}

    // Into the notification area: the icon is wanted, the window minimised and hidden.
    void HideInTray();
    // Out of it: the window shown normal, in front and centred; the icon goes.
    void ShowFromTray();
    // The window shown normal and in front, where it was; the icon stays if it is there.
    void BringUp();
    // The window as the program starts: shown normal, unless it starts in the notification area.
    void ShowAtStart();
    void RemoveIcon();
    // One tick: a shell that is busy at logon may refuse the icon without a "TaskbarCreated" to
    // follow, so a wanted icon is offered again, up to kTrayIconRetries times. True when it
    // was.
    bool Tick();
    // The taskbar was created anew (Explorer restarted) and holds no icon: a wanted one is
    // offered again.
    void OnTaskbarCreated();

  private:
    void OfferIcon();

    WindowPresence& window_;
    int retriesLeft_ = 0;
};

} // namespace haloquill
