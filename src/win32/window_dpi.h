#pragma once
// The DPI of the monitor a window is on, and the system measures at a DPI, from the calls of
// Windows 10 where they exist and from the system DPI before them.

#include <windows.h>

namespace haloquill::win32 {

// The DPI the window is drawn for: its monitor's under per-monitor awareness, else the system's.
int WindowDpi(HWND window);

// GetSystemMetrics(index) as it is at `dpi`.
int SystemMetricAt(int index, int dpi);

// AdjustWindowRectEx for a window drawn at `dpi`.
void AdjustWindowRectAt(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

} // namespace haloquill::win32
