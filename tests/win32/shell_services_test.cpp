// The platform services: the shell used only with COM started on the thread that calls it, the
// flags and answers of the message boxes as the platform numbers them, and the common controls
// loaded from the system in the version the manifest asks for; a set of controls that Windows
// refuses is reported, never shown with a control missing.

#include "design/main_window_layout.h"
#include "win32/common_controls.h"
#include "win32/control_set.h"
#include "win32/shell_web_browser.h"
#include "win32/system_library.h"
#include "win32/system_services.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <shlwapi.h>

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <string>
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

// This test program carries the program's manifest, so it gets the comctl32 the program gets:
// the one of the version 6 side-by-side assembly, which answers DllGetVersion with 6. Wine's
// comctl32 answers 5 from either assembly, so there the place it was loaded from tells.
TEST(CommonControls, TheLoadedLibraryIsVersion6FromTheSystem) {
    ASSERT_TRUE(LoadCommonControls());
    const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    DLLVERSIONINFO version{};
    version.cbSize = sizeof version;
    const auto getVersion =
        ExportOf<DLLGETVERSIONPROC>(::GetModuleHandleW(L"comctl32.dll"), "DllGetVersion");
    ASSERT_NE(getVersion, nullptr);
    ASSERT_TRUE(SUCCEEDED(getVersion(&version)));
    EXPECT_EQ(version.dwMajorVersion, wine ? 5u : 6u);
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(::GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH), 0u);
    std::wstring loaded(path);
    std::transform(loaded.begin(), loaded.end(), loaded.begin(), ::towlower);
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    std::wstring system(windows);
    std::transform(system.begin(), system.end(), system.begin(), ::towlower);
    EXPECT_EQ(loaded.rfind(system + L"\\winsxs\\", 0), 0u);
    EXPECT_NE(loaded.find(L"_microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
              std::wstring::npos);
}

TEST(SystemMessageBoxes, KindsAndAnswersAreThePlatformsOwnNumbers) {
    EXPECT_EQ(BoxFlags(BoxKind::Plain), 0x00u);
    EXPECT_EQ(BoxFlags(BoxKind::Information), 0x40u);
    EXPECT_EQ(BoxFlags(BoxKind::ExclamationYesNo), 0x34u);
    EXPECT_EQ(BoxFlags(BoxKind::InformationYesNo), 0x44u);
    EXPECT_EQ(BoxFlags(BoxKind::Error), 0x10u);
    EXPECT_EQ(AnswerOf(1), BoxAnswer::Ok);
    EXPECT_EQ(AnswerOf(6), BoxAnswer::Yes);
    EXPECT_EQ(AnswerOf(7), BoxAnswer::No);
    EXPECT_EQ(AnswerOf(0), BoxAnswer::None); // the box could not be shown
    EXPECT_EQ(AnswerOf(IDCANCEL), BoxAnswer::None);
}

TEST(ControlSet, ControlsThatWindowsRefusesFailTheWholeSetWithItsError) {
    HWND gone = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(gone, nullptr);
    ::DestroyWindow(gone);
    GdiCache gdi(96, false);
    ControlSet controls(gdi);
    ::SetLastError(0);
    EXPECT_FALSE(controls.Create(::GetModuleHandleA(nullptr), gone,
                                 MainWindowLayoutPart(WindowPart::AroundPages)));
    EXPECT_NE(::GetLastError(), 0u);
    EXPECT_EQ(controls.Control(kTxtCardDesc), nullptr);
}

} // namespace
} // namespace haloquill::win32
