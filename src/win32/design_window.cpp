#include "win32/design_window.h"

#include "design/app_texts.h"
#include "design/control_look.h"
#include "win32/styled_controls.h"
#include "win32/wide_text.h"
#include "win32/window_class.h"
#include "win32/window_dpi.h"

#include <utility>

namespace haloquill::win32 {

void DesignWindow::DestroyFrame() {
    if (window_ && ::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        ::DestroyWindow(window_);
    }
}

bool DesignWindow::CreateFrame(const FrameSpec& spec, const RECT& place) {
    if (!RegisterWindowClass({spec.className, Procedure, instance_})) {
        return false;
    }
    ::CreateWindowExW(spec.exStyle, Wide(spec.className).c_str(), Wide(texts::kMainCaption).c_str(),
                      spec.style, place.left, place.top, place.right - place.left,
                      place.bottom - place.top, spec.owner, nullptr, instance_, this);
    return window_ != nullptr;
}

void DesignWindow::ChangeDpi(int dpi, const RECT& suggested) {
    const PausedDrawing paused(window_);
    // The old fonts, brushes and icons go only when nothing shows them any more.
    const GdiCache previousGdi = std::exchange(gdi_, GdiCache(dpi, gdi_.HighContrast()));
    const ProgramIcons previousIcons = std::exchange(icons_, ProgramIcons(instance_, dpi));
    // A minimised window (one in the notification area too) has no size to fit: it takes the
    // design's size for the new DPI when it is restored.
    if (const auto client = ClientSizeAt(dpi); client && !::IsIconic(window_)) {
        FitWindowToClient(window_, suggested, *client);
    }
    controls_.ApplyDpi();
    OnDpiChanged(dpi);
}

LRESULT CALLBACK DesignWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // From here on every message of the window goes to the object it was created with.
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<DesignWindow*>(create->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<DesignWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->HandleMessage(window, message, wParam, lParam)
                : ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DesignWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto styled = HandleStyledControlMessage(window, message, wParam, lParam, gdi_)) {
        return *styled;
    }
    if (message == WM_SYSCOLORCHANGE ||
        (message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST)) {
        // The scheme's colours changed or high contrast was switched: drawn anew in the new mode.
        gdi_.SetHighContrast(SystemHighContrast());
        ::RedrawWindow(window, nullptr, nullptr,
                       RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    if (message == WM_ERASEBKGND) {
        // The background of the design, in the contrast mode's colours; the controls draw the rest.
        RECT client;
        ::GetClientRect(window, &client);
        ::FillRect(reinterpret_cast<HDC>(wParam), &client,
                   gdi_.Brush(WindowBackground(gdi_.HighContrast())));
        return 1;
    }
    if (message == WM_DPICHANGED) {
        if (const auto dpi = DpiOfChange(wParam); dpi && lParam) {
            ChangeDpi(*dpi, *reinterpret_cast<const RECT*>(lParam));
        }
        return 0;
    }
    const std::optional<LRESULT> answer = OnMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
    }
    return answer ? *answer : ::DefWindowProcW(window, message, wParam, lParam);
}

} // namespace haloquill::win32
