// The program's entry: refuses a second copy, seeds the random generator once from the time of
// day, puts the program together from its parts, starts it and runs the message loop until the
// program ends.

#include "app/seeded_random.h"
#include "app/single_instance.h"
#include "design/app_texts.h"
#include "win32/executable_file.h"
#include "win32/main_window.h"
#include "win32/registry_run_key.h"
#include "win32/registry_settings_store.h"
#include "win32/shell_web_browser.h"
#include "win32/system_library.h"
#include "win32/system_services.h"
#include "win32/user_attention_reader.h"
#include "win32/wide_text.h"

#include <windows.h>

namespace {

int RunMessageLoop(haloquill::win32::MainWindow& mainWindow) {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        HWND window = mainWindow.Handle();
        if (window &&
            (mainWindow.PreTranslateMessage(message) || ::IsDialogMessageW(window, &message))) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    using namespace haloquill;
    // Before anything can load a DLL: none is ever taken from the program's own folder.
    win32::RestrictDllSearchToSystem32();

    win32::SystemMessageBoxes messageBoxes;
    // One name in any letter case is one program, as it is one settings key.
    const std::string baseName = win32::RunningExecutable().baseName;
    const win32::SingleInstanceGuard guard(
        InstanceMutexName(win32::LowerCaseName(baseName).value_or(baseName)));
    if (guard.AnotherInstanceRunning()) {
        messageBoxes.Show(texts::kAlreadyRunning, BoxKind::Information);
        return 0;
    }

    const win32::SystemClock clock;
    const TimeOfDay now = clock.Now();
    SeededRandom random(SeedFromTimeOfDay(now.SecondsSinceMidnight(), now.millisecond));
    win32::RegistrySettingsStore store;

    win32::ShellWebBrowser browser;
    WebPageLauncher web(browser, std::string(ConfiguredSiteBase()));

    win32::RegistryRunKey runKey;
    const win32::WindowsUserAttention attention;
    const MainWindowPorts ports{
        store, clock, random, messageBoxes, web, runKey, win32::RunningExecutable, attention};

    int result = 1;
    {
        // The window shows the controller's model and reports its events to the controller.
        win32::MainWindow mainWindow(instance, messageBoxes);
        MainWindowController controller(ports, mainWindow);
        if (mainWindow.Create(controller)) {
            messageBoxes.SetOwner(mainWindow.Handle());
            // Arguments that are not valid UTF-16 count as none.
            mainWindow.Start(win32::FromWide(commandLine ? commandLine : L"").value_or(""));
            result = RunMessageLoop(mainWindow);
        } else {
            const DWORD error = ::GetLastError();
            messageBoxes.Show(texts::WindowCannotBeMade(error), BoxKind::Error);
        }
    }
    return result;
}
