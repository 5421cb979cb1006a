// The real Haloquill.exe under Wine on its way out or into the notification area: the Exit
// question, the date check of the apply command and the end of the Windows session.

#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

constexpr char kCaption[] = "Corvel Haloquill";
constexpr char kExitQuestion[] = "Are You Sure You Want To Quit Corvel Haloquill ?";
constexpr char kBadDate[] = "Please Enter Correct Date !";

// Waits for the first message box, then until the program has handled all it was given, so that
// a second one would be seen.
std::vector<ForeignMessageBox> WaitForMessageBoxes(const RunningProgram& program) {
    WaitUntil([&] { return !program.MessageBoxes().empty(); });
    EXPECT_TRUE(program.WaitUntilIdle());
    return program.MessageBoxes();
}

void ExpectStartUpChoicesNotSaved(ProgramDriver& driver) {
    const Values stored = driver.AllSettings();
    EXPECT_FALSE(stored.contains("AutorunStartUp"));
    EXPECT_FALSE(stored.contains("SystemTray"));
}

// --- The Exit button ------------------------------------------------------------------------

std::vector<ForeignMessageBox> ClickExit(const RunningProgram& program) {
    program.ClickButton(kCmdExit);
    return WaitForMessageBoxes(program);
}

void ExpectOneBox(const std::vector<ForeignMessageBox>& boxes, const char* text) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kCaption);
    EXPECT_EQ(boxes[0].text, text);
}

TEST(EndToEndBackground, ExitButtonAsksOnceAndYesEndsTheProgramSaving) {
    ProgramDriver driver("HqExitYes");
    auto program = StartShown(driver);
    ExpectStartUpChoicesNotSaved(driver);

    const auto boxes = ClickExit(*program);
    ASSERT_NO_FATAL_FAILURE(ExpectOneBox(boxes, kExitQuestion));
    // Asking changes nothing yet.
    ExpectStartUpChoicesNotSaved(driver);
    Answer(boxes[0], IDYES);
    ASSERT_TRUE(program->WaitForExit());
    ExpectStartUpChoicesSaved(driver);
}

TEST(EndToEndBackground, ExitButtonAnsweredNoHidesInTheTrayAndSaves) {
    ProgramDriver driver("HqExitNo");
    auto program = StartShown(driver);
    KeepReminderAway(driver);

    const auto boxes = ClickExit(*program);
    ASSERT_NO_FATAL_FAILURE(ExpectOneBox(boxes, kExitQuestion));
    Answer(boxes[0], IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !MainWindowVisible(*program); }));
    ASSERT_TRUE(WaitUntil([&] { return driver.AllSettings().contains("SystemTray"); }));
    ExpectStartUpChoicesSaved(driver);
    EXPECT_FALSE(program->WaitForExit(500ms));
    EXPECT_TRUE(program->MessageBoxes().empty());
    // It is in the notification area: the icon brings it back.
    NotifyFromIcon(*program, kIconDoubleClick);
    EXPECT_TRUE(WaitUntil([&] { return MainWindowShownNormal(*program); }));
}

// --- The date check of the apply command ----------------------------------------------------

TEST(EndToEndBackground, DayThatTheMonthLacksIsRefusedWithOneMessageAndNothingSaved) {
    ProgramDriver driver("HqBadDate");
    auto program = StartShown(driver);
    ASSERT_TRUE(WaitUntil([&] { return driver.AllSettings().contains("Card"); }));
    const Values before = driver.AllSettings();

    // {month position, day position}: 31 April, 30 February, 31 November. Each refusal costs
    // seconds under Wine, so the core tests check the other days.
    const std::pair<int, int> badDates[] = {{3, 30}, {1, 29}, {10, 30}};
    for (const auto& [month, day] : badDates) {
        SCOPED_TRACE("month " + std::to_string(month + 1) + " day " + std::to_string(day + 1));
        program->ChooseListPosition(kCboMonth, month);
        program->ChooseListPosition(kCboDate, day);
        ASSERT_EQ(program->ListSelection(kCboMonth), month);
        ASSERT_EQ(program->ListSelection(kCboDate), day);

        program->ClickButton(kCmdCalculateMoonPhase);
        const auto boxes = WaitForMessageBoxes(*program);
        ASSERT_NO_FATAL_FAILURE(ExpectOneBox(boxes, kBadDate));
        Answer(boxes[0], IDOK);
        ASSERT_TRUE(WaitUntil([&] { return program->MessageBoxes().empty(); }));
        EXPECT_TRUE(MainWindowShownNormal(*program));
        EXPECT_TRUE(program->IsVisible(kFraSettings));
        EXPECT_EQ(driver.AllSettings(), before);
    }
}

TEST(EndToEndBackground, ApplyWithTheDateListsAsStartedHidesAndSaves) {
    ProgramDriver driver("HqGoodDate");
    auto program = StartShown(driver);
    KeepReminderAway(driver);
    EXPECT_EQ(program->ListSelection(kCboMonth), 0);
    EXPECT_EQ(program->ListSelection(kCboDate), 0);
    ExpectStartUpChoicesNotSaved(driver);

    program->ClickButton(kCmdCalculateMoonPhase);
    ASSERT_TRUE(WaitUntil([&] { return !MainWindowVisible(*program); }));
    ASSERT_TRUE(WaitUntil([&] { return driver.AllSettings().contains("SystemTray"); }));
    ExpectStartUpChoicesSaved(driver);
    EXPECT_TRUE(program->MessageBoxes().empty());
    EXPECT_TRUE(program->IsRunning());
    // The angel page comes to the front for when the window comes back (the last step of the
    // command, after the slow hiding).
    EXPECT_TRUE(WaitUntil([&] {
        return IsShownInItsWindow(*program, kFraRune) &&
               !IsShownInItsWindow(*program, kFraSettings);
    }));
}

// --- The end of the Windows session ---------------------------------------------------------

void EndSession(const RunningProgram& program) {
    DWORD_PTR agreed = 0;
    ASSERT_NE(::SendMessageTimeoutA(program.MainWindow(), WM_QUERYENDSESSION, 0, 0,
                                    SMTO_ABORTIFHUNG, 5000, &agreed),
              0);
    EXPECT_NE(agreed, 0u);
    ::PostMessageA(program.MainWindow(), WM_ENDSESSION, TRUE, 0);
    // Ends by itself, and no message box ever comes up on the way.
    bool boxSeen = false;
    EXPECT_TRUE(WaitUntil([&] {
        boxSeen = boxSeen || !program.MessageBoxes().empty();
        return !program.IsRunning();
    }));
    EXPECT_FALSE(boxSeen);
}

TEST(EndToEndBackground, SessionEndEndsTheProgramWithoutAQuestionAndSaves) {
    {
        SCOPED_TRACE("window shown");
        ProgramDriver driver("HqSessionEnd");
        auto program = StartShown(driver);
        ExpectStartUpChoicesNotSaved(driver);
        ASSERT_NO_FATAL_FAILURE(EndSession(*program));
        ExpectStartUpChoicesSaved(driver);
    }
    {
        SCOPED_TRACE("in the notification area");
        ProgramDriver driver("HqSessionEndTray");
        auto program = StartShown(driver);
        KeepReminderAway(driver);
        CloseToTray(*program);
        ExpectStartUpChoicesNotSaved(driver);
        ASSERT_NO_FATAL_FAILURE(EndSession(*program));
        ExpectStartUpChoicesSaved(driver);
    }
}

} // namespace
} // namespace haloquill::testing
