#pragma once
// What the setup leaves on the machine for the current user: the install folder, the Start-menu
// shortcut and the entry in the list of installed apps, read the way Windows reads them, and all
// of it removed again between tests.

#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace haloquill::testing {

inline constexpr char kUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvelHaloquill";
// The installed program's base name, which names its settings and its Run entry.
inline constexpr char kInstalledName[] = "Haloquill";
inline constexpr char kInstalledSettingsKey[] = "Software\\Corvel\\Haloquill";

// %LOCALAPPDATA%\Programs\Corvel Haloquill
std::string DefaultInstallFolder();
// The current user's Start-menu programs folder, and the shortcut the setup makes in it.
std::string StartMenuPrograms();
std::string StartMenuShortcut();
// The file a shortcut starts; nothing when it cannot be read.
std::optional<std::string> ShortcutTarget(const std::string& shortcut);

std::optional<std::string> ReadRegistryString(HKEY root, const std::string& key,
                                              const std::string& value);
std::optional<DWORD> ReadRegistryNumber(HKEY root, const std::string& key,
                                        const std::string& value);
bool RegistryKeyExists(HKEY root, const std::string& key);

bool PathExists(const std::string& path);
// The names in a folder, sorted; empty for a folder that does not exist.
std::vector<std::string> FolderContents(const std::string& folder);
// A file's bytes; empty when it cannot be read.
std::string FileBytes(const std::string& path);

// Runs a command line to its end, and then every process it started: the uninstaller hands its
// work to a copy of itself outside the folder it removes. The exit code of the last of them to
// end, or nothing when they do not end within `timeout`.
std::optional<DWORD> RunToEnd(const std::string& commandLine,
                              std::chrono::milliseconds timeout = std::chrono::seconds(60));

class RunningProgram;

// The running copy of the program file `executable` (found by its main window), watched as if
// the caller had started it; null when none runs.
std::unique_ptr<RunningProgram> FindRunningCopy(const std::string& executable);

// Kills every process whose main window has the program's class and whose executable lies in
// `folder`.
void KillCopiesIn(const std::string& folder);
// Removes the empty folders the uninstaller's copies of itself leave in %TEMP% until Windows
// restarts, so that a prefix used again and again does not collect them.
void RemoveUninstallerLeftovers();

// Removes every trace of an installation in these folders: running copies, files, folders,
// shortcut, uninstall entry, settings and Run entry.
void RemoveInstallation(const std::vector<std::string>& folders);

} // namespace haloquill::testing
