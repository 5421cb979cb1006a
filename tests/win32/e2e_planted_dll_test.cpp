// The real Haloquill.exe started from a folder that also holds DLLs named like system DLLs, as a
// download folder may: whatever the program does (its window and pictures, the notification
// area, the About window, a screen reader's questions), it never loads one of them.

#include "driver/planted_dlls.h"
#include "driver/program_driver.h"
#include "driver/shown_start.h"
#include "win32/about_window.h"

#include <gtest/gtest.h>

#include <oleacc.h>

namespace haloquill::testing {
namespace {

using Names = std::vector<std::string>;

// Asks a window for its accessible object as a screen reader does, which makes the program load
// its accessibility libraries; true when an object came back.
bool AskForAccessibleObject(HWND window) {
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT),
                          SMTO_ABORTIFHUNG, 5000, &answer);
    return answer != 0;
}

TEST(EndToEndPlantedDlls, NoDllBesideTheProgramIsLoadedWhateverItDoes) {
    ProgramDriver driver("HqPlanted", "haloquill-planted");
    PlantDlls(driver.Directory(), PlantedDllNames());
    const PreferDllsBesideThePrograms preferred({driver.BaseName() + ".exe"}, PlantedDllNames());
    StoreQuietLaterStart(driver);

    auto program = StartShown(driver);
    if (!program->MainWindow() || !::IsWindowVisible(program->MainWindow())) {
        EXPECT_EQ(LoadedPlantedDlls(driver.Directory()), Names{});
        FAIL() << "the program did not start normally";
    }
    EXPECT_TRUE(AskForAccessibleObject(program->Control(kLabel61)));
    program->PostCommand(kMnuAbout);
    HWND about = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] { return (about = program->ShownTopLevelWindow(win32::kAboutWindowClass)); }));
    EXPECT_TRUE(AskForAccessibleObject(about));
    ::PostMessageA(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(about); }));
    // The close box puts the icon in the notification area.
    program->PressCloseBox();
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(program->MainWindow()); }));
    ASSERT_TRUE(program->WaitUntilIdle());
    EXPECT_TRUE(program->Close());

    EXPECT_EQ(LoadedPlantedDlls(driver.Directory()), Names{});
}

} // namespace
} // namespace haloquill::testing
