#include "driver/top_level_windows.h"

#include "driver/running_program.h"

#include "win32/main_window.h"

#include <string>

namespace haloquill::testing {

namespace {

struct WindowSearch {
    DWORD processId;
    const char* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    ::GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && std::string(className) == search->className) {
        search->found.push_back(window);
    }
    return TRUE;
}

struct WindowTally {
    DWORD processId;
    TopLevelWindowCount count;
};

BOOL CALLBACK TallyTopLevel(HWND window, LPARAM context) {
    auto* tally = reinterpret_cast<WindowTally*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    ++(owner == tally->processId ? tally->count.ofProcess : tally->count.others);
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const char* className) {
    WindowSearch search{processId, className, {}};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

TopLevelWindowCount CountTopLevelWindows(DWORD processId) {
    WindowTally tally{processId, {}};
    ::EnumWindows(TallyTopLevel, reinterpret_cast<LPARAM>(&tally));
    return tally.count;
}

bool WaitForAnswer(HWND window, std::chrono::milliseconds timeout) {
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_BLOCK,
                                 static_cast<UINT>(timeout.count()), &result) != 0;
}

std::vector<HWND> RunningProgram::TopLevelWindows(const char* className) const {
    return TopLevelWindowsOf(processId_, className);
}

HWND RunningProgram::ShownTopLevelWindow(const char* className) const {
    for (HWND window : TopLevelWindows(className)) {
        if (::IsWindowVisible(window)) {
            return window;
        }
    }
    return nullptr;
}

HWND RunningProgram::TrayIconReceiver() const {
    // A message-only window, which EnumWindows does not list.
    HWND receiver = nullptr;
    while ((receiver = ::FindWindowExA(HWND_MESSAGE, receiver, win32::kTrayReceiverClass,
                                       nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(receiver, &owner);
        if (owner == processId_) {
            return receiver;
        }
    }
    return nullptr;
}

bool RunningProgram::WaitUntilIdle() const {
    // A sent message overtakes posted ones, so its answer shows only that the program waits for
    // messages. A numbered probe posted to the icon's receiver and then given back to a sent
    // question shows that every message posted before it has been handled too (the program's
    // windows share one queue).
    HWND receiver = TrayIconReceiver();
    if (!receiver) {
        return false;
    }
    const LRESULT probe = ++lastProbe_;
    ::PostMessageA(receiver, win32::kIdleProbeMessage, static_cast<WPARAM>(probe), 0);
    return WaitUntil([&] {
        DWORD_PTR answer = 0;
        return ::SendMessageTimeoutA(receiver, win32::kIdleAnswerMessage, 0, 0, SMTO_ABORTIFHUNG,
                                     5000, &answer) &&
               static_cast<LRESULT>(answer) == probe;
    });
}

} // namespace haloquill::testing
