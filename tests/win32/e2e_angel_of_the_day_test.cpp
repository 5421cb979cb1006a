// The real Haloquill.exe under Wine: first start and later starts. Hand-edited stored values are
// proved at a real start in reliability_test.cpp (HostileValues).

#include "angels/angel_catalogue.h"
#include "base/text_values.h"
#include "driver/program_driver.h"

#include <gtest/gtest.h>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

// The name label and description box show the angel stored under "Card".
void ExpectShowsStoredAngel(const RunningProgram& program, ProgramDriver& driver) {
    const auto index = ParseWholeNumber(driver.Settings().ReadSetting("Card"));
    ASSERT_TRUE(index.has_value());
    ASSERT_GE(*index, 1);
    ASSERT_LE(*index, 14);
    const auto card = LookUpAngel(*index);
    EXPECT_EQ(program.Text(kLblCardName), card->Name);
    EXPECT_EQ(program.Text(kTxtCardDesc), card->Description);
}

TEST(EndToEnd, VeryFirstStartWritesTheDefaultsAndShowsTheSettingsPage) {
    ProgramDriver driver("HqFirstStart");
    auto program = driver.Start();
    ASSERT_TRUE(program->WaitForMainWindow());
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()) != FALSE; }));

    EXPECT_EQ(program->WindowText(program->MainWindow()), "Corvel Haloquill v1.15");
    const Values stored = driver.AllSettings();
    EXPECT_EQ(stored.size(), 6u);
    EXPECT_EQ(stored.at("UpdateCheckDate"), TodayIso());
    EXPECT_EQ(stored.at("Hour"), "7");
    EXPECT_EQ(stored.at("Minute"), "0");
    EXPECT_EQ(stored.at("Second"), "0");
    EXPECT_EQ(stored.at("Date"), TodayIso());
    ExpectShowsStoredAngel(*program, driver);

    EXPECT_EQ(program->Text(kCboHour), "7");
    EXPECT_EQ(program->Text(kCboMinute), "0");
    EXPECT_EQ(program->Text(kCboSecond), "0");
    EXPECT_EQ(program->Text(kCboDate), "1");
    EXPECT_EQ(program->Text(kCboMonth), "January");
    EXPECT_EQ(program->Text(kCboYear), "1901");
    EXPECT_EQ(program->ListCount(kCboYear), 150);
    EXPECT_TRUE(program->IsVisible(kFraSettings));
    EXPECT_FALSE(program->IsVisible(kFraRune));
    EXPECT_FALSE(program->IsVisible(kCboDate) && program->IsVisible(kFrame6));
    EXPECT_TRUE(program->IsChecked(kOptDontRun));
    EXPECT_FALSE(program->IsChecked(kOptRun));
    EXPECT_FALSE(program->IsEnabled(kChkSysTray));
}

TEST(EndToEnd, SecondStartOnTheFirstDayDrawsAgainAndTheThirdKeepsTheAngel) {
    ProgramDriver driver("HqSecondStart");
    {
        auto first = driver.Start();
        ASSERT_TRUE(first->WaitForMainWindow());
        ASSERT_TRUE(first->Close());
    }
    std::string secondName;
    {
        auto second = driver.Start();
        ASSERT_TRUE(second->WaitForMainWindow());
        EXPECT_EQ(driver.Settings().ReadSetting("Date"), TodayIso(1));
        EXPECT_TRUE(second->IsVisible(kFraRune));
        EXPECT_FALSE(second->IsVisible(kFraSettings));
        ExpectShowsStoredAngel(*second, driver);
        secondName = second->Text(kLblCardName);
        ASSERT_TRUE(second->Close());
    }
    const std::string card = driver.Settings().ReadSetting("Card");
    auto third = driver.Start();
    ASSERT_TRUE(third->WaitForMainWindow());
    EXPECT_EQ(third->Text(kLblCardName), secondName);
    EXPECT_EQ(driver.Settings().ReadSetting("Card"), card);
    EXPECT_EQ(driver.Settings().ReadSetting("Date"), TodayIso(1));
}

void StoreLaterStart(ProgramDriver& driver, const std::string& card, const std::string& date) {
    auto& settings = driver.Settings();
    settings.WriteSetting("Hour", "7");
    settings.WriteSetting("Minute", "0");
    settings.WriteSetting("Second", "0");
    settings.WriteSetting("Card", card);
    settings.WriteSetting("Date", date);
}

TEST(EndToEnd, StoredAngelIsShownWhileTheNextDrawLiesAhead) {
    ProgramDriver driver("HqStoredAngel");
    const std::string future = TodayIso(3);
    StoreLaterStart(driver, "3", future);
    auto program = driver.Start();
    ASSERT_TRUE(program->WaitForMainWindow());
    EXPECT_EQ(program->Text(kLblCardName), "St. Asmodel");
    EXPECT_EQ(program->Text(kTxtCardDesc), LookUpAngel(3)->Description);
    EXPECT_EQ(driver.Settings().ReadSetting("Card"), "3");
    EXPECT_EQ(driver.Settings().ReadSetting("Date"), future);
    ASSERT_TRUE(program->ShowSettingsPage());
    EXPECT_EQ(program->Text(kCboHour), "7");
}

TEST(EndToEnd, SecondCopyIsRefusedWithOneMessageAndTouchesNothing) {
    ProgramDriver driver("HqSingleCopy");
    auto first = driver.Start();
    ASSERT_TRUE(first->WaitForMainWindow());
    ASSERT_TRUE(WaitUntil([&] { return !driver.AllSettings().empty(); }));
    const Values before = driver.AllSettings();
    const std::string shownName = first->Text(kLblCardName);

    auto second = driver.Start();
    ASSERT_TRUE(WaitUntil([&] { return !second->MessageBoxes().empty(); }));
    const auto boxes = second->MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Corvel Haloquill");
    EXPECT_EQ(boxes[0].text, "Application is already running");
    EXPECT_EQ(second->WaitForMainWindow(500ms), nullptr);

    ::PostMessageA(boxes[0].window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(second->WaitForExit());
    EXPECT_EQ(driver.AllSettings(), before);
    EXPECT_TRUE(first->IsRunning());
    EXPECT_EQ(first->Text(kLblCardName), shownName);
    EXPECT_TRUE(::IsWindowVisible(first->MainWindow()));
}

} // namespace
} // namespace haloquill::testing
