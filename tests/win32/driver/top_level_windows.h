#pragma once
// The top-level windows of a process, found by their class, and whether a window's thread waits
// for messages.

#include <windows.h>

#include <chrono>
#include <vector>

namespace haloquill::testing {

// The top-level windows of the process `processId` with the class `className`, shown or not, in
// the order the desktop holds them.
std::vector<HWND> TopLevelWindowsOf(DWORD processId, const char* className);

// The desktop's top-level windows: those of one process and all others (the shell's among them).
struct TopLevelWindowCount {
    int ofProcess = 0;
    int others = 0;
};
TopLevelWindowCount CountTopLevelWindows(DWORD processId);

// Returns once the thread of `window` has answered a sent message, which it does only while it
// waits for messages; false when it did not within `timeout` or the window is gone.
bool WaitForAnswer(HWND window, std::chrono::milliseconds timeout);

} // namespace haloquill::testing
