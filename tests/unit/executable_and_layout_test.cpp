#include "app/single_instance.h"
#include "design/main_window_layout.h"
#include "design/twips.h"
#include "settings/executable_path.h"

#include <gtest/gtest.h>

#include <set>

namespace haloquill {
namespace {

TEST(ExecutablePath, SplitsDirectoryAndBaseName) {
    const auto path = SplitExecutablePath("D:\\My Tools\\Prog\\prog.exe");
    EXPECT_EQ(path.directory, "D:\\My Tools\\Prog");
    EXPECT_EQ(path.baseName, "prog");
    EXPECT_EQ(SplitExecutablePath("C:\\Haloquill.EXE").baseName, "Haloquill");
    EXPECT_EQ(SplitExecutablePath("C:\\a.b\\my.app.exe").baseName, "my.app");
    EXPECT_EQ(SplitExecutablePath("C:\\a\\noext").baseName, "noext");
    EXPECT_EQ(SplitExecutablePath("C:\\a\\x.exe.bak").baseName, "x.exe.bak");
}

TEST(ExecutablePath, OneCopyPerExecutableNameWhateverItsCase) {
    EXPECT_EQ(InstanceMutexName("Haloquill"), InstanceMutexName("HALOQUILL"));
    EXPECT_NE(InstanceMutexName("Haloquill"), InstanceMutexName("Haloquill2"));
    EXPECT_EQ(InstanceMutexName("A").rfind("Local\\", 0), 0u);
}

TEST(MainWindowLayout, TwipsBecomePixelsAtEveryDpi) {
    EXPECT_EQ(TwipsToPixels(kClientWidthTwips, 96), 635);
    EXPECT_EQ(TwipsToPixels(kClientHeightTwips, 96), 441);
    EXPECT_EQ(TwipsToPixels(1125, 96), 75);
    EXPECT_EQ(TwipsToPixels(1125, 144), 113); // 112.5 rounds up
    EXPECT_EQ(TwipsToPixels(9525, 120), 794);
    EXPECT_EQ(TwipsToPixels(142, 96), 9);
}

TEST(MainWindowLayout, ControlsAreUniqueAndContainersComeBeforeTheirContents) {
    std::set<ControlId> seen;
    for (const ControlSpec& spec : MainWindowLayout()) {
        EXPECT_TRUE(seen.insert(spec.id).second) << spec.id;
        if (spec.container != kNoControl) {
            EXPECT_TRUE(seen.count(spec.container)) << spec.id;
            const ControlSpec* container = FindControlSpec(spec.container);
            ASSERT_NE(container, nullptr);
            EXPECT_TRUE(container->kind == ControlKind::Frame ||
                        container->kind == ControlKind::PlainFrame);
        }
    }
    // Both pages, and both buttons at their foot, lie exactly on top of each other.
    const auto* settings = FindControlSpec(kFraSettings);
    const auto* rune = FindControlSpec(kFraRune);
    EXPECT_EQ(std::tie(settings->left, settings->top, settings->width, settings->height),
              std::tie(rune->left, rune->top, rune->width, rune->height));
    const auto* apply = FindControlSpec(kCmdCalculateMoonPhase);
    const auto* open = FindControlSpec(kCmdSettings);
    EXPECT_EQ(std::tie(apply->left, apply->top, apply->width),
              std::tie(open->left, open->top, open->width));
}

TEST(MainWindowLayout, AuxiliaryControlsLieBelowTheClientArea) {
    for (ControlId id : {kCboDate, kCboMonth, kCboYear, kPicHook, kFrame6}) {
        EXPECT_GT(FindControlSpec(id)->top, kClientHeightTwips) << id;
    }
}

} // namespace
} // namespace haloquill
