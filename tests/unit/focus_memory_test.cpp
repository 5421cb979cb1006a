#include "app/focus_memory.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace haloquill {
namespace {

// The controls of one page as shown: the other page's controls are hidden.
struct Shown {
    explicit Shown(ControlId front = kFraRune, std::set<ControlId> off = {})
        : page(front), disabled(std::move(off)) {}

    ControlId page;
    std::set<ControlId> disabled;

    bool operator()(ControlId id) const {
        const ControlId hiddenPage = page == kFraRune ? kFraSettings : kFraRune;
        return !IsWithin(id, hiddenPage) && disabled.count(id) == 0;
    }
};

TEST(FocusMemory, ControlsAreWithinTheirFramesAtEveryDepth) {
    EXPECT_TRUE(IsWithin(kCboHour, kFrame4));
    EXPECT_TRUE(IsWithin(kCboHour, kFraSettings)); // the time lists' frame is on the page
    EXPECT_TRUE(IsWithin(kFraSettings, kFraSettings));
    EXPECT_FALSE(IsWithin(kCboHour, kFraRune));
    EXPECT_FALSE(IsWithin(kCmdExit, kFraSettings)); // on the window itself
}

TEST(FocusMemory, EachPageStartsAtItsFirstTabStopInKeyboardOrder) {
    EXPECT_EQ(FirstTabStopIn(kFraRune, Shown{kFraRune}), kTxtCardDesc);
    EXPECT_EQ(FirstTabStopIn(kFraSettings, Shown{kFraSettings}), kCboHour);
    // A control that is itself a Tab stop is its own first one.
    EXPECT_EQ(FirstTabStopIn(kLblCobrand, Shown{}), kLblCobrand);
    // Frames and labels are never Tab stops; a disabled control is passed over.
    EXPECT_EQ(FirstTabStopIn(kFraSettings, Shown{kFraSettings, {kCboHour}}), kCboMinute);
    EXPECT_EQ(FirstTabStopIn(kFraSettings, Shown{kFraRune}), kNoControl);
}

TEST(FocusMemory, TheControlThatHadTheFocusGetsItBackWhileItCanTakeIt) {
    FocusMemory memory;
    // Nothing remembered yet: the first Tab stop of the page in front.
    EXPECT_EQ(memory.ToFocus(kFraRune, Shown{kFraRune}), kTxtCardDesc);
    memory.Remember(kCmdSettings);
    memory.Remember(kNoControl); // the window was left with the focus elsewhere
    EXPECT_EQ(memory.ToFocus(kFraRune, Shown{kFraRune}), kCmdSettings);
    // Its page went behind, or it was disabled: the page in front starts again.
    EXPECT_EQ(memory.ToFocus(kFraSettings, Shown{kFraSettings}), kCboHour);
    EXPECT_EQ(memory.ToFocus(kFraRune, Shown{kFraRune, {kCmdSettings}}), kTxtCardDesc);
    // A page with nothing to take the focus: the window's first Tab stop that can.
    Shown nothingOnThePage{kFraRune, {kTxtCardDesc, kCmdSettings}};
    EXPECT_EQ(memory.ToFocus(kFraRune, nothingOnThePage), kLabel61);
}

TEST(FocusMemory, TheFocusFollowsAPageOnlyWhenItWasOnThePageGoingBehind) {
    const Shown settings{kFraSettings};
    EXPECT_EQ(FocusMemory::OnPageSwap(kCmdSettings, kFraSettings, kFraRune, settings), kCboHour);
    EXPECT_EQ(FocusMemory::OnPageSwap(kFraRune, kFraSettings, kFraRune, settings), kCboHour);
    EXPECT_EQ(FocusMemory::OnPageSwap(kCmdExit, kFraSettings, kFraRune, settings), kNoControl);
    EXPECT_EQ(FocusMemory::OnPageSwap(kNoControl, kFraSettings, kFraRune, settings), kNoControl);
    EXPECT_EQ(FocusMemory::OnPageSwap(kLblFullBrand, kLblCobrand, kLblFullBrand, Shown{}),
              kLblCobrand);
}

} // namespace
} // namespace haloquill
