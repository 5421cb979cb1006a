#pragma once
// The program's entry in the per-user list of programs Windows starts at logon.

#include "ports/message_boxes.h"
#include "ports/run_key.h"
#include "settings/executable_path.h"

#include <string>

namespace haloquill {

// The command line of the entry: the executable's path in quotes, so that a path with blanks
// cannot start another program, then " /STARTUP".
std::string AutorunCommand(const ExecutablePath& executable);

// True when the entry exists and Windows has not turned it off (Task Manager's Startup tab): an
// entry Windows will not start counts as none.
bool HasAutorunEntry(const RunKey& runKey, const std::string& exeName);
bool IsStartTurnedOffInWindows(const RunKey& runKey, const std::string& exeName);

// Writes or removes the entry; a failing registry call is reported in a message box.
void SetAutorunEntry(RunKey& runKey, MessageBoxes& messages, const ExecutablePath& executable,
                     bool enable);

} // namespace haloquill
