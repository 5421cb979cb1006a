// The real Haloquill.exe under Wine in folders and under names that the ANSI code page cannot
// hold (the Western one, 1252, under the Unix locale C.UTF-8): the Run entry keeps the exact path,
// Windows' start through it works, a moved executable's entry is pointed at its new place, and
// such a copy has its own settings and its own one-copy guard beside Haloquill.exe.

#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"
#include "win32/main_window.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

#include <gtest/gtest.h>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

// Folders and names in Cyrillic and Chinese, which no single-byte code page holds together.
constexpr char kForeignFolder[] = "Программы 程序\\Ангел 天使";

// True when `text` cannot pass through the ANSI code page unchanged.
bool OutsideTheCodePage(const std::string& text) {
    const std::wstring wide = win32::ToWide(text).value_or(std::wstring());
    BOOL lost = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, nullptr, 0, nullptr,
                          &lost);
    return lost != FALSE;
}

void ExpectOutsideTheCodePage(const ProgramDriver& driver) {
    EXPECT_TRUE(OutsideTheCodePage(driver.Directory())) << "ANSI code page " << ::GetACP();
    EXPECT_TRUE(OutsideTheCodePage(driver.BaseName())) << "ANSI code page " << ::GetACP();
}

void StoreLaterStart(ProgramDriver& driver, const char* hour) {
    auto& settings = driver.Settings();
    settings.WriteSetting("Hour", hour);
    settings.WriteSetting("Minute", "0");
    settings.WriteSetting("Second", "0");
    settings.WriteSetting("Card", "8");
    settings.WriteSetting("Date", TodayIso(5));
    settings.WriteSetting("UpdateCheckDate", TodayIso());
}

// An entry as an earlier version wrote it, through the ANSI call: the path unquoted.
void WriteEarlierRunEntry(const std::string& name, const std::string& data) {
    win32::UniqueRegistryKey key;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr, 0,
                                KEY_WRITE, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>(data.size() + 1)),
              ERROR_SUCCESS);
}

TEST(EndToEndNamesOutsideTheCodePage, RunEntryHoldsTheExactPathAndStartsTheProgramInTheTray) {
    ProgramDriver driver("Ангел天使", kForeignFolder);
    RunEntryCleanup cleanup(driver.BaseName());
    ExpectOutsideTheCodePage(driver);
    std::string command;
    {
        auto first = StartShown(driver);
        first->ClickButton(kOptRun);
        ASSERT_TRUE(WaitUntil([&] { return ReadRunEntry(driver.BaseName()).has_value(); }));
        EXPECT_EQ(ReadRunEntry(driver.BaseName()), ExpectedRunEntry(driver));
        EXPECT_TRUE(WaitUntil([&] { return first->IsEnabled(kChkSysTray); }));
        first->ClickButton(kChkSysTray);
        ASSERT_TRUE(
            WaitUntil([&] { return driver.Settings().ReadSetting("RunAtSysTray") == "True"; }));
        EXPECT_TRUE(first->MessageBoxes().empty());
        // The pop-up menu's "Exit" saves the choices under the program's own name.
        ASSERT_TRUE(first->Close());
        EXPECT_EQ(driver.Settings().ReadSetting("AutorunStartUp"), "True");
        EXPECT_EQ(driver.Settings().ReadSetting("SystemTray"), "True");
        command = ReadRunEntry(driver.BaseName()).value_or("");
    }
    ASSERT_EQ(command, ExpectedRunEntry(driver));

    // Started as Windows starts it at logon: into the notification area, unseen.
    auto program = driver.StartCommandLine(command);
    ASSERT_TRUE(program->WaitForMainWindow());
    ASSERT_TRUE(program->WaitUntilIdle());
    EXPECT_FALSE(MainWindowVisible(*program)) << "the window came up";
    EXPECT_TRUE(program->IsRunning());
    EXPECT_TRUE(program->MessageBoxes().empty());
    EXPECT_EQ(program->ControlCount(), 0); // nothing made for a window nobody has seen
    EXPECT_EQ(ReadRunEntry(driver.BaseName()), command);
    // Its icon brings the window back.
    NotifyFromIcon(*program, kIconDoubleClick);
    EXPECT_TRUE(WaitUntil([&] { return MainWindowVisible(*program); }));
    ASSERT_TRUE(program->Close());
}

TEST(EndToEndNamesOutsideTheCodePage, EntryOfAMovedExecutableIsPointedAtItsNewPlace) {
    // An entry of this program's name from its old place, itself outside the code page.
    ProgramDriver moved("Дмитрий张伟", kForeignFolder);
    RunEntryCleanup movedCleanup(moved.BaseName());
    ExpectOutsideTheCodePage(moved);
    StoreLaterStart(moved, "7");
    moved.Settings().WriteSetting("AutorunStartUp", "True");
    WriteRunEntry(moved.BaseName(), "\"C:\\Старое место\\" + moved.BaseName() + ".exe\" /STARTUP");
    {
        auto program = StartShown(moved);
        EXPECT_EQ(ReadRunEntry(moved.BaseName()), ExpectedRunEntry(moved));
        ASSERT_TRUE(program->ShowSettingsPage());
        EXPECT_TRUE(program->IsChecked(kOptRun));
        EXPECT_TRUE(program->IsEnabled(kChkSysTray));
        EXPECT_TRUE(program->MessageBoxes().empty());
        ASSERT_TRUE(program->Close());
    }
    EXPECT_EQ(ReadRunEntry(moved.BaseName()), ExpectedRunEntry(moved));

    // An entry an earlier version wrote for an ASCII path is still the program's own.
    ProgramDriver earlier("HqEarlierEntry", kForeignFolder);
    RunEntryCleanup earlierCleanup(earlier.BaseName());
    StoreLaterStart(earlier, "7");
    earlier.Settings().WriteSetting("AutorunStartUp", "True");
    ASSERT_NO_FATAL_FAILURE(
        WriteEarlierRunEntry(earlier.BaseName(), "C:\\Tools\\HqEarlierEntry.exe /STARTUP"));
    {
        auto program = StartShown(earlier);
        EXPECT_EQ(ReadRunEntry(earlier.BaseName()), ExpectedRunEntry(earlier));
        ASSERT_TRUE(program->ShowSettingsPage());
        EXPECT_TRUE(program->IsChecked(kOptRun));
        EXPECT_TRUE(program->MessageBoxes().empty());
        ASSERT_TRUE(program->Close());
    }
}

TEST(EndToEndNamesOutsideTheCodePage, CopyKeepsItsOwnSettingsAndGuardBesideHaloquill) {
    ProgramDriver haloquill("Haloquill", "haloquill-e2e-beside");
    ProgramDriver foreign("Łukasz张伟Дмитрий", kForeignFolder);
    // The same name in capitals in another folder: the same program to the registry, and so to
    // the guard. Made before anything starts, since a driver clears its name's settings.
    ProgramDriver again("ŁUKASZ张伟ДМИТРИЙ", "haloquill-e2e-beside");
    ExpectOutsideTheCodePage(foreign);
    StoreLaterStart(haloquill, "9");

    auto first = StartShown(haloquill);
    auto second = StartShown(foreign);
    EXPECT_TRUE(first->MessageBoxes().empty());
    EXPECT_TRUE(second->MessageBoxes().empty()); // not refused as a copy of Haloquill.exe
    ASSERT_TRUE(first->ShowSettingsPage());
    EXPECT_EQ(first->Text(kCboHour), "9");
    EXPECT_EQ(second->Text(kCboHour), "7"); // its own first start
    const Values haloquillValues = haloquill.AllSettings();
    const Values foreignValues = foreign.AllSettings();
    EXPECT_EQ(haloquillValues.at("Hour"), "9");
    EXPECT_EQ(foreignValues.size(), 6u);
    EXPECT_EQ(foreignValues.count("Hour") ? foreignValues.at("Hour") : "<absent>", "7");
    EXPECT_EQ(foreignValues.count("Date") ? foreignValues.at("Date") : "<absent>", TodayIso());

    // A second copy of the foreign name is refused, and leaves both running copies alone.
    auto refused = again.Start();
    ASSERT_TRUE(WaitUntil([&] { return !refused->MessageBoxes().empty(); }));
    const auto boxes = refused->MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Application is already running");
    EXPECT_TRUE(refused->TopLevelWindows(win32::kMainWindowClass).empty());
    ::PostMessageA(boxes[0].window, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(refused->WaitForExit());

    EXPECT_TRUE(first->IsRunning());
    EXPECT_TRUE(second->IsRunning());
    EXPECT_EQ(haloquill.AllSettings(), haloquillValues);
    EXPECT_EQ(foreign.AllSettings(), foreignValues);
    ASSERT_TRUE(second->Close());
    ASSERT_TRUE(first->Close());
}

} // namespace
} // namespace haloquill::testing
