#pragma once
// A container control for a page or a group of controls: paints its background, its caption,
// its border and the rectangles drawn on it, and passes its children's notifications on to the
// window that holds it.

#include <windows.h>

#include <vector>

namespace haloquill::win32 {

inline constexpr char kFrameWindowClass[] = "HaloquillFrame";

struct FrameStyle {
    HFONT captionFont = nullptr;
    COLORREF captionColour = 0;
    HBRUSH background = nullptr;
    COLORREF outlineColour = 0;
    std::vector<RECT> rectangles; // outlines drawn in client coordinates
    int dpi = 96;                 // the DPI the caption and outlines are drawn at
};

// Registers the class once per process; true when it is available.
bool RegisterFrameWindowClass(HINSTANCE instance);

// Gives a frame its look; the style must outlive the frame.
void SetFrameStyle(HWND frame, const FrameStyle* style);

} // namespace haloquill::win32
