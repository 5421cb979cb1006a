// The real Haloquill.exe under Wine, one handler at a time: its message boxes and its About window
// hold the main window while they are open, and every way of ending (the end of the Windows
// session, the Exit question, a close from another program, the notification area's "Exit")
// keeps the choices of a user who starts with Windows into the notification area.

#include "driver/desktop_probes.h"
#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"
#include "win32/about_window.h"

#include <gtest/gtest.h>

#include <set>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;

constexpr char kExitQuestion[] = "Are You Sure You Want To Quit Corvel Haloquill ?";
constexpr char kBadDate[] = "Please Enter Correct Date !";
constexpr char kUpdateQuestion[] =
    "There maybe an update to this software available\rDo you want to check for an update?";

// Everything a run can change: the settings and the start-with-Windows entry.
struct StoredState {
    Values settings;
    std::optional<std::string> runEntry;
};

StoredState Stored(ProgramDriver& driver) {
    return {driver.AllSettings(), ReadRunEntry(driver.BaseName())};
}

// Compares key by key, so that a failure names each value that changed.
void ExpectStoredAsBefore(ProgramDriver& driver, const StoredState& before) {
    const StoredState now = Stored(driver);
    std::set<std::string> keys;
    for (const auto* values : {&before.settings, &now.settings}) {
        for (const auto& [key, value] : *values) {
            keys.insert(key);
        }
    }
    const auto valueOf = [](const Values& values, const std::string& key) {
        const auto found = values.find(key);
        return found == values.end() ? std::string("<absent>") : found->second;
    };
    for (const std::string& key : keys) {
        EXPECT_EQ(valueOf(now.settings, key), valueOf(before.settings, key)) << "key " << key;
    }
    EXPECT_EQ(now.runEntry.value_or("<absent>"), before.runEntry.value_or("<absent>"))
        << "the start-with-Windows entry";
}

// What a user leaves who chose to start with Windows into the notification area, with the
// reminder at 9:30:15. The values are the ones the program itself writes, so a run that only
// loads and saves them changes nothing.
void StoreEveryChoiceTrue(ProgramDriver& driver) {
    WriteRunEntry(driver.BaseName(), ExpectedRunEntry(driver));
    auto& settings = driver.Settings();
    settings.WriteSetting("AutorunStartUp", "True");
    settings.WriteSetting("SystemTray", "True");
    settings.WriteSetting("RunAtSysTray", "True");
    settings.WriteSetting("Hour", "9");
    settings.WriteSetting("Minute", "30");
    settings.WriteSetting("Second", "15");
    settings.WriteSetting("Card", "5");
    settings.WriteSetting("Date", TodayIso(3));
    settings.WriteSetting("UpdateCheckDate", TodayIso(-2));
}

// Ends the session and waits for the program to end by itself, with no message box on the way
// (one that is open already may stay until the end).
void EndSessionAndExpectTheEnd(const RunningProgram& program) {
    std::set<HWND> boxesBefore;
    for (const ForeignMessageBox& box : program.MessageBoxes()) {
        boxesBefore.insert(box.window);
    }
    ASSERT_TRUE(program.EndSession()) << "the program refused to end the session";
    bool newBox = false;
    EXPECT_TRUE(WaitUntil([&] {
        for (const ForeignMessageBox& box : program.MessageBoxes()) {
            newBox = newBox || !boxesBefore.contains(box.window);
        }
        return !program.IsRunning();
    })) << "the program did not end";
    EXPECT_FALSE(newBox) << "a message box came up on the way out";
}

// --- The end of the Windows session ---------------------------------------------------------

TEST(EndToEndOneHandler, SessionEndWithEveryChoiceTrueKeepsEveryStoredValue) {
    const std::pair<const char*, const char*> starts[] = {{"HqTrueEndShown", ""},
                                                          {"HqTrueEndTray", "/STARTUP"}};
    for (const auto& [name, args] : starts) {
        SCOPED_TRACE(*args ? "started with Windows into the notification area" : "window shown");
        ProgramDriver driver(name);
        RunEntryCleanup cleanup(driver.BaseName());
        StoreEveryChoiceTrue(driver);
        const StoredState before = Stored(driver);

        auto program = driver.Start(args);
        ASSERT_TRUE(program->WaitForMainWindow());
        EXPECT_EQ(MainWindowVisible(*program), !*args);
        // A start into the notification area has made no control to look at.
        if (!*args) {
            ASSERT_TRUE(program->ShowSettingsPage());
            EXPECT_TRUE(program->IsChecked(kOptRun));
            EXPECT_TRUE(program->IsChecked(kChkSysTray));
        }
        ASSERT_NO_FATAL_FAILURE(EndSessionAndExpectTheEnd(*program));
        ExpectStoredAsBefore(driver, before);
    }
}

TEST(EndToEndOneHandler, SessionEndWhileTheExitQuestionIsOpenKeepsTheChoicesAndTheRunEntry) {
    ProgramDriver driver("HqExitAskedEnd");
    RunEntryCleanup cleanup(driver.BaseName());
    StoreEveryChoiceTrue(driver);
    const StoredState before = Stored(driver);
    {
        auto program = StartShown(driver);
        program->ClickButton(kCmdExit);
        const ForeignMessageBox box = program->WaitForMessageBox();
        ASSERT_EQ(box.text, kExitQuestion);
        ASSERT_NO_FATAL_FAILURE(EndSessionAndExpectTheEnd(*program));
        ExpectStoredAsBefore(driver, before);
    }
    // The next start still starts with Windows and keeps its entry.
    auto program = StartShown(driver);
    ASSERT_TRUE(program->ShowSettingsPage());
    EXPECT_TRUE(program->IsChecked(kOptRun));
    EXPECT_TRUE(program->IsChecked(kChkSysTray));
    EXPECT_EQ(ReadRunEntry(driver.BaseName()).value_or("<absent>"), ExpectedRunEntry(driver));
    ASSERT_TRUE(program->Close());
    ExpectStoredAsBefore(driver, before);
}

// A start with Windows about once a fortnight asks the update question before it has loaded the
// stored choices; a session end then has nothing of its own to save.
TEST(EndToEndOneHandler, SessionEndDuringTheStartUpUpdateQuestionWritesNothing) {
    ProgramDriver driver("HqUpdateAskedEnd");
    RunEntryCleanup cleanup(driver.BaseName());
    StoreEveryChoiceTrue(driver);
    driver.Settings().WriteSetting("UpdateCheckDate", TodayIso(-20));
    const StoredState before = Stored(driver);

    auto program = driver.Start("/STARTUP");
    const ForeignMessageBox box = program->WaitForMessageBox();
    ASSERT_EQ(box.text, kUpdateQuestion);
    ASSERT_TRUE(program->WaitForMainWindow());
    ASSERT_NO_FATAL_FAILURE(EndSessionAndExpectTheEnd(*program));
    ExpectStoredAsBefore(driver, before);
}

// --- Message boxes hold the main window -----------------------------------------------------

// The box is owned by the main window, which takes no input while it is open.
void ExpectHoldsTheMainWindow(const RunningProgram& program, const ForeignMessageBox& box) {
    ASSERT_NE(box.window, nullptr) << "no message box came";
    EXPECT_EQ(::GetWindow(box.window, GW_OWNER), program.MainWindow()) << "owner of the box";
    EXPECT_FALSE(::IsWindowEnabled(program.MainWindow())) << "the main window takes input";
}

// Answers the box and waits until it has gone and the main window takes input again.
void AnswerAndExpectReleased(const RunningProgram& program, const ForeignMessageBox& box,
                             int button) {
    Answer(box, button);
    EXPECT_TRUE(WaitUntil([&] { return program.MessageBoxes().empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(program.MainWindow()) != FALSE; }))
        << "the main window stays disabled";
}

TEST(EndToEndOneHandler, MainWindowRefusesInputWhileAnyMessageBoxIsOpen) {
    ProgramDriver driver("HqBoxesHold");
    RunEntryCleanup cleanup(driver.BaseName());
    StoreQuietLaterStart(driver);
    driver.Settings().WriteSetting("UpdateCheckDate", TodayIso(-20));
    auto program = driver.Start();
    {
        SCOPED_TRACE("update question, before the window shows");
        const ForeignMessageBox box = program->WaitForMessageBox();
        ASSERT_EQ(box.text, kUpdateQuestion);
        ASSERT_TRUE(program->WaitForMainWindow());
        EXPECT_FALSE(MainWindowVisible(*program));
        ExpectHoldsTheMainWindow(*program, box);
        AnswerAndExpectReleased(*program, box, IDNO);
        ASSERT_TRUE(WaitUntil([&] { return MainWindowVisible(*program); }));
    }
    {
        SCOPED_TRACE("Please Enter Correct Date !");
        ASSERT_TRUE(program->ShowSettingsPage());
        ASSERT_TRUE(IsShownInItsWindow(*program, kFraSettings));
        program->ChooseListPosition(kCboMonth, 1); // February
        program->ChooseListPosition(kCboDate, 29); // the 30th
        program->ClickButton(kCmdCalculateMoonPhase);
        const ForeignMessageBox box = program->WaitForMessageBox();
        EXPECT_EQ(box.text, kBadDate);
        ExpectHoldsTheMainWindow(*program, box);
        AnswerAndExpectReleased(*program, box, IDOK);
        program->ChooseListPosition(kCboMonth, 0);
        program->ChooseListPosition(kCboDate, 0);
    }
    {
        SCOPED_TRACE("registry error");
        RunKeyWriteBlock block;
        ASSERT_TRUE(RunKeyWriteBlock::WritesRefused());
        program->ClickButton(kOptRun);
        const ForeignMessageBox box = program->WaitForMessageBox();
        EXPECT_EQ(box.text.rfind("Error 5 opening key", 0), 0u) << box.text;
        ExpectHoldsTheMainWindow(*program, box);
        AnswerAndExpectReleased(*program, box, IDOK);
    }
    {
        SCOPED_TRACE("Exit question");
        program->ClickButton(kCmdExit);
        const ForeignMessageBox box = program->WaitForMessageBox();
        EXPECT_EQ(box.text, kExitQuestion);
        ExpectHoldsTheMainWindow(*program, box);
        Answer(box, IDYES);
        EXPECT_TRUE(program->WaitForExit());
    }
}

// --- A close from another program -----------------------------------------------------------

// A task manager's End task, taskkill without /F or an installer send a plain WM_CLOSE: the
// program ends, saving the choices the window shows. The close box still only hides it.
TEST(EndToEndOneHandler, CloseFromAnotherProgramEndsSavingWhileTheCloseBoxHides) {
    ProgramDriver driver("HqCloseOutside");
    RunEntryCleanup cleanup(driver.BaseName());
    StoreEveryChoiceTrue(driver);
    auto program = StartShown(driver);
    ASSERT_TRUE(program->ShowSettingsPage());
    ASSERT_TRUE(program->IsChecked(kChkSysTray));

    // The user unticks "Start at system tray"; only "RunAtSysTray" follows at once.
    program->ClickButton(kChkSysTray);
    ASSERT_TRUE(
        WaitUntil([&] { return driver.Settings().ReadSetting("RunAtSysTray") == "False"; }));
    StoredState expected = Stored(driver);
    EXPECT_EQ(expected.settings["SystemTray"], "True");

    program->PressCloseBox();
    ASSERT_TRUE(WaitUntil([&] { return !MainWindowVisible(*program); }));
    HWND receiver = program->TrayIconReceiver();
    EXPECT_TRUE(WaitUntil([&] { return NotificationIconShown(receiver); }))
        << "the close box put no icon in the notification area";
    EXPECT_FALSE(program->WaitForExit(500ms)) << "the close box ended the program";
    ExpectStoredAsBefore(driver, expected);

    ::PostMessageA(program->MainWindow(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(program->WaitForExit()) << "a close from another program left it running";
    expected.settings["SystemTray"] = "False";
    ExpectStoredAsBefore(driver, expected);
    EXPECT_FALSE(NotificationIconShown(receiver)) << "the icon stayed behind";
    EXPECT_TRUE(program->MessageBoxes().empty());
}

// --- The About window -----------------------------------------------------------------------

// Open, owned by the main window and in front of it, and the main window takes no input.
void ExpectAboutHoldsTheMainWindow(const RunningProgram& program, HWND about) {
    HWND main = program.MainWindow();
    EXPECT_TRUE(::IsWindowVisible(about)) << "the About window closed";
    EXPECT_EQ(::GetWindow(about, GW_OWNER), main) << "owner of the About window";
    // The X server may restack the windows a moment after the program has asked.
    EXPECT_TRUE(WaitUntil([&] { return IsInFrontOf(about, main); }, 5s))
        << "the main window covers the About window";
    EXPECT_FALSE(::IsWindowEnabled(main)) << "the main window takes input";
}

TEST(EndToEndOneHandler, AboutWindowStaysInFrontOfTheDisabledMainWindowAndClosesWithTheProgram) {
    {
        SCOPED_TRACE("open in the notification area, the reminder comes, then the session ends");
        ProgramDriver driver("HqAboutReminder");
        RunEntryCleanup cleanup(driver.BaseName());
        StoreEveryChoiceTrue(driver);
        auto program = driver.Start("/STARTUP");
        ASSERT_TRUE(program->WaitForMainWindow());
        ASSERT_FALSE(MainWindowVisible(*program));
        HWND about = OpenAbout(*program);
        ASSERT_NE(about, nullptr);
        EXPECT_FALSE(::IsWindowEnabled(program->MainWindow()));

        StoreReminderAhead(driver, 3);
        ASSERT_TRUE(WaitUntil([&] { return MainWindowVisible(*program); }, 20s))
            << "the reminder did not come";
        program->WaitUntilIdle();
        ExpectAboutHoldsTheMainWindow(*program, about);

        const StoredState before = Stored(driver);
        ASSERT_NO_FATAL_FAILURE(EndSessionAndExpectTheEnd(*program));
        ExpectStoredAsBefore(driver, before);
    }
    {
        SCOPED_TRACE("open after the reminder brought the window up, then the icon's Exit");
        ProgramDriver driver("HqAboutTrayExit");
        RunEntryCleanup cleanup(driver.BaseName());
        StoreEveryChoiceTrue(driver);
        auto program = driver.Start("/STARTUP");
        ASSERT_TRUE(program->WaitForMainWindow());
        ASSERT_FALSE(MainWindowVisible(*program));
        StoreReminderAhead(driver, 3);
        ASSERT_TRUE(WaitUntil([&] { return MainWindowVisible(*program); }, 20s))
            << "the reminder did not come";
        HWND receiver = program->TrayIconReceiver();
        EXPECT_TRUE(NotificationIconShown(receiver));
        HWND about = OpenAbout(*program);
        ASSERT_NE(about, nullptr);
        ExpectAboutHoldsTheMainWindow(*program, about);

        const StoredState before = Stored(driver);
        program->PostCommand(kMnuExit1);
        ASSERT_TRUE(program->WaitForExit()) << "the notification area's Exit left it running";
        ExpectStoredAsBefore(driver, before);
        EXPECT_FALSE(NotificationIconShown(receiver)) << "the icon stayed behind";
    }
}

// --- Access keys ----------------------------------------------------------------------------

} // namespace
} // namespace haloquill::testing
