#include "win32/window_class.h"

#include "win32/wide_text.h"

namespace haloquill::win32 {

bool RegisterWindowClass(const WindowClassSpec& spec) {
    // Wide windows, so that every text they show is the program's UTF-8 text as written.
    const std::wstring name = Wide(spec.name);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = spec.style;
    windowClass.lpfnWndProc = spec.procedure;
    windowClass.hInstance = spec.instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name.c_str();
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void CentreOnScreen(HWND window) {
    RECT frame;
    ::GetWindowRect(window, &frame);
    ::SetWindowPos(window, nullptr,
                   (::GetSystemMetrics(SM_CXSCREEN) - frame.right + frame.left) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - frame.bottom + frame.top) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace haloquill::win32
