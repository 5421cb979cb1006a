#include "win32/about_window.h"

#include "design/about_layout.h"
#include "design/dpi_scaling.h"
#include "design/drawn_metrics.h"
#include "design/twips.h"
#include "win32/accessibility.h"
#include "win32/gdi_scopes.h"
#include "win32/window_class.h"
#include "win32/window_dpi.h"

namespace haloquill::win32 {

namespace {

constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kAboutExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

} // namespace

AboutWindow::AboutWindow(HINSTANCE instance) : DesignWindow(instance, ScreenDpi()) {}

bool AboutWindow::Create(HWND owner) {
    // Made for the DPI of its owner's monitor, where it opens (the system's without an owner).
    const int dpi = WindowDpi(owner);
    if (dpi != gdi_.Dpi()) {
        gdi_ = GdiCache(dpi, gdi_.HighContrast());
    }
    const PixelSize client = AboutWindowClientSize(dpi);
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectAt(frame, kAboutStyle, false, kAboutExStyle, dpi);
    if (!CreateFrame({kAboutWindowClass, kAboutStyle, kAboutExStyle, owner}, frame)) {
        return false;
    }
    ExposeAccessibleTraits(window_, AboutWindowTraits());
    if (!controls_.Create(instance_, window_, AboutWindowLayout())) {
        Close(); // never shown with a control missing; the next opening tries again
        return false;
    }
    ShowIcons();
    return true;
}

void AboutWindow::ShowIcons() {
    // Loaded once for each DPI and kept between openings: under Wine every load and destroy of an
    // icon leaves memory behind.
    if (!icons_.Large() || icons_.Dpi() != gdi_.Dpi()) {
        icons_ = ProgramIcons(instance_, gdi_.Dpi());
    }
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.Large()));
    ::SendMessageA(controls_.Control(kAboutPicIcon), STM_SETICON,
                   reinterpret_cast<WPARAM>(icons_.Large()), 0);
}

std::optional<PixelSize> AboutWindow::ClientSizeAt(int dpi) const {
    return AboutWindowClientSize(dpi);
}

void AboutWindow::OnDpiChanged(int) {
    ShowIcons();
}

bool AboutWindow::ShowModal(HWND owner) {
    if (IsOpen()) {
        return true;
    }
    // The window is kept hidden between openings, since under Wine every window made and
    // destroyed leaves memory behind; one made for another DPI or contrast is made anew.
    if (window_ &&
        (WindowDpi(owner) != gdi_.Dpi() || SystemHighContrast() != gdi_.HighContrast())) {
        Close();
    }
    if (!window_ && !Create(owner)) {
        return false;
    }
    CentreOnScreen(window_);
    const bool wasEnabled = owner && !::EnableWindow(owner, FALSE);
    ::SendMessageA(window_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    ::ShowWindow(window_, SW_SHOWNORMAL);
    ::SetForegroundWindow(window_);
    ::SetFocus(::GetDlgItem(window_, IDOK));

    MSG message{};
    bool quit = false;
    closing_ = false;
    while (window_ && !closing_ && !quit) {
        quit = ::GetMessageW(&message, nullptr, 0, 0) <= 0;
        if (!quit && (!window_ || !::IsDialogMessageW(window_, &message))) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    if (wasEnabled) {
        ::EnableWindow(owner, TRUE);
        ::SetForegroundWindow(owner);
    }
    if (window_) {
        ::ShowWindow(window_, SW_HIDE);
    }
    if (quit) {
        ::PostQuitMessage(static_cast<int>(message.wParam));
    }
    return true;
}

void AboutWindow::BringToFront() {
    if (window_) {
        ::SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        ::SetForegroundWindow(window_);
    }
}

void AboutWindow::Close() {
    if (window_) {
        ::DestroyWindow(window_);
    }
}

void AboutWindow::EndModal() {
    // The window is hidden only after its owner is enabled again, so the activation and the focus
    // return to the owner and not to another program.
    closing_ = true;
    ::PostMessageA(window_, WM_NULL, 0, 0);
}

void AboutWindow::Paint() {
    const PaintSession paint(window_);
    const HDC dc = paint.Get();
    const int dpi = gdi_.Dpi();
    const UniqueGdiObject pen(::CreatePen(PS_SOLID, ScalePixels(kRulePixels, dpi),
                                          ToColorRef(OutlineColour(gdi_.HighContrast()))));
    const SelectedObject rule(dc, pen.Get());
    const int y = TwipsToPixels(kAboutRuleTopTwips, dpi);
    ::MoveToEx(dc, TwipsToPixels(kAboutRuleLeftTwips, dpi), y, nullptr);
    ::LineTo(dc, TwipsToPixels(kAboutRuleRightTwips, dpi), y);
}

std::optional<LRESULT> AboutWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case DM_GETDEFID:
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndModal();
            return 0;
        }
        // A link reports its click to the owner, as the owner's own labels do.
        if (HIWORD(wParam) == STN_CLICKED) {
            if (HWND owner = ::GetWindow(window_, GW_OWNER)) {
                ::SendMessageW(owner, WM_COMMAND, wParam, lParam);
            }
            return 0;
        }
        return std::nullopt;
    case WM_CLOSE:
        EndModal();
        return 0;
    default:
        return std::nullopt;
    }
}

} // namespace haloquill::win32
