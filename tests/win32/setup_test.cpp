// The real setup and its uninstaller under Wine, run silently (/S) as a deployment tool runs
// them, in a prefix of their own: what an install puts in place, the installed program started,
// an install over the running program, a move to another folder, the uninstall, and the cases
// that must change nothing. HALOQUILL_SETUP_NAME is the setup the build made beside bin/, in
// dist/.

#include "driver/installation.h"
#include "driver/planted_dlls.h"
#include "driver/program_driver.h"
#include "driver/setup_windows.h"

#include <gtest/gtest.h>

#include <fstream>

namespace haloquill::testing {
namespace {

using Values = std::map<std::string, std::string>;
using Names = std::vector<std::string>;

constexpr DWORD kSucceeded = 0;
// NSIS's exit code when the setup itself stops the installation.
constexpr DWORD kStoppedByTheSetup = 2;
constexpr char kSetupCaption[] = "Corvel Haloquill " HALOQUILL_SHORT_VERSION " Setup";
constexpr char kUninstallCaption[] = "Corvel Haloquill " HALOQUILL_SHORT_VERSION " Uninstall";
constexpr char kSettingsQuestion[] = "Remove your Corvel Haloquill settings too";

std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

std::string ValueOf(const Values& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? "<absent>" : found->second;
}

std::string TempFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

std::string SetupFile() {
    return OwnDirectory() + "\\..\\dist\\" HALOQUILL_SETUP_NAME;
}

std::string BuiltProgram() {
    return OwnDirectory() + "\\Haloquill.exe";
}

std::optional<DWORD> RunSetup(const std::string& arguments = {}) {
    return RunToEnd(Quoted(SetupFile()) + " /S" + (arguments.empty() ? "" : " " + arguments));
}

std::string UninstallValue(const std::string& name) {
    return ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, name).value_or("<absent>");
}

// The uninstall command a deployment tool runs, as the list of installed apps gives it.
std::optional<DWORD> UninstallQuietly() {
    const auto command =
        ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, "QuietUninstallString");
    if (!command) {
        ADD_FAILURE() << "no quiet uninstall command";
        return std::nullopt;
    }
    return RunToEnd(*command);
}

// A shortcut's .lnk in the Start menu makes Wine write Linux menu entries; the prefix is told not
// to, so the tests leave nothing in the home folder.
void KeepWineOutOfTheLinuxMenus() {
    win32::UniqueRegistryKey overrides;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, nullptr, 0,
                          KEY_SET_VALUE, nullptr, overrides.Receive(), nullptr) == ERROR_SUCCESS) {
        win32::WriteRegistryText(overrides.Get(), "winemenubuilder.exe", "");
    }
}

class Setup : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { KeepWineOutOfTheLinuxMenus(); }

    void SetUp() override {
        RemoveInstallation({Folder(), OtherFolder()});
        ASSERT_FALSE(PathExists(Folder()));
        ASSERT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
        ASSERT_TRUE(PathExists(SetupFile())) << SetupFile();
    }

    void TearDown() override {
        // A shown setup or uninstaller that a failed test left open.
        KillProcessOf(FindMessageBox(kSettingsQuestion));
        KillProcessOf(FindDialogByCaption(kSetupCaption));
        KillProcessOf(FindDialogByCaption(kUninstallCaption));
        RemoveInstallation({Folder(), OtherFolder()});
        ::DeleteFileA((PortableFolder() + "\\Haloquill.exe").c_str());
        ::RemoveDirectoryA(PortableFolder().c_str());
        ::DeleteFileA(BlockingFile().c_str());
        RemoveInstallation({DownloadFolder()});
        RemoveUninstallerLeftovers();
    }

    static std::string Folder() { return DefaultInstallFolder(); }
    static std::string Program() { return Folder() + "\\Haloquill.exe"; }
    static std::string Uninstaller() { return Folder() + "\\Uninstall.exe"; }
    // Folders elsewhere, with blanks in their names.
    static std::string OtherFolder() { return TempFolder("haloquill setup moved"); }
    static std::string PortableFolder() { return TempFolder("haloquill setup portable"); }
    static std::string BlockingFile() { return TempFolder("haloquill setup blocker"); }
    static std::string DownloadFolder() { return TempFolder("haloquill setup downloads"); }

    // Starts a program file and waits until it shows its main window.
    static std::unique_ptr<RunningProgram> StartShown(const std::string& program) {
        auto started = StartProcess(Quoted(program));
        if (!started->WaitForMainWindow() ||
            !WaitUntil([&] { return ::IsWindowVisible(started->MainWindow()) != FALSE; })) {
            ADD_FAILURE() << program << " showed no window";
        }
        return started;
    }

    // Chooses "Run at start-up" and "Start at system tray" as the user does.
    static void ChooseStartWithWindows(RunningProgram& program, const std::string& executable) {
        program.ClickButton(kOptRun);
        ASSERT_TRUE(WaitUntil([&] { return ReadRunEntry(kInstalledName).has_value(); }));
        EXPECT_EQ(ReadRunEntry(kInstalledName), Quoted(executable) + " /STARTUP");
        program.ClickButton(kChkSysTray);
        ASSERT_TRUE(WaitUntil(
            [&] { return ValueOf(StoredSettings(kInstalledName), "RunAtSysTray") == "True"; }));
    }

    // Nothing of the installation in `folder` is left, its settings included (each test checks
    // the Run entry itself).
    static void ExpectAllGone(const std::string& folder) {
        EXPECT_EQ(FolderContents(folder), Names{});
        EXPECT_FALSE(PathExists(folder));
        EXPECT_FALSE(PathExists(StartMenuShortcut()));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallKey));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kInstalledSettingsKey));
        // The maker's key held only this program's settings.
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Corvel"));
    }
};

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
