#pragma once
// The DPI of the monitor a window is on, and the system measures at a DPI, from the calls of
// Windows 10 where they exist and from the system DPI before them.

#include "design/dpi_scaling.h"
#include "win32/unique_handle.h"

#include <windows.h>

namespace haloquill::win32 {

// The DPI the window is drawn for: its monitor's under per-monitor awareness, else the system's.
int WindowDpi(HWND window);

// GetSystemMetrics(index) as it is at `dpi`.
int SystemMetricAt(int index, int dpi);

// AdjustWindowRectEx for a window drawn at `dpi`.
void AdjustWindowRectAt(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);

// Moves `window` to `frame`, then corrects its size so that its client area is `client`: a menu
// bar that wraps, or a frame the system measured for another DPI, is made up for.
void FitWindowToClient(HWND window, const RECT& frame, PixelSize client);

// Keeps a shown window from drawing while it is laid out anew, so no half-done layout is ever
// seen, and draws it whole once at the end of the scope.
class PausedDrawing : Uncopyable {
  public:
    explicit PausedDrawing(HWND window);
    ~PausedDrawing();

  private:
    HWND window_; // null when the window was hidden and so needs no pause
};

} // namespace haloquill::win32
