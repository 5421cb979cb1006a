#pragma once
// The setup and its uninstaller under Wine, in a prefix of their own: running them silently as a
// deployment tool does, and the places an installation leaves behind.

#include "driver/installation.h"
#include "driver/planted_dlls.h"
#include "driver/program_driver.h"
#include "driver/setup_windows.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace haloquill::testing {

using Values = std::map<std::string, std::string>;
using Names = std::vector<std::string>;

constexpr DWORD kSucceeded = 0;
// NSIS's exit code when the setup itself stops the installation.
constexpr DWORD kStoppedByTheSetup = 2;
constexpr char kSetupCaption[] = "Corvel Haloquill " HALOQUILL_SHORT_VERSION " Setup";
constexpr char kUninstallCaption[] = "Corvel Haloquill " HALOQUILL_SHORT_VERSION " Uninstall";
constexpr char kSettingsQuestion[] = "Remove your Corvel Haloquill settings too";

inline std::string Quoted(const std::string& path) {
    return "\"" + path + "\"";
}

inline std::string ValueOf(const Values& values, const std::string& key) {
    const auto found = values.find(key);
    return found == values.end() ? "<absent>" : found->second;
}

inline std::string TempFolder(const std::string& name) {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + name;
}

inline std::string SetupFile() {
    return OwnDirectory() + "\\..\\dist\\" HALOQUILL_SETUP_NAME;
}

inline std::string BuiltProgram() {
    return OwnDirectory() + "\\Haloquill.exe";
}

inline std::optional<DWORD> RunSetup(const std::string& arguments = {}) {
    return RunToEnd(Quoted(SetupFile()) + " /S" + (arguments.empty() ? "" : " " + arguments));
}

inline std::string UninstallValue(const std::string& name) {
    return ReadRegistryString(HKEY_CURRENT_USER, kUninstallKey, name).value_or("<absent>");
}

// The uninstall command a deployment tool runs, as the list of installed apps gives it.
inline std::optional<DWORD> UninstallQuietly() {
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
inline void KeepWineOutOfTheLinuxMenus() {
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

} // namespace haloquill::testing
