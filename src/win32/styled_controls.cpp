#include "win32/styled_controls.h"

#include "design/control_places.h"
#include "design/control_traits.h"
#include "design/drawn_faces.h"
#include "win32/accessibility.h"
#include "win32/common_controls.h"
#include "win32/drawn_controls.h"
#include "win32/frame_window.h"
#include "win32/gdi_scopes.h"
#include "win32/wide_text.h"

#include <iterator>

namespace haloquill::win32 {

namespace {

struct ClassAndStyle {
    const char* className;
    DWORD style;
};

// The window class of each kind of control and the styles that make it that kind, in the order
// of ControlKind. The drop-down lists are drawn here, so that they show the design's colours on
// every platform.
constexpr ClassAndStyle kClassOfKind[] = {
    {kFrameWindowClass, WS_CLIPCHILDREN}, // Frame
    {kFrameWindowClass, WS_CLIPCHILDREN}, // PlainFrame
    {"STATIC", 0},                        // Label
    {"STATIC", 0},                        // LinkLabel
    {"BUTTON", BS_OWNERDRAW},             // Button
    {"COMBOBOX", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL},
    {"BUTTON", BS_AUTOCHECKBOX},                                        // CheckBox
    {"BUTTON", BS_RADIOBUTTON},                                         // OptionButton
    {"STATIC", SS_BITMAP},                                              // PictureBox
    {"STATIC", SS_ICON},                                                // IconBox
    {"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL}, // DescriptionBox
    {"STATIC", 0},                                                      // Rectangle
};
static_assert(std::size(kClassOfKind) == static_cast<std::size_t>(ControlKind::Rectangle) + 1);

DWORD StyleOf(const ControlTraits& traits) {
    DWORD style = WS_CHILD;
    style |= traits.visible ? WS_VISIBLE : 0;
    style |= traits.tabStop ? WS_TABSTOP : 0;
    style |= traits.startsGroup ? WS_GROUP : 0;
    style |= traits.centred ? SS_CENTER : 0;
    style |= traits.reportsClicks ? SS_NOTIFY : 0;
    return style;
}

constexpr UINT_PTR kKeyboardSubclass = 2;

// A drawn button answers the dialog keys as a push button: Enter presses it while it has the
// focus, and the default one takes Enter elsewhere in its window.
LRESULT CALLBACK PushButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    switch (message) {
    case WM_GETDLGCODE: {
        const bool isDefault = ::GetFocus() == button ||
                               LookOf(static_cast<ControlId>(::GetDlgCtrlID(button))).defaultButton;
        return DLGC_BUTTON | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    }
    case BM_SETSTYLE:
        // The dialog keys move the default mark this way; the new style would end the drawing.
        ::InvalidateRect(button, nullptr, FALSE);
        return 0;
    case WM_NCDESTROY:
        RemoveSubclass(button, PushButtonProc, kKeyboardSubclass);
        break;
    default:
        break;
    }
    return DefSubclass(button, message, wParam, lParam);
}

// A link label works from the keyboard as a button does: it is a Tab stop, Enter and Space open
// its page as a click does, and it shows the focus.
LRESULT CALLBACK LinkLabelProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR /*id*/, DWORD_PTR /*data*/) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter then reaches the window as this link's click.
        return ::GetFocus() == link ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    case BM_SETSTYLE:
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE || wParam == VK_RETURN) {
            // Reported to the window as a click of the mouse is.
            ::SendMessageA(::GetParent(link), WM_COMMAND,
                           MAKEWPARAM(::GetDlgCtrlID(link), STN_CLICKED),
                           reinterpret_cast<LPARAM>(link));
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        ::InvalidateRect(link, nullptr, TRUE);
        break;
    case WM_PAINT: {
        const LRESULT result = DefSubclass(link, message, wParam, lParam);
        const bool hideFocus = (::SendMessageA(link, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        if (::GetFocus() == link && !hideFocus) {
            RECT client;
            ::GetClientRect(link, &client);
            const WindowDc dc(link);
            ::DrawFocusRect(dc.Get(), &client);
        }
        return result;
    }
    case WM_NCDESTROY:
        RemoveSubclass(link, LinkLabelProc, kKeyboardSubclass);
        break;
    default:
        break;
    }
    return DefSubclass(link, message, wParam, lParam);
}

HBRUSH ColourControl(HWND control, HDC dc, GdiCache& gdi) {
    char className[16] = {};
    ::GetClassNameA(control, className, sizeof className);
    const ControlPaint paint = PaintOf(static_cast<ControlId>(::GetDlgCtrlID(control)),
                                       lstrcmpiA(className, "ComboLBox") == 0, gdi.HighContrast());
    ::SetTextColor(dc, ToColorRef(paint.colours.text));
    ::SetBkMode(dc, paint.opaque ? OPAQUE : TRANSPARENT);
    if (paint.opaque) {
        ::SetBkColor(dc, ToColorRef(paint.colours.background));
    }
    return gdi.Brush(paint.colours.background);
}

void MoveFocus(HWND window, WPARAM wParam, LPARAM lParam) {
    HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                               : ::GetNextDlgTabItem(window, ::GetFocus(), wParam != 0);
    if (next) {
        ::SetFocus(next);
    }
}

bool SetLinkCursor(HWND control) {
    if (!control || !LookOf(static_cast<ControlId>(::GetDlgCtrlID(control))).link) {
        return false;
    }
    ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
    return true;
}

} // namespace

HWND CreateStyledControl(HINSTANCE instance, HWND parent, const ControlSpec& spec,
                         const std::string& caption, GdiCache& gdi) {
    const auto [className, kindStyle] = kClassOfKind[static_cast<std::size_t>(spec.kind)];
    const ControlTraits traits = TraitsOf(spec);
    const DWORD style = kindStyle | StyleOf(traits);
    const DWORD exStyle =
        (traits.holdsControls ? WS_EX_CONTROLPARENT : 0) | (traits.sunken ? WS_EX_CLIENTEDGE : 0);
    const PixelRect place = ControlPlace(spec, gdi.Dpi());
    HWND control = ::CreateWindowExW(exStyle, Wide(className).c_str(), Wide(caption).c_str(), style,
                                     place.left, place.top, place.Width(), place.Height(), parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                     instance, nullptr);
    if (!control) {
        return nullptr;
    }
    const ControlLook look = LookOf(spec.id);
    ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(gdi.Font(look.font)), FALSE);
    if (traits.plainLook) {
        RemoveVisualStyle(control);
    }
    FitLabelToText(control, gdi);
    if (spec.kind == ControlKind::Button) {
        SetSubclass(control, PushButtonProc, kKeyboardSubclass, 0);
    } else if (spec.kind == ControlKind::LinkLabel) {
        SetSubclass(control, LinkLabelProc, kKeyboardSubclass, 0);
    }
    ExposeAccessibleTraits(control, AccessibleTraitsOf(spec.id));
    return control;
}

void FitLabelToText(HWND label, GdiCache& gdi) {
    const ControlLook look = LookOf(static_cast<ControlId>(::GetDlgCtrlID(label)));
    if (!look.autoSize) {
        return;
    }
    const std::wstring text = WideWindowText(label);
    RECT extent{0, 0, 0, 0};
    {
        const WindowDc dc(label);
        const SelectedObject font(dc.Get(), gdi.Font(look.font));
        ::DrawTextW(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent,
                    DT_CALCRECT | DT_SINGLELINE);
    }

    ::SetWindowPos(label, nullptr, 0, 0, extent.right, extent.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(label, nullptr, TRUE);
}

std::optional<LRESULT> HandleStyledControlMessage(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam, GdiCache& gdi) {
    switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
        return reinterpret_cast<LRESULT>(
            ColourControl(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), gdi));
    case WM_MEASUREITEM:
        MeasureListItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), gdi.Dpi());
        return TRUE;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType == ODT_COMBOBOX) {
            DrawListItem(item, gdi);
        } else {
            DrawCommandButton(item, gdi);
        }
        return TRUE;
    }
    case WM_NEXTDLGCTL:
        MoveFocus(window, wParam, lParam);
        return 0;
    case WM_SETCURSOR:
        return SetLinkCursor(reinterpret_cast<HWND>(wParam)) ? std::optional<LRESULT>(TRUE)
                                                             : std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace haloquill::win32
