#pragma once
// A container control for a page or a group of controls: draws its caption and border and
// passes its children's notifications on to the window that holds it.

#include <windows.h>

namespace haloquill::win32 {

inline constexpr char kFrameWindowClass[] = "HaloquillFrame";

// Registers the class once per process; true when it is available.
bool RegisterFrameWindowClass(HINSTANCE instance);

} // namespace haloquill::win32
