#include "design/control_places.h"

#include "design/drawn_metrics.h"
#include "design/twips.h"

namespace haloquill {

namespace {

// The height of the design's drop-down lists, for a list the layout does not know.
constexpr int kDropDownHeightTwips = 315;

} // namespace

PixelRect ControlPlace(const ControlSpec& spec, int dpi) {
    const int left = TwipsToPixels(spec.left, dpi);
    const int top = TwipsToPixels(spec.top, dpi);
    int height = TwipsToPixels(spec.height, dpi);
    if (spec.kind == ControlKind::DropDownList) {
        height += ScalePixels(kListRoomPixels, dpi);
    }
    return {left, top, left + TwipsToPixels(spec.width, dpi), top + height};
}

PixelRect OutlineEdges(const ControlSpec& spec, int dpi) {
    return {TwipsToPixels(spec.left, dpi), TwipsToPixels(spec.top, dpi),
            TwipsToPixels(spec.left + spec.width, dpi), TwipsToPixels(spec.top + spec.height, dpi)};
}

int ListItemHeight(const ControlSpec* list, int dpi) {
    const int boxHeight = TwipsToPixels(list ? list->height : kDropDownHeightTwips, dpi);
    return boxHeight - ScalePixels(kListFramePixels, dpi);
}

int ListItemHeightForFrame(const ControlSpec& list, int dpi, int itemHeight, int boxHeight) {
    return itemHeight + TwipsToPixels(list.height, dpi) - boxHeight;
}

} // namespace haloquill
