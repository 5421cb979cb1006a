// The real Haloquill.exe under Wine in high-contrast mode: the window is drawn in the user's
// colour scheme, not the design's, and only while the mode is on.

#include "design/control_look.h"
#include "driver/colour_scheme.h"
#include "driver/program_driver.h"
#include "driver/screen_picture.h"
#include "driver/shown_start.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace haloquill::testing {
namespace {

// A scheme none of whose colours the design uses, so each pixel tells where it came from.
ColourScheme DistinctScheme() {
    return {{COLOR_WINDOW, RGB(16, 40, 24)},     {COLOR_WINDOWTEXT, RGB(250, 230, 20)},
            {COLOR_BTNFACE, RGB(90, 10, 70)},    {COLOR_BTNTEXT, RGB(200, 250, 210)},
            {COLOR_HIGHLIGHT, RGB(0, 130, 140)}, {COLOR_HIGHLIGHTTEXT, RGB(240, 240, 250)},
            {COLOR_HOTLIGHT, RGB(20, 250, 130)}};
}

std::uint32_t PixelOf(COLORREF colour) {
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) |
           (static_cast<std::uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
}

std::uint32_t PixelOf(const Rgb& rgb) {
    return PixelOf(RGB(rgb.red, rgb.green, rgb.blue));
}

// The colours a part of the screen shows, with how many pixels each covers.
class Colours {
  public:
    // The pixels of `window`, less those of the windows `left out`.
    Colours(const ScreenPicture& picture, HWND window, const std::vector<HWND>& leftOut = {}) {
        RECT area{};
        ::GetWindowRect(window, &area);
        std::vector<RECT> holes;
        for (HWND hole : leftOut) {
            RECT rect{};
            ::GetWindowRect(hole, &rect);
            holes.push_back(rect);
        }
        const RECT& shown = picture.Area();
        for (LONG y = std::max(area.top, shown.top); y < std::min(area.bottom, shown.bottom); ++y) {
            for (LONG x = std::max(area.left, shown.left); x < std::min(area.right, shown.right);
                 ++x) {
                const POINT at{x, y};
                bool inHole = false;
                for (const RECT& hole : holes) {
                    inHole = inHole || ::PtInRect(&hole, at);
                }
                if (!inHole) {
                    ++counts_[picture.At(x - shown.left, y - shown.top)];
                }
            }
        }
    }

    int Count(std::uint32_t pixel) const {
        const auto found = counts_.find(pixel);
        return found == counts_.end() ? 0 : found->second;
    }
    std::uint32_t Dominant() const {
        std::uint32_t best = 0;
        int most = -1;
        for (const auto& [pixel, count] : counts_) {
            if (count > most) {
                best = pixel;
                most = count;
            }
        }
        return best;
    }

  private:
    std::map<std::uint32_t, int> counts_;
};

// The colours that tell a drawing apart: the window background, a frame's background and the
// outlines on it, a button face, a link's background and its text.
struct ExpectedColours {
    std::uint32_t window = 0;
    std::uint32_t frame = 0;
    std::uint32_t outline = 0;
    std::uint32_t button = 0;
    std::uint32_t link = 0;
    std::uint32_t linkText = 0;
};

// What the screen shows of them: the colour most pixels of each part have, and how many pixels
// of the frame and of the link have the outline and the link text colour expected.
struct DrawnColours {
    std::uint32_t window = 0;
    std::uint32_t frame = 0;
    int outlinePixels = 0;
    std::uint32_t button = 0;
    std::uint32_t link = 0;
    int linkTextPixels = 0;
    int designPixels = 0; // anywhere in the window, of the colours the design would use
};

DrawnColours Drawn(const RunningProgram& program, const ExpectedColours& expected,
                   const std::vector<std::uint32_t>& foreign) {
    HWND main = program.MainWindow();
    RECT client{};
    ::GetClientRect(main, &client);
    ::MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const ScreenPicture picture = ScreenPicture::Capture(client);
    const Colours window(picture, main);
    const Colours frame(picture, program.Control(kFraRune));
    const Colours link(picture, program.Control(kLabel61));
    DrawnColours drawn{window.Dominant(),
                       frame.Dominant(),
                       frame.Count(expected.outline),
                       Colours(picture, program.Control(kCmdSettings)).Dominant(),
                       link.Dominant(),
                       link.Count(expected.linkText),
                       0};
    // The angel's picture may hold any colour.
    const Colours drawing(picture, main, {program.Control(kPicCard), program.Control(kPicCard2)});
    for (std::uint32_t pixel : foreign) {
        drawn.designPixels += drawing.Count(pixel);
    }
    return drawn;
}

// Waits until the window shows the colours expected of it (it draws once it has started), and
// gives what it shows then.
DrawnColours WaitForColours(RunningProgram& program, const ExpectedColours& expected,
                            const std::vector<std::uint32_t>& foreign = {}) {
    DrawnColours drawn;
    WaitUntil(
        [&] {
            program.WaitUntilIdle();
            drawn = Drawn(program, expected, foreign);
            return drawn.window == expected.window && drawn.frame == expected.frame &&
                   drawn.button == expected.button && drawn.link == expected.link &&
                   drawn.outlinePixels > 0 && drawn.linkTextPixels > 0;
        },
        10s);
    return drawn;
}

void ExpectColours(const DrawnColours& drawn, const ExpectedColours& expected) {
    EXPECT_EQ(drawn.window, expected.window) << "window background";
    EXPECT_EQ(drawn.frame, expected.frame) << "frame background";
    EXPECT_GT(drawn.outlinePixels, 0) << "no outline in the expected colour on the frame";
    EXPECT_EQ(drawn.button, expected.button) << "button face";
    EXPECT_EQ(drawn.link, expected.link) << "link background";
    EXPECT_GT(drawn.linkTextPixels, 0) << "no link text in the expected colour";
}

TEST(EndToEndAssistive, HighContrastDrawsTheWindowInTheSchemesColoursAndOnlyWithTheHookOn) {
    const ColourScheme scheme = DistinctScheme();
    const ColourSchemeOverride override(scheme);
    std::map<int, std::uint32_t> system;
    for (const auto& [index, colour] : scheme) {
        system[index] = PixelOf(colour);
    }
    ProgramDriver driver("HqHighContrast");
    StoreQuietLaterStart(driver);
    {
        const HighContrastHook highContrast;
        auto program = StartShown(driver);
        ASSERT_TRUE(::IsWindowVisible(program->Control(kLabel61)));
        const ExpectedColours expected{system[COLOR_WINDOW],     system[COLOR_WINDOW],
                                       system[COLOR_WINDOWTEXT], system[COLOR_BTNFACE],
                                       system[COLOR_WINDOW],     system[COLOR_HOTLIGHT]};
        const std::vector<std::uint32_t> design{PixelOf(kWindowBlue), PixelOf(kParchment),
                                                PixelOf(kPaleYellow), PixelOf(kPaleCyan)};
        const DrawnColours drawn = WaitForColours(*program, expected, design);
        ExpectColours(drawn, expected);
        EXPECT_EQ(drawn.designPixels, 0) << "the design's own colours are still drawn";
        ASSERT_TRUE(program->Close());
    }
    // Without the hook the same scheme leaves the design's colours.
    auto program = StartShown(driver);
    const ExpectedColours expected{PixelOf(kWindowBlue), PixelOf(kWindowBlue), PixelOf(kPaleYellow),
                                   PixelOf(kParchment),  PixelOf(kWindowBlue), PixelOf(kWhite)};
    ExpectColours(WaitForColours(*program, expected), expected);
    ASSERT_TRUE(program->Close());
}

} // namespace
} // namespace haloquill::testing
