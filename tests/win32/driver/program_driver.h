#pragma once
// Drives a copy of Haloquill.exe the way a user would: starts it under a scratch executable name
// (so it has its own, empty settings), finds its windows, reads its controls and its settings,
// answers its message boxes and ends it.

#include "design/control_ids.h"
#include "design/dpi_scaling.h"
#include "win32/registry_settings_store.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace haloquill::testing {

using namespace std::chrono_literals;

// Waits until `condition` holds or `timeout` passes; true when it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = 15s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        ::Sleep(20);
    }
    return true;
}

// A message box shown by another process.
struct ForeignMessageBox {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};

class RunningProgram {
  public:
    RunningProgram(PROCESS_INFORMATION process);
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram(); // kills the process if it still runs

    DWORD ProcessId() const { return processId_; }
    bool IsRunning() const;
    bool WaitForExit(std::chrono::milliseconds timeout = 15s) const;
    DWORD ExitCode() const;

    // The main window once the program has finished starting (it may be hidden); null when the
    // program shows no main window in time.
    HWND WaitForMainWindow(std::chrono::milliseconds timeout = 15s);
    HWND MainWindow() const { return mainWindow_; }

    HWND Control(ControlId id) const;
    std::string Text(ControlId id) const;
    std::string WindowText(HWND window) const;
    int ListSelection(ControlId id) const;
    int ListCount(ControlId id) const;
    bool IsVisible(ControlId id) const;
    bool IsEnabled(ControlId id) const;
    bool IsChecked(ControlId id) const;

    // Clicks a button as the mouse does (BM_CLICK, posted so that a message box it opens does
    // not hold the caller).
    void ClickButton(ControlId id) const;
    // Posts a menu command to the main window.
    void PostCommand(ControlId id) const;
    // Brings the settings page of the shown window to the front (Tools > Settings), which makes
    // its controls the first time; true once it is in front.
    bool ShowSettingsPage() const;
    // The close box of the main window, as the system reports it (Alt+F4 and the system menu's
    // Close arrive the same way); a plain WM_CLOSE is another program asking it to end.
    void PressCloseBox() const;
    // Chooses a list position as the user does: the list selects it and tells its window.
    void ChooseListPosition(ControlId id, int position) const;

    // The process's top-level windows of a class, shown or not.
    std::vector<HWND> TopLevelWindows(const char* className) const;
    // The first of them that is shown, or null.
    HWND ShownTopLevelWindow(const char* className) const;

    // The top-level windows of the process with the class "#32770" (dialogs and message boxes).
    std::vector<ForeignMessageBox> MessageBoxes() const;
    // Waits for the first message box of the process and returns it (null window if none came).
    ForeignMessageBox WaitForMessageBox(std::chrono::milliseconds timeout = 15s) const;

    // Returns once the program has handled every message posted to it so far and waits for
    // messages again (also inside a modal loop, such as a message box's); false if it did not.
    bool WaitUntilIdle() const;
    // The hidden window the notification-area icon reports its mouse messages to.
    HWND TrayIconReceiver() const;

    // Ends the Windows session as the system does: asks with WM_QUERYENDSESSION, then tells
    // with WM_ENDSESSION TRUE. True when the program agreed to end.
    bool EndSession() const;

    // Brings the main window to the foreground and types Alt+`key` on the keyboard (SendInput),
    // as the user presses an access key. False when the window did not come to the foreground.
    bool PressAccessKey(char key) const;
    // Brings `window` (the main window when null) to the foreground if it is not there and types
    // `key` on the keyboard, with Shift held when asked. False when the window did not come to
    // the foreground.
    bool PressKey(WORD key, bool shift = false, HWND window = nullptr) const;
    // The control that has the keyboard focus in the program's window thread, or null.
    HWND FocusedControl() const;
    // Tells `window` of the program that it is now on a monitor of `dpi`, with the rectangle
    // Windows suggests for it there, as Windows does when the window moves to another monitor;
    // false when the message could not be delivered.
    bool SendDpiChange(HWND window, int dpi, const RECT& suggested) const;
    // How many controls the main window holds, frames and their children included.
    int ControlCount() const;

    // Ends the program as its notification-area menu's "Exit" does, and waits for the end.
    bool Close();
    void Kill();

  private:
    win32::UniqueKernelHandle process_;
    win32::UniqueKernelHandle thread_;
    DWORD processId_ = 0;
    HWND mainWindow_ = nullptr;
    mutable LRESULT lastProbe_ = 0; // the number of the last idle probe
};

// The rectangle Windows suggests for `window` on a monitor where its client area is `client`:
// at the same corner, with its frame (and menu bar) around that area.
RECT SuggestedWindowRect(HWND window, PixelSize client, bool menu);

class ProgramDriver {
  public:
    // Copies Haloquill.exe to <temp>\<folder>\<baseName>.exe and clears its settings.
    explicit ProgramDriver(std::string baseName, const std::string& folder = "haloquill-e2e");
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;
    ~ProgramDriver(); // removes the settings again

    std::unique_ptr<RunningProgram> Start(const std::string& arguments = {});
    // Starts a process with exactly this command line, as Windows runs a Run entry at logon.
    std::unique_ptr<RunningProgram> StartCommandLine(std::string commandLine);

    // The program's settings, read and written in the registry as the program keeps them.
    win32::RegistrySettingsStore& Settings() { return settings_; }
    std::map<std::string, std::string> AllSettings() const;
    void ClearSettings();

    const std::string& ExecutablePath() const { return executable_; }
    const std::string& Directory() const { return directory_; }
    const std::string& BaseName() const { return baseName_; }

  private:
    std::string baseName_;
    std::string directory_;
    std::string executable_;
    win32::RegistrySettingsStore settings_;
};

// Every value of the settings of the program named `applicationName`.
std::map<std::string, std::string> StoredSettings(const std::string& applicationName);

// Starts a process with exactly this command line (quoted program path first).
std::unique_ptr<RunningProgram> StartProcess(std::string commandLine);

// The start-with-Windows entry: the value `name` of
// HKCU\Software\Microsoft\Windows\CurrentVersion\Run.
std::optional<std::string> ReadRunEntry(const std::string& name);
void WriteRunEntry(const std::string& name, const std::string& data);
void RemoveRunEntry(const std::string& name);

// Removes the entry `name` when made and again when it goes, so that no test leaves one behind,
// whether it passes or fails.
class RunEntryCleanup {
  public:
    explicit RunEntryCleanup(std::string name) : name_(std::move(name)) { RemoveRunEntry(name_); }
    RunEntryCleanup(const RunEntryCleanup&) = delete;
    RunEntryCleanup& operator=(const RunEntryCleanup&) = delete;
    ~RunEntryCleanup() { RemoveRunEntry(name_); }

  private:
    std::string name_;
};

// The folder that holds the running test executable (and Haloquill.exe beside it).
std::string OwnDirectory();

// Today as the program stores it.
std::string TodayIso(long long plusDays = 0);

inline constexpr long long kSecondsPerDay = 86400;

// The local time of day in seconds.
long long NowSeconds();

// Stores the reminder time. The program reads the three values at every tick, so they are
// written lowest first: a tick between two writes then sees a moment a whole minute or hour
// away from the new one, never one that falls due by mistake.
void WriteReminderTime(ProgramDriver& driver, long long secondsSinceMidnight);

// Moves the reminder half a day away, so that it cannot bring the window up while a test
// expects it hidden (a first start stores 7:00:00).
void KeepReminderAway(ProgramDriver& driver);

// Stores a later start that asks nothing and shows angel 2, drawn four days ahead: the reminder
// half a day away and the update check done yesterday.
void StoreQuietLaterStart(ProgramDriver& driver);

// Stores the reminder time `ahead` seconds from now and returns it in seconds since midnight.
// Close to midnight it first waits for the new day, so that the moment and the dates the test
// compares all fall on one day.
long long StoreReminderAhead(ProgramDriver& driver, long long ahead);

} // namespace haloquill::testing
