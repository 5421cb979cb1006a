#include "win32/window_dpi.h"

#include "win32/gdi_cache.h"
#include "win32/system_library.h"

namespace haloquill::win32 {

namespace {

// user32 is always loaded; these calls are looked up because Windows 7 and 8 lack them.
template <typename Function> Function User32Export(const char* name) {
    return ExportOf<Function>(::GetModuleHandleW(L"user32.dll"), name);
}

} // namespace

int WindowDpi(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = User32Export<DpiForWindow>("GetDpiForWindow");
    const UINT dpi = dpiForWindow && window ? dpiForWindow(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int SystemMetricAt(int index, int dpi) {
    using MetricsForDpi = int(WINAPI*)(int, UINT);
    static const auto metricsForDpi = User32Export<MetricsForDpi>("GetSystemMetricsForDpi");
    if (metricsForDpi) {
        return metricsForDpi(index, static_cast<UINT>(dpi));
    }
    return ::MulDiv(::GetSystemMetrics(index), dpi, ScreenDpi());
}

void AdjustWindowRectAt(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32Export<AdjustForDpi>("AdjustWindowRectExForDpi");
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
