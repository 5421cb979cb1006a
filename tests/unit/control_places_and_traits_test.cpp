#include "design/about_layout.h"
#include "design/control_places.h"
#include "design/control_traits.h"
#include "design/dpi_scaling.h"
#include "design/drawn_metrics.h"
#include "design/twips.h"

#include "fakes/every_control.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>
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
    // A platform whose frame did not grow with the DPI (6 pixels at 144) gets taller items.
    const int item = ListItemHeight(hour, 144);
    EXPECT_EQ(ListItemHeightForFrame(*hour, 144, item, item + 6), item + 3);
    EXPECT_EQ(ListItemHeightForFrame(*hour, 144, item, item + 9), item);
}

TEST(DpiScaling, ClientAreasFollowTheDpiAndComeBackExactly) {
    struct Case {
        int dpi;
        PixelSize main, about;
    };
    const Case cases[] = {{96, {635, 441}, {407, 252}},
                          {120, {794, 551}, {509, 315}},
                          {144, {953, 662}, {611, 378}},
                          {192, {1270, 882}, {814, 504}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        EXPECT_EQ(MainWindowClientSize(c.dpi), c.main);
        EXPECT_EQ(AboutWindowClientSize(c.dpi), c.about);
    }
    // The window keeps the suggested corner; its size makes up what the client area lacks.
    const PixelRect fitted = FittedWindowRect({10, 20, 110, 220}, {80, 150}, {90, 160});
    EXPECT_EQ((std::vector{fitted.left, fitted.top, fitted.right, fitted.bottom}),
              (std::vector{10, 20, 120, 230}));
}

TEST(DpiScaling, TheMessagesDpiIsTakenOnlyWhenAMonitorCouldHaveIt) {
    const std::pair<std::uintptr_t, std::optional<int>> cases[] = {
        {(144u << 16) | 144u, 144}, {(96u << 16) | 96u, 96},   {480u << 16, 480},
        {0, std::nullopt},          {47u << 16, std::nullopt}, {0xFFFFu << 16, std::nullopt}};
    for (const auto& [wParam, dpi] : cases) {
        EXPECT_EQ(DpiOfChange(wParam), dpi) << wParam;
    }
}

TEST(DpiScaling, PicturesComeFromTheNearestDrawnSetAtTheDesignsSize) {
    const std::pair<int, int> nearest[] = {{72, 96},   {96, 96},   {110, 96},  {120, 144},
                                           {144, 144}, {167, 144}, {168, 192}, {288, 192}};
    for (const auto& [dpi, drawn] : nearest) {
        const PictureSetChoice set = PictureSetFor(dpi);
        EXPECT_EQ(set.drawnDpi, drawn) << dpi;
        EXPECT_EQ(set.resourceBase, drawn / 48 * 100 - 100) << dpi;
    }
    // Picture 10 is 73 by 113 at 96 DPI; each set is drawn at the design's size for its DPI.
    for (const PictureSetChoice& set : kPictureSets) {
        const PixelSize drawn{ScalePixels(73, set.drawnDpi), ScalePixels(113, set.drawnDpi)};
        for (int dpi : {96, 120, 144, 192}) {
            const PixelSize shown = PictureSizeAt(drawn, set.drawnDpi, dpi);
            EXPECT_NEAR(shown.width, ScalePixels(73, dpi), 1) << set.drawnDpi << " at " << dpi;
            EXPECT_NEAR(shown.height, ScalePixels(113, dpi), 1) << set.drawnDpi << " at " << dpi;
        }
        EXPECT_EQ(PictureSizeAt(drawn, set.drawnDpi, set.drawnDpi), drawn);
    }
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
