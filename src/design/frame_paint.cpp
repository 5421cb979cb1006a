#include "design/frame_paint.h"

namespace haloquill {

FramePaint FramePaintOf(ControlId frame, std::span<const ControlSpec> layout, int dpi,
                        bool highContrast) {
    FramePaint paint{
        ColoursOf(frame, highContrast), LookOf(frame).font, OutlineColour(highContrast), {}};
    for (const ControlSpec& spec : layout) {
        if (spec.kind == ControlKind::Rectangle && spec.container == frame) {
            paint.outlines.push_back(OutlineEdges(spec, dpi));
        }
    }
    return paint;
}

} // namespace haloquill
