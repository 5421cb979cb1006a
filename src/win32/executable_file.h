#pragma once
// Where the running executable lies and what it is called.

#include "settings/executable_path.h"

namespace haloquill::win32 {

ExecutablePath RunningExecutable();

} // namespace haloquill::win32
