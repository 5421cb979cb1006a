#include "win32/frame_window.h"

#include "design/drawn_faces.h"
#include "design/drawn_metrics.h"
#include "design/frame_paint.h"
#include "design/twips.h"
#include "win32/gdi_scopes.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"

namespace haloquill::win32 {

namespace {

const FrameStyle* StyleOf(HWND window) {
    return reinterpret_cast<const FrameStyle*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

void PaintFrame(HWND window, HDC dc) {
    const FrameStyle* style = StyleOf(window);
    RECT client;
    ::GetClientRect(window, &client);
    if (!style) {
        ::FillRect(dc, &client, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
        return;
    }
    GdiCache& gdi = *style->gdi;
    const int dpi = gdi.Dpi();
    const FramePaint paint = FramePaintOf(static_cast<ControlId>(::GetDlgCtrlID(window)),
                                          *style->layout, dpi, gdi.HighContrast());
    const HBRUSH background = gdi.Brush(paint.colours.background);
    ::FillRect(dc, &client, background);

    const std::wstring caption = WideWindowText(window);
    if (!caption.empty()) {
        const SelectedObject font(dc, gdi.Font(paint.captionFont));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        SIZE extent{};
        const int length = static_cast<int>(caption.size());
        ::GetTextExtentPoint32W(dc, caption.c_str(), length, &extent);
        const CaptionPlace place = FrameCaptionPlace(extent.cx, metrics.tmHeight, dpi);
        RECT border = client;
        border.top += place.borderTop;
        ::DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);
        RECT textBox{place.backgroundLeft, 0, place.backgroundRight, metrics.tmHeight};
        ::FillRect(dc, &textBox, background);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ToColorRef(paint.colours.text));
        ::TextOutW(dc, place.textLeft, 0, caption.c_str(), length);
    }

    const UniqueGdiObject pen(
        ::CreatePen(PS_INSIDEFRAME, ScalePixels(kOutlinePixels, dpi), ToColorRef(paint.outline)));
    const SelectedObject outline(dc, pen.Get());
    const SelectedObject hollow(dc, ::GetStockObject(NULL_BRUSH));
    for (const PixelRect& rect : paint.outlines) {
        ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT, so nothing flickers
    case WM_PAINT: {
        const PaintSession paint(window);
        PaintFrame(window, paint.Get());
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
    return ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

bool RegisterFrameWindowClass(HINSTANCE instance) {
    return RegisterWindowClass({kFrameWindowClass, FrameProc, instance, CS_HREDRAW | CS_VREDRAW});
}

void SetFrameStyle(HWND frame, const FrameStyle* style) {
    ::SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(style));
    ::InvalidateRect(frame, nullptr, TRUE);
}

} // namespace haloquill::win32
