#pragma once
// What a running process holds of the system: its memory, its GDI and USER objects and its
// handles, as RunningProgram::Resources reads them.

#include <windows.h>

namespace haloquill::testing {

struct ProcessResources {
    SIZE_T workingSet = 0;
    SIZE_T peakWorkingSet = 0;
    // The private commit as Windows gives it; under Wine, which fills only PagefileUsage, the
    // process's private (anonymous) resident memory.
    SIZE_T privateBytes = 0;
    // Wine may answer 0 for the object counts: it keeps no count of them per process.
    DWORD gdiObjects = 0;
    DWORD userObjects = 0;
    long handles = -1; // -1 when the count could not be read
};

} // namespace haloquill::testing
