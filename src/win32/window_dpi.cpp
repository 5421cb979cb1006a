// The DPI functions of Windows 10 are declared for it alone; this file looks them up at run time,
// typed by those declarations, and calls nothing else of later Windows.
#undef WINVER
#undef _WIN32_WINNT
#define WINVER 0x0A00
#define _WIN32_WINNT 0x0A00

#include "win32/window_dpi.h"

#include "win32/gdi_cache.h"
#include "win32/system_library.h"

namespace haloquill::win32 {

namespace {

// user32 is always loaded; these calls are looked up because Windows 7 and 8 lack them.
HMODULE User32() {
    return ::GetModuleHandleW(L"user32.dll");
}

} // namespace

int WindowDpi(HWND window) {
    static const auto dpiForWindow = HALOQUILL_EXPORT_OF(User32(), GetDpiForWindow);
    const UINT dpi = dpiForWindow && window ? dpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int SystemMetricAt(int index, int dpi) {
    static const auto metricsForDpi = HALOQUILL_EXPORT_OF(User32(), GetSystemMetricsForDpi);
    if (metricsForDpi) {
        return metricsForDpi(index, static_cast<UINT>(dpi));
    }
    return ::MulDiv(::GetSystemMetrics(index), dpi, ScreenDpi());
}

void AdjustWindowRectAt(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = HALOQUILL_EXPORT_OF(User32(), AdjustWindowRectExForDpi);
    if (!adjustForDpi || !adjustForDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) {
        ::AdjustWindowRectEx(&rect, style, menu, exStyle);
    }
}

void FitWindowToClient(HWND window, const RECT& frame, PixelSize client) {
    ::SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left,
                   frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT got;
    ::GetClientRect(window, &got);
    const PixelRect fitted = FittedWindowRect({frame.left, frame.top, frame.right, frame.bottom},
                                              {got.right, got.bottom}, client);
    if (fitted.right != frame.right || fitted.bottom != frame.bottom) {
        ::SetWindowPos(window, nullptr, 0, 0, fitted.Width(), fitted.Height(),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

PausedDrawing::PausedDrawing(HWND window) : window_(::IsWindowVisible(window) ? window : nullptr) {
    if (window_) {
        ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
}

PausedDrawing::~PausedDrawing() {
    if (window_) {
        ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(window_, nullptr, nullptr,
                       RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

} // namespace haloquill::win32
