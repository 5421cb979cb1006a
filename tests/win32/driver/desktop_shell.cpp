#include "driver/desktop_shell.h"

#include "driver/program_driver.h"
#include "win32/unique_handle.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace haloquill::testing {

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

// Text of a window of another process, asked of the window itself.
std::string TextOf(HWND window) {
    char text[256] = {};
    DWORD_PTR copied = 0;
    ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_ABORTIFHUNG, 2000, &copied);
    return std::string(text, std::min<std::size_t>(copied, sizeof text - 1));
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

// The windows directly inside `parent`.
std::vector<HWND> ChildrenOf(HWND parent) {
    std::vector<HWND> all;
    ::EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&all));
    std::vector<HWND> children;
    std::copy_if(all.begin(), all.end(), std::back_inserter(children),
                 [parent](HWND window) { return ::GetParent(window) == parent; });
    return children;
}

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string DesktopName() {
    char name[256] = {};
    DWORD needed = 0;
    ::GetUserObjectInformationA(::GetThreadDesktop(::GetCurrentThreadId()), UOI_NAME, name,
                                sizeof name - 1, &needed);
    return name;
}

} // namespace

HWND Taskbar() {
    return ::FindWindowA("Shell_TrayWnd", nullptr);
}

RECT NotificationArea() {
    RECT area{};
    HWND taskbar = Taskbar();
    if (!taskbar) {
        return area;
    }
    ::GetWindowRect(taskbar, &area);
    for (HWND child : ChildrenOf(taskbar)) {
        if (::IsWindowVisible(child) && ClassOf(child) == "Button") {
            RECT button{};
            ::GetWindowRect(child, &button);
            area.left = std::max(area.left, button.right);
        }
    }
    return area;
}

HWND TaskbarButtonOf(HWND window) {
    HWND taskbar = Taskbar();
    if (!taskbar || !window) {
        return nullptr;
    }
    // Each button carries the window it stands for as its identifier.
    for (HWND child : ChildrenOf(taskbar)) {
        if (::IsWindowVisible(child) &&
            ::GetWindowLongPtrA(child, GWLP_ID) == reinterpret_cast<LONG_PTR>(window)) {
            return child;
        }
    }
    return nullptr;
}

std::optional<std::string> ShownTooltip() {
    for (HWND window : TopLevelWindows()) {
        if (::IsWindowVisible(window) && ClassOf(window) == "tooltips_class32") {
            return TextOf(window);
        }
    }
    return std::nullopt;
}

std::optional<POINT> CloseBoxOf(HWND window) {
    RECT frame{};
    if (!::GetWindowRect(window, &frame)) {
        return std::nullopt;
    }
    // The close box lies at the right end of the caption.
    const int depth = ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME) + 4;
    RECT box{frame.right, frame.bottom, frame.left, frame.top};
    for (int y = frame.top; y < std::min<int>(frame.top + depth, frame.bottom); ++y) {
        for (int x = std::max<int>(frame.left, frame.right - 80); x < frame.right; ++x) {
            DWORD_PTR hit = HTNOWHERE;
            ::SendMessageTimeoutA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 2000,
                                  &hit);
            if (hit == HTCLOSE) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
        }
    }
    if (box.right <= box.left) {
        return std::nullopt;
    }
    return POINT{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
}

XPointer::XPointer() : desktopTitle_(DesktopName() + " - Wine desktop") {
    if (const char* tool = std::getenv("HALOQUILL_XDOTOOL")) {
        tool_ = tool;
    }
}

bool XPointer::Run(const std::string& arguments) const {
    if (tool_.empty()) {
        return false;
    }
    std::string commandLine = "\"" + tool_ + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return false;
    }
    // Wine gives no handle to wait on for a Unix program: callers wait for what it does.
    win32::UniqueKernelHandle processHandle(process.hProcess);
    win32::UniqueKernelHandle threadHandle(process.hThread);
    return true;
}

bool XPointer::MoveTo(POINT at) {
    const std::string arguments = "search --name \"^" + desktopTitle_ +
                                  "$\" mousemove --window %1 " + std::to_string(at.x) + " " +
                                  std::to_string(at.y);
    if (!Run(arguments)) {
        return false;
    }
    return WaitUntil(
        [&] {
            POINT now{};
            ::GetCursorPos(&now);
            return now.x == at.x && now.y == at.y;
        },
        5s);
}

bool XPointer::Click(int button) {
    return Run("click " + std::to_string(button));
}

bool XPointer::DoubleClick() {
    return Run("click --repeat 2 --delay 50 " + std::to_string(kLeftButton));
}

} // namespace haloquill::testing
