// The real Haloquill.exe under Wine, used from the keyboard alone: no control keeps the focus,
// Esc destroys nothing, every link and button is reached with Tab and works with Enter or Space,
// the focus comes back where it was, and every time list is named after its own label.

#include "driver/browser_stand_ins.h"
#include "driver/program_driver.h"

#include <gtest/gtest.h>

namespace haloquill::testing {
namespace {

void StoreQuietLaterStart(ProgramDriver& driver) {
    KeepReminderAway(driver);
    auto& settings = driver.Settings();
    settings.WriteSetting("Card", "2");
    settings.WriteSetting("Date", TodayIso(4));
    settings.WriteSetting("UpdateCheckDate", TodayIso(-1));
}

std::unique_ptr<RunningProgram> StartShown(ProgramDriver& driver) {
    auto program = driver.Start();
    if (!program->WaitForMainWindow() ||
        !WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()) != FALSE; })) {
        ADD_FAILURE() << "the main window did not show";
    }
    return program;
}

bool FocusMovesTo(const RunningProgram& program, HWND control) {
    return WaitUntil([&] { return program.FocusedControl() == control; }, 5s);
}

// Presses Tab (Shift+Tab when `back`) and returns the control that has the focus once it has
// moved, or the one that kept it.
HWND PressTab(const RunningProgram& program, bool back = false) {
    HWND before = program.FocusedControl();
    if (!program.PressKey(VK_TAB, back)) {
        return nullptr;
    }
    WaitUntil([&] { return program.FocusedControl() != before; }, 3s);
    return program.FocusedControl();
}

// Tabs forward until `control` has the focus; false when a whole round does not reach it.
bool TabTo(const RunningProgram& program, HWND control, int limit = 20) {
    for (int press = 0; press < limit && program.FocusedControl() != control; ++press) {
        PressTab(program);
    }
    return program.FocusedControl() == control;
}

TEST(EndToEndKeyboard, TabLeavesTheDescriptionBoxAndEscDestroysNothing) {
    ProgramDriver driver("HqDescriptionKeys");
    StoreQuietLaterStart(driver);
    auto program = StartShown(driver);
    HWND description = program->Control(kTxtCardDesc);
    HWND settings = program->Control(kCmdSettings);
    const int controls = program->ControlCount();

    ASSERT_TRUE(TabTo(*program, description));
    ASSERT_TRUE(program->PressKey(VK_ESCAPE));
    EXPECT_EQ(PressTab(*program), settings) << "Tab did not leave the description box";
    EXPECT_EQ(program->ControlCount(), controls) << "Esc destroyed controls";
    EXPECT_TRUE(::IsWindowVisible(description));
    EXPECT_TRUE(::IsWindowVisible(program->Control(kPicCard)));
    EXPECT_FALSE(program->Text(kLblCardName).empty());

    EXPECT_EQ(PressTab(*program, true), description);
    HWND before = PressTab(*program, true);
    EXPECT_TRUE(before && before != description) << "Shift+Tab did not leave the description box";

    // A close message to any frame leaves it in place.
    for (ControlId frame : {kFraRune, kFraSettings, kFrame4, kFrame3, kFraFullBrand}) {
        ::SendMessageA(program->Control(frame), WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(program->ControlCount(), controls) << "a close message destroyed a frame";
    ASSERT_TRUE(program->Close());
}

} // namespace
} // namespace haloquill::testing
