#include "win32/shell_web_browser.h"

#include <windows.h>

namespace haloquill::win32 {

void ShellWebBrowser::Open(const std::string& address) {
    using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
    com_.Enter();
    if (const auto shellExecute = shell_.Get<ShellExecuteFunction>("ShellExecuteA")) {
        // A result of 32 or less means no browser could be started; that has no visible effect.
        shellExecute(nullptr, "Open", address.c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
    }
}

} // namespace haloquill::win32
