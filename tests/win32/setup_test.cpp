// The real setup and its uninstaller under Wine, run silently (/S) as a deployment tool runs
// them, in a prefix of their own: what an install puts in place, the installed program started,
// an install over the running program, a move to another folder, the uninstall, and the cases
// that must change nothing. HALOQUILL_SETUP_NAME is the setup the build made beside bin/, in
// dist/.

#include "setup_fixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace haloquill::testing {
namespace {

TEST_F(Setup, InstallsForTheUserAloneWithShortcutAndUninstallEntryAndTheProgramStarts) {
    ASSERT_EQ(RunSetup(), kSucceeded);

    EXPECT_EQ(FolderContents(Folder()), (Names{"Haloquill.exe", "Uninstall.exe"}));
    EXPECT_TRUE(FileBytes(Program()) == FileBytes(BuiltProgram())) << "not the program built";
    EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), Program());

    EXPECT_EQ(UninstallValue("DisplayName"), "Corvel Haloquill");
    EXPECT_EQ(UninstallValue("DisplayVersion"), HALOQUILL_SHORT_VERSION);
    EXPECT_EQ(UninstallValue("Publisher"), "Corvel");
    EXPECT_EQ(UninstallValue("DisplayIcon"), Program() + ",0");
    EXPECT_EQ(UninstallValue("InstallLocation"), Folder());
    EXPECT_EQ(UninstallValue("UninstallString"), Quoted(Uninstaller()));
    EXPECT_EQ(UninstallValue("QuietUninstallString"), Quoted(Uninstaller()) + " /S");
    const auto kilobytes = ReadRegistryNumber(HKEY_CURRENT_USER, kUninstallKey, "EstimatedSize");
    ASSERT_TRUE(kilobytes.has_value());
    const auto installed = FileBytes(Program()).size() + FileBytes(Uninstaller()).size();
    EXPECT_GE(*kilobytes, FileBytes(Program()).size() / 1024);
    EXPECT_LE(*kilobytes, installed / 1024 + 2);
    // For this user alone: nothing machine-wide, and no settings or Run entry of its own.
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_EQ(StoredSettings(kInstalledName), Values{});
    EXPECT_FALSE(ReadRunEntry(kInstalledName).has_value());

    // Started as its shortcut starts it, it runs under its own name with its own settings.
    const auto target = ShortcutTarget(StartMenuShortcut());
    ASSERT_TRUE(target.has_value());
    auto program = StartShown(*target);
    EXPECT_EQ(ValueOf(StoredSettings(kInstalledName), "Hour"), "7");
    EXPECT_TRUE(program->Close());
}

TEST_F(Setup, ShownItOffersToStartTheProgramAndTheUninstallerAsksAboutSettingsYesFirst) {
    auto setup = StartProcess(Quoted(SetupFile()));
    HWND wizard = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        wizard = FindDialogByCaption(kSetupCaption);
        return wizard && NextButtonText(wizard) == "Install";
    })) << "no folder page with an Install button";
    ClickNextButton(wizard);

    // The last page offers to start the program, ticked.
    HWND startNow = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        startNow = FindControlByText(wizard, "Start Corvel Haloquill now");
        return startNow && ::IsWindowVisible(startNow) && NextButtonText(wizard) == "Finish";
    })) << "no finish page with the offer to start the program";
    EXPECT_EQ(::SendMessageA(startNow, BM_GETCHECK, 0, 0), BST_CHECKED);
    ClickNextButton(wizard);
    ASSERT_TRUE(setup->WaitForExit());
    EXPECT_EQ(setup->ExitCode(), kSucceeded);
    std::unique_ptr<RunningProgram> program;
    ASSERT_TRUE(WaitUntil([&] { return (program = FindRunningCopy(Program())) != nullptr; }))
        << "the installed program did not start";
    ASSERT_TRUE(program->WaitForMainWindow());
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()) != FALSE; }));
    EXPECT_TRUE(program->Close());
    ASSERT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kInstalledSettingsKey));

    // The uninstaller asks about the settings, Yes being the default button.
    auto uninstaller = StartProcess(Quoted(Uninstaller()));
    HWND confirm = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        confirm = FindDialogByCaption(kUninstallCaption);
        return confirm && NextButtonText(confirm) == "Uninstall";
    })) << "no confirmation page with an Uninstall button";
    ClickNextButton(confirm);
    HWND question = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        return (question = FindMessageBox(kSettingsQuestion)) != nullptr;
    })) << "no question about the settings";
    HWND yes = ::GetDlgItem(question, IDYES);
    EXPECT_EQ(::GetWindowLongA(yes, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(::GetWindowLongA(::GetDlgItem(question, IDNO), GWL_STYLE) & BS_TYPEMASK,
              BS_PUSHBUTTON);
    Click(yes);
    ASSERT_TRUE(WaitUntil([&] { return NextButtonText(confirm) == "Close"; }))
        << "the uninstall did not finish";
    ClickNextButton(confirm);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(confirm); }));
    ExpectAllGone(Folder());
}

TEST_F(Setup, InstallingOverTheRunningProgramClosesItCleanlyAndKeepsSettingsAndRunEntry) {
    ASSERT_EQ(RunSetup(), kSucceeded);
    auto program = StartShown(Program());
    ChooseStartWithWindows(*program, Program());
    const Values before = StoredSettings(kInstalledName);
    // These two are written only when the program saves its start-up choices on its way out.
    ASSERT_EQ(ValueOf(before, "AutorunStartUp"), "<absent>");
    ASSERT_EQ(ValueOf(before, "SystemTray"), "<absent>");

    EXPECT_EQ(RunSetup(), kSucceeded) << "the setup did not install over the running program";
    const bool closed = !program->IsRunning();
    EXPECT_TRUE(closed) << "the running program was not closed";
    if (closed) {
        EXPECT_EQ(program->ExitCode(), 0u) << "the program did not end by itself";
    }
    const Values after = StoredSettings(kInstalledName);
    for (const auto& [key, value] : before) {
        EXPECT_EQ(ValueOf(after, key), value) << key;
    }
    EXPECT_EQ(ValueOf(after, "AutorunStartUp"), "True") << "the close saved no start-up choices";
    EXPECT_EQ(ValueOf(after, "SystemTray"), "True") << "the close saved no start-up choices";
    EXPECT_EQ(ReadRunEntry(kInstalledName), Quoted(Program()) + " /STARTUP");
    EXPECT_TRUE(FileBytes(Program()) == FileBytes(BuiltProgram()));
    if (!closed) {
        program->Kill(); // so that the rest can still be checked
    }

    // The Run entry starts the installed program as Windows does at logon.
    const auto entry = ReadRunEntry(kInstalledName);
    ASSERT_TRUE(entry.has_value());
    auto atLogon = StartProcess(*entry);
    ASSERT_TRUE(atLogon->WaitForMainWindow());
    EXPECT_FALSE(::IsWindowVisible(atLogon->MainWindow())) << "not in the notification area";

    // Uninstalling while it runs closes it the same way, then removes everything.
    EXPECT_EQ(UninstallQuietly(), kSucceeded)
        << "the uninstall did not get past the running program";
    const bool closedByUninstall = !atLogon->IsRunning();
    EXPECT_TRUE(closedByUninstall) << "the running program was not closed";
    if (closedByUninstall) {
        EXPECT_EQ(atLogon->ExitCode(), 0u) << "the program did not end by itself";
    }
    EXPECT_FALSE(ReadRunEntry(kInstalledName).has_value());
    ExpectAllGone(Folder());
}

TEST_F(Setup, UninstallRemovesProgramShortcutEntryRunEntryAndSettingsAndEmptiesTheFolder) {
    ASSERT_EQ(RunSetup(), kSucceeded);
    {
        auto program = StartShown(Program());
        ChooseStartWithWindows(*program, Program());
        ASSERT_TRUE(program->Close());
    }
    ASSERT_EQ(ValueOf(StoredSettings(kInstalledName), "AutorunStartUp"), "True");
    ASSERT_TRUE(ReadRunEntry(kInstalledName).has_value());

    EXPECT_EQ(UninstallQuietly(), kSucceeded);

    EXPECT_FALSE(ReadRunEntry(kInstalledName).has_value());
    ExpectAllGone(Folder());
}

TEST_F(Setup, TheRunEntryMovesWithTheProgramToAnotherFolderAndAnotherCopysEntryStays) {
    ASSERT_EQ(RunSetup(), kSucceeded);
    {
        auto program = StartShown(Program());
        ChooseStartWithWindows(*program, Program());
        ASSERT_TRUE(program->Close());
    }

    // Installed again into another folder, the program moves there and its entry follows it.
    const std::string moved = OtherFolder() + "\\Haloquill.exe";
    ASSERT_EQ(RunSetup("/D=" + OtherFolder()), kSucceeded);
    EXPECT_FALSE(PathExists(Folder()));
    EXPECT_EQ(FolderContents(OtherFolder()), (Names{"Haloquill.exe", "Uninstall.exe"}));
    EXPECT_EQ(UninstallValue("InstallLocation"), OtherFolder());
    EXPECT_EQ(UninstallValue("UninstallString"), Quoted(OtherFolder() + "\\Uninstall.exe"));
    EXPECT_EQ(ShortcutTarget(StartMenuShortcut()), moved);
    EXPECT_EQ(ReadRunEntry(kInstalledName), Quoted(moved) + " /STARTUP");
    EXPECT_EQ(ValueOf(StoredSettings(kInstalledName), "AutorunStartUp"), "True");

    // An entry that starts a copy elsewhere is not the uninstaller's to remove.
    ::CreateDirectoryA(PortableFolder().c_str(), nullptr);
    const std::string portable = PortableFolder() + "\\Haloquill.exe";
    ASSERT_TRUE(::CopyFileA(BuiltProgram().c_str(), portable.c_str(), FALSE));
    WriteRunEntry(kInstalledName, Quoted(portable) + " /STARTUP");
    EXPECT_EQ(UninstallQuietly(), kSucceeded);
    EXPECT_EQ(ReadRunEntry(kInstalledName), Quoted(portable) + " /STARTUP");
    EXPECT_TRUE(PathExists(portable));
    ExpectAllGone(OtherFolder());
}

TEST_F(Setup, AFolderThatCannotBeWrittenOrAProgramThatDoesNotCloseStopsItAndChangesNothing) {
    // Folders that cannot be used: one where a file stands in the way of its parent, one the
    // setup does not get because its /D= is in quotes, and one whose name is too long for the
    // file system to make it.
    {
        std::ofstream blocker(BlockingFile());
        blocker << "in the way";
    }
    const std::string tooLong = TempFolder(std::string(300, 'L'));
    for (const std::string& folderOption :
         {"/D=" + BlockingFile() + "\\Corvel Haloquill", Quoted("/D=" + OtherFolder()),
          "/D=" + tooLong + "\\Corvel Haloquill"}) {
        EXPECT_EQ(RunSetup(folderOption), kStoppedByTheSetup) << folderOption;
    }
    EXPECT_EQ(FileBytes(BlockingFile()), "in the way");
    EXPECT_FALSE(PathExists(OtherFolder()));
    EXPECT_FALSE(PathExists(tooLong));
    EXPECT_FALSE(PathExists(Folder()));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
    EXPECT_FALSE(PathExists(StartMenuShortcut()));

    // A copy that ignores the close: both the setup and the uninstaller give up after the wait.
    ASSERT_EQ(RunSetup(), kSucceeded);
    ASSERT_TRUE(::CopyFileA((OwnDirectory() + "\\unclosable_window.exe").c_str(), Program().c_str(),
                            FALSE));
    auto unclosable = StartProcess(Quoted(Program()));
    ASSERT_TRUE(unclosable->WaitForMainWindow());
    win32::RegistrySettingsStore settings([] { return std::string(kInstalledName); });
    settings.Write("Card", "8");
    WriteRunEntry(kInstalledName, Quoted(Program()) + " /STARTUP");
    const std::string standInBytes = FileBytes(Program());
    const Values settingsBefore = StoredSettings(kInstalledName);

    EXPECT_EQ(RunSetup(), kStoppedByTheSetup);
    EXPECT_TRUE(unclosable->IsRunning());
    EXPECT_TRUE(FileBytes(Program()) == standInBytes) << "the setup replaced a running program";

    EXPECT_EQ(UninstallQuietly(), kStoppedByTheSetup);
    EXPECT_TRUE(unclosable->IsRunning());
    EXPECT_EQ(FolderContents(Folder()), (Names{"Haloquill.exe", "Uninstall.exe"}));
    EXPECT_TRUE(FileBytes(Program()) == standInBytes);
    EXPECT_TRUE(PathExists(StartMenuShortcut()));
    EXPECT_EQ(UninstallValue("DisplayName"), "Corvel Haloquill");
    EXPECT_EQ(StoredSettings(kInstalledName), settingsBefore);
    EXPECT_EQ(ReadRunEntry(kInstalledName), Quoted(Program()) + " /STARTUP");

    // Once it has gone, the setup replaces it by the program.
    unclosable->Kill();
    EXPECT_EQ(RunSetup(), kSucceeded);
    EXPECT_TRUE(FileBytes(Program()) == FileBytes(BuiltProgram()));
}

TEST_F(Setup, NeitherTheSetupNorTheUninstallerLoadsADllPlantedBesideThem) {
    ASSERT_TRUE(::CreateDirectoryA(DownloadFolder().c_str(), nullptr));
    const std::string setup = DownloadFolder() + "\\" HALOQUILL_SETUP_NAME;
    ASSERT_TRUE(::CopyFileA(SetupFile().c_str(), setup.c_str(), FALSE));
    PlantDlls(DownloadFolder(), PlantedDllNames());
    // The uninstaller starts as itself and goes on as a copy named Au_.exe.
    const PreferDllsBesideThePrograms preferred({HALOQUILL_SETUP_NAME, "Uninstall.exe", "Au_.exe"},
                                                PlantedDllNames());

    ASSERT_EQ(RunToEnd(Quoted(setup) + " /S"), kSucceeded);
    // Under Wine the planted uxtheme.dll alone is loaded all the same: Wine's own comctl32, which
    // the setup imports, imports uxtheme before any code of the setup runs, where Windows takes
    // comctl32 from the side-by-side store. That it is loaded shows the planting took effect.
    const Names onlyWines{"uxtheme"};
    EXPECT_EQ(LoadedPlantedDlls(DownloadFolder()), onlyWines);

    // The uninstaller starts from the install folder before it hands over to a copy of itself.
    PlantDlls(Folder(), PlantedDllNames());
    ASSERT_EQ(UninstallQuietly(), kSucceeded);
    EXPECT_EQ(LoadedPlantedDlls(Folder()), onlyWines);
    EXPECT_FALSE(PathExists(Folder() + "\\Haloquill.exe"));
}

} // namespace
} // namespace haloquill::testing
