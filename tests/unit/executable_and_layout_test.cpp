#include "app/single_instance.h"
#include "design/main_window_layout.h"
#include "design/twips.h"
#include "settings/executable_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

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

// The window is made in four parts: the controls around the pages, each page when it first
// comes to the front, and the controls below the client area after the first painting. Every
// control is in exactly one part, by itself or by its container, and each part keeps the
// layout's order, so containers come first.
TEST(MainWindowLayout, TheWindowIsMadeInFourParts) {
    using P = WindowPart;
    const std::vector<ControlSpec> parts[] = {
        MainWindowLayoutPart(P::AroundPages), MainWindowLayoutPart(P::AngelPage),
        MainWindowLayoutPart(P::SettingsPage), MainWindowLayoutPart(P::BelowClientArea)};
    EXPECT_EQ(parts[0].size() + parts[1].size() + parts[2].size() + parts[3].size(),
              MainWindowLayout().size());
    const std::pair<ControlId, P> cases[] = {
        {kFraSettings, P::SettingsPage}, {kLabel1, P::SettingsPage},
        {kShape3, P::SettingsPage},      {kFrame4, P::SettingsPage},
        {kCboHour, P::SettingsPage},     {kOptRun, P::SettingsPage},
        {kChkSysTray, P::SettingsPage},  {kPicCard2, P::SettingsPage},
        {kFraRune, P::AngelPage},        {kTxtCardDesc, P::AngelPage},
        {kPicCard, P::AngelPage},        {kShape1, P::AngelPage},
        {kLabel61, P::AroundPages},      {kLblCobrand, P::AroundPages},
        {kCmdExit, P::AroundPages},      {kNoControl, P::AroundPages},
        {kCboDate, P::BelowClientArea},  {kCboYear, P::BelowClientArea},
        {kFrame6, P::BelowClientArea},   {kOptDisplayOption2, P::BelowClientArea}};
    for (const auto& [id, partOfIt] : cases) {
        EXPECT_EQ(PartOf(id), partOfIt) << id;
        if (id == kNoControl) {
            continue;
        }
        const auto& part = parts[static_cast<int>(partOfIt)];
        const ControlId wanted = id; // clang 14 cannot capture a structured binding
        EXPECT_EQ(std::count_if(part.begin(), part.end(),
                                [wanted](const ControlSpec& spec) { return spec.id == wanted; }),
                  1)
            << id;
    }
    for (const auto& part : parts) {
        for (std::size_t i = 0; i < part.size(); ++i) {
            const ControlId container = part[i].container;
            if (container == kNoControl) {
                continue;
            }
            const auto before =
                std::find_if(part.begin(), part.begin() + static_cast<long>(i),
                             [&](const ControlSpec& spec) { return spec.id == container; });
            EXPECT_NE(before, part.begin() + static_cast<long>(i)) << part[i].id;
        }
    }
}

TEST(MainWindowLayout, AuxiliaryControlsLieBelowTheClientArea) {
    for (ControlId id : {kCboDate, kCboMonth, kCboYear, kFrame6}) {
        EXPECT_GT(FindControlSpec(id)->top, kClientHeightTwips) << id;
    }
}

} // namespace
} // namespace haloquill
