#include "win32/frame_window.h"

#include "win32/window_class.h"

namespace haloquill::win32 {

namespace {

const FrameStyle* StyleOf(HWND window) {
    return reinterpret_cast<const FrameStyle*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

void PaintFrame(HWND window, HDC dc) {
    const FrameStyle* style = StyleOf(window);
    RECT client;
    ::GetClientRect(window, &client);
    ::FillRect(dc, &client,
               style && style->background ? style->background
                                          : reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    if (!style) {
        return;
    }

    char caption[256] = {};
    const int length = ::GetWindowTextA(window, caption, static_cast<int>(sizeof caption));
    if (length > 0) {
        HGDIOBJ oldFont = ::SelectObject(dc, style->captionFont);
        TEXTMETRICA metrics{};
        ::GetTextMetricsA(dc, &metrics);
        RECT border = client;
        border.top += metrics.tmHeight / 2;
        ::DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        SIZE extent{};
        ::GetTextExtentPoint32A(dc, caption, length, &extent);
        RECT textBox{6, 0, 6 + extent.cx + 4, metrics.tmHeight};
        ::FillRect(dc, &textBox, style->background);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, style->captionColour);
        ::TextOutA(dc, 8, 0, caption, length);
        ::SelectObject(dc, oldFont);
    }

    const int penWidth = 2;
    HPEN pen = ::CreatePen(PS_INSIDEFRAME, penWidth, style->outlineColour);
    HGDIOBJ oldPen = ::SelectObject(dc, pen);
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    for (const RECT& rect : style->rectangles) {
        ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT, so nothing flickers
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        PaintFrame(window, dc);
        ::EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintFrame(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_NEXTDLGCTL:
        return ::SendMessageA(::GetParent(window), message, wParam, lParam);
    case WM_CLOSE:
        return 0; // a frame lives as long as its window; a close would destroy the page with it
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

bool RegisterFrameWindowClass(HINSTANCE instance) {
    return RegisterWindowClass(
        {kFrameWindowClass, FrameProc, instance, nullptr, nullptr, CS_HREDRAW | CS_VREDRAW});
}

void SetFrameStyle(HWND frame, const FrameStyle* style) {
    ::SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(style));
    ::InvalidateRect(frame, nullptr, TRUE);
}

} // namespace haloquill::win32
