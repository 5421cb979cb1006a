#pragma once
// What a frame paints: its background, its caption in its font and colour, and the outlines of
// the layout's rectangles that lie on it.

#include "design/control_look.h"
#include "design/control_places.h"

#include <span>
#include <vector>

namespace haloquill {

struct FramePaint {
    ControlColours colours; // the caption's text and the background
    FontSpec captionFont;
    Colour outline;
    std::vector<PixelRect> outlines; // in the frame's client coordinates
};

FramePaint FramePaintOf(ControlId frame, std::span<const ControlSpec> layout, int dpi,
                        bool highContrast);

} // namespace haloquill
