#pragma once
// Whether the program may come forward now: the user is neither away nor busy with something a
// window would interrupt (a presentation, a game, a video in full screen).

#include "ports/user_attention.h"

namespace haloquill {

// The session as the messages of its changes left it: locked or not, connected or not.
class SessionState {
  public:
    // Takes one change by its WTS_* number; true when the session has just come back (an
    // unlock or a connect that leaves it neither locked nor disconnected).
    bool Apply(int change);
    bool Away() const { return locked_ || disconnected_; }

  private:
    bool locked_ = false;
    bool disconnected_ = false;
};

// True when another program's window in front covers its whole monitor; the desktop and the
// shell's own windows do not count.
bool CoversItsMonitor(const ForegroundWindow& window);

// The one answer the reminder asks for.
bool MayComeForward(const AttentionReading& reading, const SessionState& session);

} // namespace haloquill
