#include "driver/running_program.h"

#include <vector>

namespace haloquill::testing {

namespace {

INPUT KeyInput(WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

bool RunningProgram::PressAccessKey(char key) const {
    ::SetForegroundWindow(mainWindow_);
    if (!WaitUntil([&] { return ::GetForegroundWindow() == mainWindow_; }, 5s)) {
        return false;
    }
    // The window's thread must have taken the activation before the keys arrive.
    WaitUntilIdle();
    const WORD letter = static_cast<WORD>(key);
    INPUT keys[] = {KeyInput(VK_MENU, false), KeyInput(letter, false), KeyInput(letter, true),
                    KeyInput(VK_MENU, true)};
    return ::SendInput(4, keys, sizeof(INPUT)) == 4;
}

bool RunningProgram::PressKey(WORD key, bool shift, HWND window) const {
    HWND target = window ? window : mainWindow_;
    if (::GetForegroundWindow() != target) {
        ::SetForegroundWindow(target);
        if (!WaitUntil([&] { return ::GetForegroundWindow() == target; }, 5s)) {
            return false;
        }
    }
    WaitUntilIdle();
    std::vector<INPUT> keys;
    if (shift) {
        keys.push_back(KeyInput(VK_SHIFT, false));
    }
    keys.push_back(KeyInput(key, false));
    keys.push_back(KeyInput(key, true));
    if (shift) {
        keys.push_back(KeyInput(VK_SHIFT, true));
    }
    const auto count = static_cast<UINT>(keys.size());
    const bool sent = ::SendInput(count, keys.data(), sizeof(INPUT)) == count;
    // The keys are in the program's queue once it answers again.
    WaitUntilIdle();
    return sent;
}

HWND RunningProgram::FocusedControl() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(mainWindow_, nullptr), &info);
    return info.hwndFocus;
}

} // namespace haloquill::testing
