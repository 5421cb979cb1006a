// The shell is used only with COM started on the thread that calls it.

#include "win32/shell_web_browser.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

namespace haloquill::win32 {
namespace {

TEST(ShellWebBrowser, StartsComApartmentThreadedBeforeTheFirstShellCall) {
    // A fresh thread, as the program's own thread is before anything has started COM.
    HRESULT afterwards = E_FAIL;
    std::thread uiThread([&] {
        {
            ShellWebBrowser browser;
            // An address no program handles: the shell is called and fails quietly.
            browser.Open("haloquill-no-such-scheme:page");
            // Asking for another apartment kind now is refused if the browser started one.
            afterwards = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
            if (SUCCEEDED(afterwards)) {
                ::CoUninitialize();
            }
        }
    });
    uiThread.join();
    EXPECT_EQ(afterwards, RPC_E_CHANGED_MODE);
}

} // namespace
} // namespace haloquill::win32
