#pragma once
// CPU time that a measured program and the Wine server serving it have used so far.

#include "settled_start.h"

#include "driver/running_program.h"

namespace haloquill::bench {

// CPU seconds the Wine server has used so far, when the script told us its Unix process id
// (HALOQUILL_WINESERVER_PID); the server does work on behalf of the programs it serves, so its
// share counts too. 0 without it.
double WineServerCpuSeconds();

// CPU seconds the program has used so far. Wine answers GetProcessTimes for another process with
// the caller's own times, so under Wine they are read from the program's Unix process.
double ProcessCpuSeconds(const Program& program, const testing::RunningProgram& running);

} // namespace haloquill::bench
