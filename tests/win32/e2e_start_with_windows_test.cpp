// The real Haloquill.exe under Wine and its start with Windows: the Run entry it writes and
// removes, Windows' own mark on it, a copy under another name, and the fortnightly update
// question. The entry run as Windows runs it and a moved executable's entry are proved in
// e2e_names_outside_code_page_test.cpp, in folders with blanks that the code page cannot hold.

#include "driver/browser_stand_ins.h"
#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"
#include "web/web_pages.h"
#include "win32/unique_handle.h"

#include <gtest/gtest.h>

#include <fstream>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

constexpr char kCaption[] = "Corvel Haloquill";
constexpr char kUpdateQuestion[] =
    "There maybe an update to this software available\rDo you want to check for an update?";
// A folder with blanks in its name, as "Program Files" has.
constexpr char kFolderWithBlanks[] = "haloquill e2e dir";

std::string ValueOf(const Values& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? "<absent>" : found->second;
}

void StoreLaterStart(ProgramDriver& driver) {
    auto& settings = driver.Settings();
    settings.WriteSetting("Hour", "7");
    settings.WriteSetting("Minute", "0");
    settings.WriteSetting("Second", "0");
    settings.WriteSetting("Card", "8");
    settings.WriteSetting("Date", TodayIso(5));
}

// --- The Run entry --------------------------------------------------------------------------

TEST(EndToEndStartWithWindows, RunOptionWritesTheQuotedEntryAndDontRunRemovesIt) {
    ProgramDriver driver("HqRunOption", kFolderWithBlanks);
    RunEntryCleanup cleanup(driver.BaseName());
    ASSERT_NE(driver.Directory().find(' '), std::string::npos);
    auto program = StartShown(driver);
    ASSERT_TRUE(program->IsVisible(kFraSettings));
    EXPECT_FALSE(program->IsEnabled(kChkSysTray));

    program->ClickButton(kOptRun);
    ASSERT_TRUE(WaitUntil([&] { return ReadRunEntry(driver.BaseName()).has_value(); }));
    EXPECT_EQ(ReadRunEntry(driver.BaseName()), ExpectedRunEntry(driver));
    EXPECT_EQ(ReadRunEntry(driver.BaseName()), "\"" + driver.ExecutablePath() + "\" /STARTUP");
    EXPECT_TRUE(program->IsChecked(kOptRun));
    EXPECT_FALSE(program->IsChecked(kOptDontRun));
    EXPECT_TRUE(program->IsEnabled(kChkSysTray));

    // Ticked, so that "Don't run" has something to clear.
    program->ClickButton(kChkSysTray);
    ASSERT_TRUE(WaitUntil([&] { return driver.Settings().ReadSetting("RunAtSysTray") == "True"; }));
    EXPECT_TRUE(program->IsChecked(kChkSysTray));

    program->ClickButton(kOptDontRun);
    ASSERT_TRUE(WaitUntil([&] { return !ReadRunEntry(driver.BaseName()).has_value(); }));
    EXPECT_TRUE(WaitUntil([&] { return !program->IsEnabled(kChkSysTray); }));
    EXPECT_FALSE(program->IsChecked(kChkSysTray));
    EXPECT_TRUE(program->IsChecked(kOptDontRun));
    EXPECT_FALSE(program->IsChecked(kOptRun));
    EXPECT_EQ(driver.Settings().ReadSetting("RunAtSysTray"), "False");
    EXPECT_TRUE(program->MessageBoxes().empty());
}

// A start the user turned off in Task Manager counts as none: the page shows "Don't run", the
// next save stores it, and only the user's own "Run at start-up" takes Windows' mark away. An
// enabled mark changes nothing.
TEST(EndToEndStartWithWindows, AStartTurnedOffInWindowsShowsAsDontRunUntilTheUserChoosesRun) {
    ProgramDriver driver("HqStartupMark");
    RunEntryCleanup cleanup(driver.BaseName());
    const auto settingsPage = [&](std::uint8_t mark) {
        StoreLaterStart(driver);
        driver.Settings().WriteSetting("AutorunStartUp", "True");
        WriteRunEntry(driver.BaseName(), ExpectedRunEntry(driver));
        WriteStartupMark(driver.BaseName(), mark);
        auto program = StartShown(driver);
        EXPECT_TRUE(program->ShowSettingsPage());
        return program;
    };

    auto enabled = settingsPage(2);
    EXPECT_TRUE(enabled->IsChecked(kOptRun));
    EXPECT_TRUE(enabled->IsEnabled(kChkSysTray));
    ASSERT_TRUE(enabled->Close());
    EXPECT_EQ(driver.Settings().ReadSetting("AutorunStartUp"), "True");
    EXPECT_EQ(ReadStartupMark(driver.BaseName()).value_or(std::vector<std::uint8_t>{9})[0], 2);

    auto disabled = settingsPage(3);
    EXPECT_TRUE(disabled->IsChecked(kOptDontRun));
    EXPECT_FALSE(disabled->IsChecked(kOptRun));
    EXPECT_FALSE(disabled->IsEnabled(kChkSysTray));
    ASSERT_TRUE(disabled->Close());
    EXPECT_EQ(driver.Settings().ReadSetting("AutorunStartUp"), "False");
    EXPECT_TRUE(ReadStartupMark(driver.BaseName()).has_value()) << "the program's own choice";

    auto chosen = settingsPage(3);
    RemoveRunEntry(driver.BaseName()); // so that the click's write shows
    chosen->ClickButton(kOptRun);
    EXPECT_TRUE(WaitUntil([&] { return !ReadStartupMark(driver.BaseName()).has_value(); }));
    EXPECT_EQ(ReadRunEntry(driver.BaseName()), ExpectedRunEntry(driver));
    EXPECT_TRUE(chosen->IsEnabled(kChkSysTray));
    EXPECT_TRUE(chosen->MessageBoxes().empty());
}

// --- Another name ---------------------------------------------------------------------------

TEST(EndToEndStartWithWindows, CopyUnderAnotherNameStartsAfreshAndLeavesTheFirstNameAlone) {
    ProgramDriver first("HqNameOne");
    StoreLaterStart(first);
    first.Settings().WriteSetting("UpdateCheckDate", TodayIso(-3));
    auto firstProgram = StartShown(first);
    const Values firstValues = first.AllSettings();
    ASSERT_EQ(ValueOf(firstValues, "Card"), "8");

    // The same program under another name, beside the first one still running.
    ProgramDriver second("HqNameTwo");
    auto secondProgram = StartShown(second);
    EXPECT_TRUE(secondProgram->MessageBoxes().empty()); // not refused as a second copy
    const Values secondValues = second.AllSettings();
    EXPECT_EQ(secondValues.size(), 6u);
    EXPECT_EQ(ValueOf(secondValues, "Hour"), "7");
    EXPECT_EQ(ValueOf(secondValues, "Date"), TodayIso());
    EXPECT_EQ(ValueOf(secondValues, "UpdateCheckDate"), TodayIso());
    EXPECT_TRUE(secondProgram->IsVisible(kFraSettings));
    EXPECT_FALSE(secondProgram->IsVisible(kFraRune));
    ASSERT_TRUE(secondProgram->Close());

    EXPECT_EQ(first.AllSettings(), firstValues);
    EXPECT_TRUE(firstProgram->IsRunning());
    EXPECT_TRUE(firstProgram->IsVisible(kFraRune));
    ASSERT_TRUE(firstProgram->Close());
}

// --- The update question --------------------------------------------------------------------

// A later start whose last update check lies `days` away from today.
std::unique_ptr<RunningProgram> StartWithUpdateCheck(ProgramDriver& driver, long long days) {
    StoreLaterStart(driver);
    driver.Settings().WriteSetting("UpdateCheckDate", TodayIso(days));
    return driver.Start();
}

// The question shows during the start, before the window; it is answered and the start goes on.
void AnswerUpdateQuestion(RunningProgram& program, int answer) {
    ASSERT_TRUE(WaitUntil([&] { return !program.MessageBoxes().empty(); }));
    // Inside the box's own loop the program handles what it was sent and posted; a second box
    // would be up once it has.
    ASSERT_TRUE(program.WaitForMainWindow());
    ASSERT_TRUE(program.WaitUntilIdle());
    const auto boxes = program.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, kCaption);
    EXPECT_EQ(boxes[0].text, kUpdateQuestion);
    EXPECT_FALSE(MainWindowVisible(program));
    ::PostMessageA(boxes[0].window, WM_COMMAND, answer, 0);
    ASSERT_TRUE(program.WaitForMainWindow());
    EXPECT_TRUE(WaitUntil([&] { return MainWindowVisible(program); }));
    EXPECT_TRUE(program.MessageBoxes().empty());
}

std::string DownloadPage() {
    return PageAddress(ConfiguredSiteBase(), WebPage::Download);
}

// A check fifteen days ago asks the question; No stores today and opens no page. Which days ask
// is the core's decision (UpdateReminderTest); this is the real box and its answer.
TEST(EndToEndStartWithWindows, UpdateCheckAFortnightAwayAsksAndNoStoresTodayOnly) {
    RecordingBrowser browser;
    ProgramDriver driver("HqUpdateNo");
    auto program = StartWithUpdateCheck(driver, -15);
    ASSERT_NO_FATAL_FAILURE(AnswerUpdateQuestion(*program, IDNO));
    EXPECT_EQ(driver.Settings().ReadSetting("UpdateCheckDate"), TodayIso());
    ASSERT_TRUE(program->Close());
    EXPECT_EQ(driver.Settings().ReadSetting("UpdateCheckDate"), TodayIso());
    // The copy has ended, so every browser it started has been started.
    EXPECT_TRUE(browser.AddressesOnceRecordersEnd().empty());
}

// A check fifteen days ahead (a clock set back) asks too; Yes stores today and opens the
// download page once.
TEST(EndToEndStartWithWindows, UpdateCheckAFortnightAwayAsksAndYesOpensTheDownloadPage) {
    RecordingBrowser browser;
    ProgramDriver driver("HqUpdateYes");
    auto program = StartWithUpdateCheck(driver, 15);
    ASSERT_NO_FATAL_FAILURE(AnswerUpdateQuestion(*program, IDYES));
    EXPECT_EQ(driver.Settings().ReadSetting("UpdateCheckDate"), TodayIso());
    EXPECT_EQ(browser.WaitForAddresses(1, *program), std::vector<std::string>{DownloadPage()});
    ASSERT_TRUE(program->Close());
    EXPECT_EQ(driver.Settings().ReadSetting("UpdateCheckDate"), TodayIso());
}

} // namespace
} // namespace haloquill::testing
