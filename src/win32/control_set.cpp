#include "win32/control_set.h"

#include "design/control_places.h"
#include "web/web_pages.h"
#include "win32/common_controls.h"
#include "win32/styled_controls.h"

namespace haloquill::win32 {

void ControlSet::Create(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout,
                        GdiCache& gdi) {
    controls_.clear();
    frameStyles_.clear();
    Add(instance, window, layout, gdi);
}

void ControlSet::Add(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout,
                     GdiCache& gdi) { // The version 6 classes the manifest asks for are registered
                                      // before the first control.
    LoadCommonControls();
    const std::string siteBase(ConfiguredSiteBase());
    const int dpi = gdi.Dpi();
    for (const ControlSpec& spec : layout) {
        const HWND parent = spec.container == kNoControl ? window : Control(spec.container);
        if (!parent) {
            continue;
        }
        if (spec.kind == ControlKind::Rectangle) {
            // Rectangles are drawn by the frame that holds them, beneath its controls.
            const PixelRect edges = OutlineEdges(spec, dpi);
            frameStyles_[spec.container].rectangles.push_back(
                RECT{edges.left, edges.top, edges.right, edges.bottom});
            continue;
        }
        HWND control =
            CreateStyledControl(instance, parent, spec, WithSiteName(spec.caption, siteBase), gdi);
        if (!control) {
            continue;
        }
        controls_[spec.id] = control;
        if (spec.kind == ControlKind::Frame || spec.kind == ControlKind::PlainFrame) {
            frameStyles_[spec.id].captionFont = gdi.Font(LookOf(spec.id).font);
        }
    }
    ColourFrames(gdi);
    // Styles are complete only now: rectangles come after the frame that holds them.
    for (auto& [id, style] : frameStyles_) {
        style.dpi = dpi;
        SetFrameStyle(Control(id), &style);
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
