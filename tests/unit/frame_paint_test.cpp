#include "design/frame_paint.h"

#include <gtest/gtest.h>

#include <vector>

namespace haloquill {
namespace {

// Each outline as its four edges, in the order they are drawn.
std::vector<std::vector<int>> Edges(const FramePaint& paint) {
    std::vector<std::vector<int>> edges;
    for (const PixelRect& rect : paint.outlines) {
        edges.push_back({rect.left, rect.top, rect.right, rect.bottom});
    }
    return edges;
}

TEST(FramePaint, APageDrawsTheRectanglesOnItAndNoOthers) {
    const auto layout = MainWindowLayout();
    struct Case {
        ControlId frame;
        int dpi;
        std::vector<std::vector<int>> edges;
    };
    const Case cases[] = {
        {kFraSettings, 96, {{76, 48, 559, 273}, {256, 56, 379, 188}}},
        {kFraRune, 96, {{76, 24, 559, 273}, {256, 32, 379, 177}}},
        {kFraRune, 192, {{152, 48, 1118, 546}, {512, 64, 758, 355}}},
        {kFrame4, 96, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Edges(FramePaintOf(c.frame, layout, c.dpi, false)), c.edges) << c.frame;
    }
}

TEST(FramePaint, CaptionAndOutlinesTakeTheFramesColoursInEitherContrast) {
    for (bool highContrast : {false, true}) {
        const FramePaint paint = FramePaintOf(kFraSettings, MainWindowLayout(), 96, highContrast);
        EXPECT_EQ(paint.colours, ColoursOf(kFraSettings, highContrast));
        EXPECT_EQ(paint.outline, OutlineColour(highContrast));
        EXPECT_EQ(paint.captionFont, LookOf(kFraSettings).font);
    }
    EXPECT_EQ(FramePaintOf(kFraSettings, MainWindowLayout(), 96, false).outline.rgb, kPaleYellow);
}

} // namespace
} // namespace haloquill
