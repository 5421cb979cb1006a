#include "design/drawn_faces.h"

#include <gtest/gtest.h>

namespace haloquill {
namespace {

TEST(DrawnFaces, AButtonShowsItsStateAndOnlyTheDefaultOneWearsTheDarkFrame) {
    const ButtonFace plain = ButtonFaceOf(kCmdSettings, {}, 96);
    EXPECT_EQ(plain.frameLines, 0);
    EXPECT_FALSE(plain.sunken);
    EXPECT_EQ(plain.captionShift, 0);
    EXPECT_TRUE(plain.accessKeys);
    EXPECT_LT(plain.focusInset, 0);
    EXPECT_GT(ButtonFaceOf(kAboutCmdOK, {}, 96).frameLines, 0);

    const ButtonFace pressed = ButtonFaceOf(kCmdSettings, {true, false, true, false, false}, 96);
    EXPECT_TRUE(pressed.sunken);
    EXPECT_GT(pressed.captionShift, 0);
    EXPECT_GE(pressed.focusInset, 0);
    // The keyboard cues may hide the focus rectangle and the underlines; a disabled caption greys.
    const ButtonFace hidden = ButtonFaceOf(kCmdSettings, {false, true, true, true, true}, 96);
    EXPECT_LT(hidden.focusInset, 0);
    EXPECT_FALSE(hidden.accessKeys);
    EXPECT_TRUE(hidden.greyCaption);
}

TEST(DrawnFaces, WhatIsDrawnGrowsWithTheDpi) {
    const ButtonState pressedFocused{true, false, true, false, false};
    const ButtonFace at96 = ButtonFaceOf(kAboutCmdOK, pressedFocused, 96);
    const ButtonFace at192 = ButtonFaceOf(kAboutCmdOK, pressedFocused, 192);
    EXPECT_EQ(at192.frameLines, 2 * at96.frameLines);
    EXPECT_EQ(at192.captionShift, 2 * at96.captionShift);
    EXPECT_EQ(at192.focusInset, 2 * at96.focusInset);
    EXPECT_EQ(ListItemFaceOf(false, false, false, 192).textIndent,
              2 * ListItemFaceOf(false, false, false, 96).textIndent);

    // A frame's caption keeps its place and its padding around the text at every size.
    const CaptionPlace small = FrameCaptionPlace(40, 13, 96);
    const CaptionPlace large = FrameCaptionPlace(80, 26, 192);
    EXPECT_EQ(large.textLeft, 2 * small.textLeft);
    EXPECT_EQ(large.textLeft - large.backgroundLeft, 2 * (small.textLeft - small.backgroundLeft));
    EXPECT_EQ(small.backgroundRight - (small.textLeft + 40), small.textLeft - small.backgroundLeft);
    EXPECT_EQ(small.borderTop, 6); // through the middle of the caption
}

TEST(DrawnFaces, AListItemHasAFocusRectangleOnlyInTheOpenedList) {
    EXPECT_TRUE(ListItemFaceOf(true, true, false, 96).focusRectangle);
    EXPECT_FALSE(ListItemFaceOf(true, true, true, 96).focusRectangle);
    EXPECT_FALSE(ListItemFaceOf(true, false, false, 96).focusRectangle);
    EXPECT_TRUE(ListItemFaceOf(true, false, false, 96).selectedColours);
}

TEST(DrawnFaces, AnOpenedTimeListWearsTheListsColoursAndTextOwnsItsBackgroundOnlyWhenItHasOne) {
    for (const bool highContrast : {false, true}) {
        SCOPED_TRACE(highContrast);
        EXPECT_EQ(PaintOf(kNoControl, true, highContrast).colours,
                  ColoursOf(kCboHour, highContrast));
    }
    EXPECT_TRUE(PaintOf(kLblCardName, false, true).opaque); // high contrast paints every text
    for (const ControlId id : {kLabel8, kLblCardName, kTxtCardDesc, kCboHour}) {
        EXPECT_EQ(PaintOf(id, false, false).opaque, LookOf(id).background.has_value()) << id;
    }
}

} // namespace
} // namespace haloquill
