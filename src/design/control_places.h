#pragma once
// Where the controls and rectangles of a design go at a given DPI, in pixels.

#include "design/main_window_layout.h"

namespace haloquill {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// A control's window: its corner and its size, each rounded on its own as windows are placed.
// A drop-down list's window also holds the room of its opened list.
PixelRect ControlPlace(const ControlSpec& spec, int dpi);

// A drawn rectangle's edges, each rounded on its own, so that outlines which meet in the design
// meet on the screen.
PixelRect OutlineEdges(const ControlSpec& spec, int dpi);

// The height of a drop-down list's item, so that the closed box has the design's height.
int ListItemHeight(const ControlSpec* list, int dpi);

// The item height that gives a closed box the design's height, from the box's height with items
// of `itemHeight`: the frame a platform draws around the item is not always the design's.
int ListItemHeightForFrame(const ControlSpec& list, int dpi, int itemHeight, int boxHeight);

} // namespace haloquill
