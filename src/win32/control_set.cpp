#include "win32/control_set.h"

#include "design/control_places.h"
#include "web/web_pages.h"
#include "win32/common_controls.h"
#include "win32/styled_controls.h"

namespace haloquill::win32 {

bool ControlSet::Create(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout) {
    controls_.clear();
    specs_.clear();
    return Add(instance, window, layout);
}

bool ControlSet::Add(HINSTANCE instance, HWND window, std::span<const ControlSpec> layout) {
    // The version 6 classes the manifest asks for are registered before the first control.
    LoadCommonControls();
    const std::string siteBase(ConfiguredSiteBase());
    for (const ControlSpec& spec : layout) {
        const HWND parent = spec.container == kNoControl ? window : Control(spec.container);
        if (!parent || !::IsWindow(parent)) {
            ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return false;
        }
        // Rectangles are drawn by the frame that holds them, beneath its controls.
        specs_.push_back(spec);
        if (spec.kind == ControlKind::Rectangle) {
            continue;
        }
        HWND control =
            CreateStyledControl(instance, parent, spec, WithSiteName(spec.caption, siteBase), gdi_);
        if (!control) {
            return false;
        }
        controls_[spec.id] = control;
        if (spec.kind == ControlKind::Frame || spec.kind == ControlKind::PlainFrame) {
            SetFrameStyle(control, &frameStyle_);
        }
    }
    return true;
}

void ControlSet::ApplyDpi() {
    CloseLists();
    const int dpi = gdi_.Dpi();
    for (const ControlSpec& spec : specs_) {
        HWND control = Control(spec.id);
        if (!control || spec.kind == ControlKind::Rectangle) {
            continue;
        }
        // A box of text keeps the line it showed first, whatever the new font makes of its lines.
        const bool text = spec.kind == ControlKind::DescriptionBox;
        const auto firstLine = text ? ::SendMessageA(control, EM_GETFIRSTVISIBLELINE, 0, 0) : 0;
        const PixelRect place = ControlPlace(spec, dpi);
        ::SetWindowPos(control, nullptr, place.left, place.top, place.Width(), place.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        ::SendMessageA(control, WM_SETFONT,
                       reinterpret_cast<WPARAM>(gdi_.Font(LookOf(spec.id).font)), FALSE);
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
        if (text) {
            const auto nowFirst = ::SendMessageA(control, EM_GETFIRSTVISIBLELINE, 0, 0);
            ::SendMessageA(control, EM_LINESCROLL, 0, firstLine - nowFirst);
        }
        FitLabelToText(control, gdi_);
    }
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

HWND ControlSet::Control(ControlId id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

} // namespace haloquill::win32
