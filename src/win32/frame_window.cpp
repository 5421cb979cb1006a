#include "win32/frame_window.h"

#include <string>

namespace haloquill::win32 {

namespace {

void PaintFrame(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window, &paint);
    RECT client;
    ::GetClientRect(window, &client);

    char caption[256] = {};
    const int length = ::GetWindowTextA(window, caption, static_cast<int>(sizeof caption));
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    HGDIOBJ oldFont = font ? ::SelectObject(dc, font) : nullptr;

    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    RECT border = client;
    if (length > 0) {
        border.top += metrics.tmHeight / 2;
    }
    if (length > 0 || (::GetWindowLongA(window, GWL_STYLE) & WS_BORDER) == 0) {
        ::DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
    }
    if (length > 0) {
        ::SetBkMode(dc, OPAQUE);
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::TextOutA(dc, 8, 0, caption, length);
    }
    if (oldFont) {
        ::SelectObject(dc, oldFont);
    }
    ::EndPaint(window, &paint);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintFrame(window);
        return 0;
    case WM_SETFONT:
        ::SetPropA(window, "HaloquillFont", reinterpret_cast<HANDLE>(wParam));
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(::GetPropA(window, "HaloquillFont"));
    case WM_NCDESTROY:
        ::RemovePropA(window, "HaloquillFont");
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return ::SendMessageA(::GetParent(window), message, wParam, lParam);
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

bool RegisterFrameWindowClass(HINSTANCE instance) {
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.style = CS_HREDRAW | CS_VREDRAW;
    frameClass.lpfnWndProc = FrameProc;
    frameClass.hInstance = instance;
    frameClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = kFrameWindowClass;
    return ::RegisterClassExA(&frameClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace haloquill::win32
