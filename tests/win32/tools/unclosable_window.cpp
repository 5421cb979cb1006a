// A stand-in for a copy of the program that does not end when asked: a top-level window of the
// main window's class that ignores WM_CLOSE. The setup tests put it where the installed program
// lives and end it themselves; should a test fail to, it ends by itself after two minutes.

#include "win32/main_window.h"

#include <windows.h>

namespace {

constexpr UINT_PTR kGiveUpTimer = 1;
constexpr UINT kGiveUpAfterMs = 120000;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return 0;
    case WM_TIMER:
        ::DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = haloquill::win32::kMainWindowClass;
    if (!::RegisterClassA(&windowClass)) {
        return 1;
    }
    HWND window =
        ::CreateWindowExA(0, haloquill::win32::kMainWindowClass, "Unclosable", WS_OVERLAPPEDWINDOW,
                          0, 0, 200, 100, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ::SetTimer(window, kGiveUpTimer, kGiveUpAfterMs, nullptr);
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::DispatchMessageA(&message);
    }
    return 0;
}
