#pragma once
// Windows' own switch for a program of the Run key: Task Manager's Startup tab and the Settings
// app turn a program's start at logon off by marking its value disabled under
// HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run, and leave the Run
// value where it is.

#include "ports/run_key.h"

namespace haloquill {

// True when the mark says disabled: a REG_BINARY of at least twelve bytes, a little-endian
// number whose lowest bit is set, then the time it was disabled. Anything else (no mark, an
// even number, another type, too few bytes) leaves the start enabled.
bool MarksStartDisabled(const std::optional<StartupApproval>& mark);

} // namespace haloquill
