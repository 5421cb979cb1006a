// The platform services: the shell used only with COM started on the thread that calls it, and
// the flags and answers of the message boxes as the platform numbers them.

#include "win32/shell_web_browser.h"
#include "win32/system_services.h"

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

TEST(SystemMessageBoxes, KindsAndAnswersAreThePlatformsOwnNumbers) {
    EXPECT_EQ(BoxFlags(BoxKind::Plain), 0x00u);
    EXPECT_EQ(BoxFlags(BoxKind::Information), 0x40u);
    EXPECT_EQ(BoxFlags(BoxKind::ExclamationYesNo), 0x34u);
    EXPECT_EQ(BoxFlags(BoxKind::InformationYesNo), 0x44u);
    EXPECT_EQ(AnswerOf(1), BoxAnswer::Ok);
    EXPECT_EQ(AnswerOf(6), BoxAnswer::Yes);
    EXPECT_EQ(AnswerOf(7), BoxAnswer::No);
    EXPECT_EQ(AnswerOf(0), BoxAnswer::None); // the box could not be shown
    EXPECT_EQ(AnswerOf(IDCANCEL), BoxAnswer::None);
}

} // namespace
} // namespace haloquill::win32
