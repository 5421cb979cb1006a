#include "win32/shell_web_browser.h"

#include "win32/wide_text.h"

#include <windows.h>

#include <shellapi.h>

namespace haloquill::win32 {

void ShellWebBrowser::Open(const std::string& address) {
    const auto wideAddress = ToWide(address);
    if (!wideAddress) {
        return; // an address that is not text opens nothing
    }
    com_.Enter();
    if (const auto shellExecute = HALOQUILL_LATE_BOUND(shell_, ShellExecuteW)) {
        // A result of 32 or less means no browser could be started; that has no visible effect.
        shellExecute(nullptr, L"Open", wideAddress->c_str(), nullptr, L"C:\\", SW_SHOWNORMAL);
    }
}

} // namespace haloquill::win32
