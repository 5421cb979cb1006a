#pragma once
// What the program's windows share: a class registered once per process and a place centred on
// the screen.

#include <windows.h>

namespace haloquill::win32 {

struct WindowClassSpec {
    const char* name;
    WNDPROC procedure;
    HINSTANCE instance;
    UINT style = 0;
};

// Registers the class with the arrow pointer; true when it is available (also when it was
// registered before).
bool RegisterWindowClass(const WindowClassSpec& spec);

// Moves a window to the centre of the screen, keeping its size and stacking.
void CentreOnScreen(HWND window);

} // namespace haloquill::win32
