#pragma once
// A running copy of Haloquill.exe (or of another program), driven the way a user would: its
// windows found, its controls read and used, its message boxes seen and answered, and its end.

#include "design/control_ids.h"
#include "design/dpi_scaling.h"
#include "driver/process_resources.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <chrono>
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
    // `started` is when the call that made the process was made.
    RunningProgram(PROCESS_INFORMATION process, std::chrono::steady_clock::time_point started =
                                                    std::chrono::steady_clock::now());
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;
    ~RunningProgram(); // kills the process if it still runs

    // Its life (running_program.cpp).
    DWORD ProcessId() const { return processId_; }
    std::chrono::steady_clock::time_point Started() const { return started_; }
    bool IsRunning() const;
    bool WaitForExit(std::chrono::milliseconds timeout = 15s) const;
    DWORD ExitCode() const;
    // Returns once the program has finished its initialisation and first waits for input; false
    // when it did not within `timeout`.
    bool WaitForInputIdle(std::chrono::milliseconds timeout = 15s) const;
    // The main window once the program has finished starting (it may be hidden); null when the
    // program shows no main window in time.
    HWND WaitForMainWindow(std::chrono::milliseconds timeout = 15s);
    HWND MainWindow() const { return mainWindow_; }
    // Whether the main window answers a sent message within `timeout`; a program the system
    // takes for hung fails at once.
    bool Answers(std::chrono::milliseconds timeout = 5s) const;
    // Ends the Windows session as the system does: asks with WM_QUERYENDSESSION, then tells
    // with WM_ENDSESSION TRUE. True when the program agreed to end.
    bool EndSession() const;
    // Tells the main window that the taskbar was made again, as Explorer does after it restarts,
    // and returns once the program has handled it; false when it did not answer.
    bool AnnounceTaskbarCreated() const;
    // Ends the program as its notification-area menu's "Exit" does, and waits for the end.
    bool Close();
    void Kill();

    // Its controls (program_controls.cpp).
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
    // Posts a menu command to the main window; false when it could not be posted.
    bool PostCommand(ControlId id) const;
    // Brings the settings page of the shown window to the front (Tools > Settings), which makes
    // its controls the first time; true once it is in front.
    bool ShowSettingsPage() const;
    // The close box of the main window, as the system reports it (Alt+F4 and the system menu's
    // Close arrive the same way); a plain WM_CLOSE is another program asking it to end.
    void PressCloseBox() const;
    // Chooses a list position as the user does: the list selects it and tells its window.
    void ChooseListPosition(ControlId id, int position) const;
    // The two halves of that choice, each waiting for the program: the list moves its selection
    // without telling its window, then tells its window that the user chose the selected entry.
    // Each is false when the program did not answer.
    bool SelectListPosition(ControlId id, int position) const;
    bool NotifyListChoice(ControlId id) const;
    // How many controls the main window holds, frames and their children included.
    int ControlCount() const;

    // Its top-level windows (top_level_windows.cpp).
    // The process's top-level windows of a class, shown or not.
    std::vector<HWND> TopLevelWindows(const char* className) const;
    // The first of them that is shown, or null.
    HWND ShownTopLevelWindow(const char* className) const;
    // The hidden window the notification-area icon reports its mouse messages to.
    HWND TrayIconReceiver() const;
    // Returns once the program has handled every message posted to it so far and waits for
    // messages again (also inside a modal loop, such as a message box's); false if it did not.
    bool WaitUntilIdle() const;

    // Its message boxes (message_boxes.cpp).
    // The top-level windows of the process with the class "#32770" (dialogs and message boxes).
    std::vector<ForeignMessageBox> MessageBoxes() const;
    // Waits for the first message box of the process and returns it (null window if none came).
    ForeignMessageBox WaitForMessageBox(std::chrono::milliseconds timeout = 15s) const;

    // The keyboard (keyboard_input.cpp).
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
    // false when the message could not be delivered (dpi_change.cpp).
    bool SendDpiChange(HWND window, int dpi, const RECT& suggested) const;

    // What the process holds and has used (process_resources.cpp).
    // Its memory, objects and handles; nothing when its memory could not be read.
    std::optional<ProcessResources> Resources() const;
    // The CPU seconds, kernel and user, that Windows reports for the process (Wine reports the
    // caller's own times for another process); nothing when they could not be read.
    std::optional<double> CpuSeconds() const;

  private:
    win32::UniqueKernelHandle process_;
    win32::UniqueKernelHandle thread_;
    DWORD processId_ = 0;
    std::chrono::steady_clock::time_point started_;
    HWND mainWindow_ = nullptr;
    mutable LRESULT lastProbe_ = 0; // the number of the last idle probe
};

// The rectangle Windows suggests for `window` on a monitor where its client area is `client`:
// at the same corner, with its frame (and menu bar) around that area.
RECT SuggestedWindowRect(HWND window, PixelSize client, bool menu);

} // namespace haloquill::testing
