#include "win32/control_set.h"

#include "design/control_places.h"
#include "web/web_pages.h"
#include "win32/common_controls.h"
#include "win32/styled_controls.h"

namespace haloquill::win32 {

bool ControlSet::Create(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout,
                        GdiCache& gdi) {
    controls_.clear();
    frameStyles_.clear();
    specs_.clear();
    return Add(instance, window, layout, gdi);
}

bool ControlSet::Add(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout,
                     GdiCache& gdi) {
    // The version 6 classes the manifest asks for are registered before the first control.
    LoadCommonControls();
    const std::string siteBase(ConfiguredSiteBase());
    for (const ControlSpec& spec : layout) {
        const HWND parent = spec.container == kNoControl ? window : Control(spec.container);
        if (!parent || !::IsWindow(parent)) {
            ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return false;
        }
        if (spec.kind == ControlKind::Rectangle) {
            // Rectangles are drawn by the frame that holds them, beneath its controls.
            frameStyles_[spec.container];
            specs_.push_back(spec);
            continue;
        }
        HWND control =
            CreateStyledControl(instance, parent, spec, WithSiteName(spec.caption, siteBase), gdi);
        if (!control) {
            return false;
        }
        controls_[spec.id] = control;
        specs_.push_back(spec);
        if (spec.kind == ControlKind::Frame || spec.kind == ControlKind::PlainFrame) {
            frameStyles_[spec.id];
        }
    }
    ColourFrames(gdi);
    StyleFrames(gdi);
    return true;
}

void ControlSet::StyleFrames(GdiCache& gdi) {
    const int dpi = gdi.Dpi();
    for (auto& [id, style] : frameStyles_) {
        style.rectangles.clear();
    }
    for (const ControlSpec& spec : specs_) {
        if (spec.kind == ControlKind::Rectangle) {
            const PixelRect edges = OutlineEdges(spec, dpi);
            frameStyles_[spec.container].rectangles.push_back(
                RECT{edges.left, edges.top, edges.right, edges.bottom});
        } else if (spec.kind == ControlKind::Frame || spec.kind == ControlKind::PlainFrame) {
            frameStyles_[spec.id].captionFont = gdi.Font(LookOf(spec.id).font);
        }
    }
    // Styles are complete only now: rectangles come after the frame that holds them.
    for (auto& [id, style] : frameStyles_) {
        style.dpi = dpi;
        SetFrameStyle(Control(id), &style);
    }
}

void ControlSet::ApplyDpi(GdiCache& gdi) {
    const int dpi = gdi.Dpi();
    for (const ControlSpec& spec : specs_) {
        HWND control = Control(spec.id);
        if (!control || spec.kind == ControlKind::Rectangle) {
            continue;
        }
        const PixelRect place = ControlPlace(spec, dpi);
        ::SetWindowPos(control, nullptr, place.left, place.top, place.Width(), place.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        ::SendMessageA(control, WM_SETFONT,
                       reinterpret_cast<WPARAM>(gdi.Font(LookOf(spec.id).font)), FALSE);
        if (spec.kind == ControlKind::DropDownList) {
            // The closed box (-1) and the items of the open list.
            const int height = ListItemHeight(&spec, dpi);
            ::SendMessageA(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
            ::SendMessageA(control, CB_SETITEMHEIGHT, 0, height);
            // The frame the system draws around the item may not have grown with the DPI.
            RECT box;
            ::GetWindowRect(control, &box);
            const int fitted = ListItemHeightForFrame(spec, dpi, height, box.bottom - box.top);
            if (fitted != height) {
                ::SendMessageA(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fitted);
            }
        }
        if (LookOf(spec.id).autoSize) {
            FitLabelToText(control, gdi);
        }
    }
    ColourFrames(gdi);
    StyleFrames(gdi);
}

void ControlSet::CloseLists() {
    for (const ControlSpec& spec : specs_) {
        HWND control = Control(spec.id);
        if (control && spec.kind == ControlKind::DropDownList &&
            ::SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0)) {
            ::SendMessageA(control, CB_SHOWDROPDOWN, FALSE, 0);
        }
    }
}

void ControlSet::ColourFrames(GdiCache& gdi) {
    const bool highContrast = gdi.HighContrast();
    for (auto& [id, style] : frameStyles_) {
        const ControlColours colours = ColoursOf(id, highContrast);
        style.captionColour = ToColorRef(colours.text);
        style.background = gdi.Brush(colours.background);
        style.outlineColour = ToColorRef(OutlineColour(highContrast));
    }
}

void ControlSet::FollowColourChange(HWND window, UINT message, WPARAM wParam, GdiCache& gdi) {
    if (message != WM_SYSCOLORCHANGE &&
        !(message == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST)) {
        return;
    }
    gdi.SetHighContrast(SystemHighContrast());
    ColourFrames(gdi);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

HWND ControlSet::Control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

} // namespace haloquill::win32
