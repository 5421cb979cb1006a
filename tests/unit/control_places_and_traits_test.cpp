#include "design/about_layout.h"
#include "design/control_places.h"
#include "design/control_traits.h"
#include "design/drawn_metrics.h"
#include "design/twips.h"

#include "fakes/every_control.h"

#include <gtest/gtest.h>

#include <vector>

namespace haloquill {
namespace {

using testing::EveryControl;

TEST(ControlPlaces, RectanglesThatMeetInTheDesignMeetOnTheScreenAtEveryDpi) {
    // Side by side and one above the other, at sizes that round differently.
    const ControlSpec left{kLabel8, ControlKind::Rectangle, kFraSettings, 107, 50, 1001, 333, ""};
    const ControlSpec right{kLabel8, ControlKind::Rectangle, kFraSettings, 1108, 50, 517, 333, ""};
    const ControlSpec below{kLabel8, ControlKind::Rectangle, kFraSettings, 107, 383, 1001, 77, ""};
    for (int dpi : {96, 120, 144, 168, 192}) {
        SCOPED_TRACE(dpi);
        EXPECT_EQ(OutlineEdges(left, dpi).right, OutlineEdges(right, dpi).left);
        EXPECT_EQ(OutlineEdges(left, dpi).bottom, OutlineEdges(below, dpi).top);
    }
}

TEST(ControlPlaces, ADropDownListHoldsItsOpenedListAndItsItemFillsTheClosedBox) {
    const ControlSpec* hour = FindControlSpec(kCboHour);
    ASSERT_NE(hour, nullptr);
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        const PixelRect place = ControlPlace(*hour, dpi);
        EXPECT_EQ(place.Width(), TwipsToPixels(hour->width, dpi));
        EXPECT_EQ(place.Height(),
                  TwipsToPixels(hour->height, dpi) + ScalePixels(kListRoomPixels, dpi));
        EXPECT_EQ(ListItemHeight(hour, dpi) + ScalePixels(kListFramePixels, dpi),
                  TwipsToPixels(hour->height, dpi));
    }
    // Half a design pixel rounds up, as the rest of the design does.
    EXPECT_EQ(ScalePixels(kButtonPressShiftPixels, 144), 2);
    EXPECT_EQ(ListItemHeight(nullptr, 96), ListItemHeight(hour, 96));
}

TEST(ControlTraits, WhatTheKeyboardAndAssistiveTechnologyReach) {
    for (const ControlSpec& spec : EveryControl()) {
        SCOPED_TRACE(spec.id);
        const ControlTraits traits = TraitsOf(spec);
        if (IsBelowClientArea(spec) || spec.hidden) {
            EXPECT_FALSE(traits.visible);
        }
        if (IsBelowClientArea(spec)) {
            EXPECT_FALSE(traits.tabStop); // the hidden helpers are never reached
            continue;
        }
        switch (spec.kind) {
        case ControlKind::LinkLabel:
            EXPECT_TRUE(traits.tabStop && traits.reportsClicks);
            break;
        case ControlKind::Button:
        case ControlKind::DropDownList:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::DescriptionBox:
            EXPECT_TRUE(traits.tabStop);
            break;
        case ControlKind::Label:
        case ControlKind::PictureBox:
        case ControlKind::IconBox:
            EXPECT_FALSE(traits.tabStop); // text and pictures are read, not typed into
            break;
        case ControlKind::Frame:
        case ControlKind::PlainFrame:
            EXPECT_TRUE(traits.holdsControls); // Tab goes on into the page
            EXPECT_FALSE(traits.tabStop);
            break;
        case ControlKind::Rectangle:
            break;
        }
        EXPECT_EQ(traits.startsGroup, spec.startsGroup);
    }
    EXPECT_TRUE(TraitsOf(*FindControlSpec(kLblCardName)).centred);
    EXPECT_FALSE(TraitsOf(*FindControlSpec(kLabel8)).centred);
    EXPECT_TRUE(TraitsOf(*FindControlSpec(kTxtCardDesc)).sunken);
    EXPECT_TRUE(TraitsOf(*FindControlSpec(kChkSysTray)).plainLook);
}

} // namespace
} // namespace haloquill
