#include "win32/quit_program.h"

#include <windows.h>

#include <vector>

namespace haloquill::win32 {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

} // namespace

void QuitProgram() {
    // Collected first: destroying a window while the system enumerates them is not safe.
    std::vector<HWND> windows;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (::IsWindow(window)) {
            ::DestroyWindow(window);
        }
    }
    ::PostQuitMessage(0);
}

} // namespace haloquill::win32
