#pragma once
// A container control for a page or a group of controls: paints its background, its caption,
// its border and the rectangles drawn on it, and passes its children's notifications on to the
// window that holds it.

#include "design/main_window_layout.h"
#include "win32/gdi_cache.h"

#include <windows.h>

#include <vector>

namespace haloquill::win32 {

inline constexpr char kFrameWindowClass[] = "HaloquillFrame";

// What frames paint with: their window's fonts and brushes, at its DPI and contrast, and the
// design they belong to, whose rectangles they draw.
struct FrameStyle {
    GdiCache* gdi = nullptr;
    const std::vector<ControlSpec>* layout = nullptr;
};

// Registers the class once per process; true when it is available.
bool RegisterFrameWindowClass(HINSTANCE instance);

// Gives a frame its look; the style must outlive the frame.
void SetFrameStyle(HWND frame, const FrameStyle* style);

} // namespace haloquill::win32
