#include "win32/shell_web_browser.h"

#include <windows.h>

#include <shellapi.h>

namespace haloquill::win32 {

void ShellWebBrowser::Open(const std::string& address) {
    // A result of 32 or less means no browser could be started; that has no visible effect.
    ::ShellExecuteA(nullptr, "Open", address.c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
}

} // namespace haloquill::win32
