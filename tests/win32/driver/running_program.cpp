#include "driver/running_program.h"

#include "driver/top_level_windows.h"

#include "win32/main_window.h"

namespace haloquill::testing {

RunningProgram::RunningProgram(PROCESS_INFORMATION process,
                               std::chrono::steady_clock::time_point started)
    : process_(process.hProcess), thread_(process.hThread), processId_(process.dwProcessId),
      started_(started) {}

RunningProgram::~RunningProgram() {
    if (IsRunning()) {
        Kill();
    }
}

bool RunningProgram::IsRunning() const {
    return ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

bool RunningProgram::WaitForExit(std::chrono::milliseconds timeout) const {
    return ::WaitForSingleObject(process_.Get(), static_cast<DWORD>(timeout.count())) ==
           WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.Get(), &code);
    return code;
}

bool RunningProgram::WaitForInputIdle(std::chrono::milliseconds timeout) const {
    return ::WaitForInputIdle(process_.Get(), static_cast<DWORD>(timeout.count())) == 0;
}

HWND RunningProgram::WaitForMainWindow(std::chrono::milliseconds timeout) {
    // The program is idle once its initialisation is over and its message loop waits.
    WaitForInputIdle(timeout);
    WaitUntil(
        [&] {
            const auto windows = TopLevelWindows(win32::kMainWindowClass);
            mainWindow_ = windows.empty() ? nullptr : windows.front();
            return mainWindow_ != nullptr || !IsRunning();
        },
        timeout);
    if (mainWindow_) {
        // The window exists before its initialisation runs; a sent message is answered only
        // once the program waits for messages, that is once its start is over; the probe then
        // waits for what the shown window does after its first painting.
        WaitForAnswer(mainWindow_, timeout);
        WaitUntilIdle();
    }
    return mainWindow_;
}

bool RunningProgram::Answers(std::chrono::milliseconds timeout) const {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(mainWindow_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                                 static_cast<UINT>(timeout.count()), &result) != 0;
}

bool RunningProgram::EndSession() const {
    DWORD_PTR agreed = 0;
    if (!::SendMessageTimeoutA(mainWindow_, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000,
                               &agreed)) {
        return false;
    }
    ::PostMessageA(mainWindow_, WM_ENDSESSION, TRUE, 0);
    return agreed != 0;
}

bool RunningProgram::AnnounceTaskbarCreated() const {
    // The system gives every process the same number for the same name.
    static const UINT taskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(mainWindow_, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                 &result) != 0;
}

bool RunningProgram::Close() {
    if (mainWindow_) {
        // The pop-up menu's "Exit": ends the program without a question.
        ::PostMessageA(mainWindow_, WM_COMMAND, MAKEWPARAM(kMnuExit1, 0), 0);
    }
    return WaitForExit();
}

void RunningProgram::Kill() {
    ::TerminateProcess(process_.Get(), 99);
    ::WaitForSingleObject(process_.Get(), 10000);
}

} // namespace haloquill::testing
