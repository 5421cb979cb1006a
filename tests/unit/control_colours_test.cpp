// The colours the controls are drawn with: the design's own normally, only system colours while
// the system's high-contrast mode is on.

#include "design/about_layout.h"
#include "design/control_look.h"
#include "design/main_window_layout.h"

#include <gtest/gtest.h>

namespace haloquill {
namespace {

std::vector<ControlId> EveryControl() {
    std::vector<ControlId> ids;
    for (const ControlSpec& spec : MainWindowLayout()) {
        ids.push_back(spec.id);
    }
    for (const ControlSpec& spec : AboutWindowLayout()) {
        ids.push_back(spec.id);
    }
    return ids;
}

TEST(ControlColours, HighContrastDrawsEveryControlWithSystemColoursOnly) {
    for (ControlId id : EveryControl()) {
        SCOPED_TRACE(id);
        const ControlColours colours = ColoursOf(id, true);
        for (const Colour& colour :
             {colours.text, colours.background, colours.selectedText, colours.selectedBackground}) {
            EXPECT_TRUE(colour.system.has_value());
        }
        EXPECT_NE(colours.text, colours.background);
        EXPECT_EQ(colours.selectedText.system, SystemColour::HighlightText);
        EXPECT_EQ(colours.selectedBackground.system, SystemColour::Highlight);
    }
    EXPECT_EQ(WindowBackground(true).system, SystemColour::Window);
    EXPECT_EQ(OutlineColour(true).system, SystemColour::WindowText);

    // Links in the hot-light colour, buttons in the button colours, the rest in the window's.
    for (ControlId link : {kLabel61, kLblCobrand, kLblFullBrand, kAboutLblHomePage, kAboutLabel5}) {
        EXPECT_EQ(ColoursOf(link, true).text.system, SystemColour::HotLight);
        EXPECT_EQ(ColoursOf(link, true).background.system, SystemColour::Window);
    }
    for (ControlId button : {kCmdExit, kCmdSettings, kCmdCalculateMoonPhase, kAboutCmdOK}) {
        EXPECT_EQ(ColoursOf(button, true).text.system, SystemColour::ButtonText);
        EXPECT_EQ(ColoursOf(button, true).background.system, SystemColour::ButtonFace);
    }
    for (ControlId plain : {kTxtCardDesc, kCboHour, kLblCardName, kFraRune, kOptRun}) {
        EXPECT_EQ(ColoursOf(plain, true).text.system, SystemColour::WindowText);
        EXPECT_EQ(ColoursOf(plain, true).background.system, SystemColour::Window);
    }
}

TEST(ControlColours, NormalModeKeepsTheDesignsColours) {
    for (ControlId id : EveryControl()) {
        SCOPED_TRACE(id);
        const ControlColours colours = ColoursOf(id, false);
        const ControlLook look = LookOf(id);
        EXPECT_EQ(colours.text, (Colour{look.text, std::nullopt}));
        EXPECT_EQ(colours.background,
                  (Colour{look.background.value_or(kWindowBlue), std::nullopt}));
        // A selected list item swaps the two.
        EXPECT_EQ(colours.selectedText, colours.background);
        EXPECT_EQ(colours.selectedBackground, colours.text);
    }
    EXPECT_EQ(ColoursOf(kLblCobrand, false).text.rgb, (Rgb{0, 0, 255}));
    EXPECT_EQ(WindowBackground(false), (Colour{kWindowBlue, std::nullopt}));
    EXPECT_EQ(OutlineColour(false), (Colour{kPaleYellow, std::nullopt}));
}

} // namespace
} // namespace haloquill
