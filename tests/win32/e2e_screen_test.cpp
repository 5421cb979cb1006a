// The real Haloquill.exe as the user sees it: a window first shown after a start into the
// notification area (by the reminder, the icon's double-click or its menu's Show) looks, pixel
// for pixel, like the window of a start that shows it at once with the same stored settings, on
// both pages and after a move to a monitor of 144 DPI; and its picture is the angel its label
// names.

#include "angels/angel_catalogue.h"
#include "driver/program_driver.h"
#include "driver/screen_picture.h"
#include "driver/shown_start.h"
#include "e2e_steps.h"
#include "win32/picture_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <type_traits>

namespace haloquill::testing {
namespace {

enum class Way { Reminder, IconDoubleClick, MenuShow };
enum class Draw { AtStart, AtReminder, None };

// The client area of `window` on the screen at a few moments, so that a blinking caret is seen
// both ways; the promotion labels, one of which is chosen at random at each start, are left out.
struct PageShots {
    std::vector<ScreenPicture> moments;
    std::vector<RECT> leftOut; // client coordinates
};

RECT ClientOnScreen(HWND window) {
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

PageShots ShootPage(const RunningProgram& program) {
    EXPECT_TRUE(program.WaitUntilIdle());
    // One of the two labels shows, whichever the start chose.
    EXPECT_NE(program.IsVisible(kLblCobrand), program.IsVisible(kLblFullBrand));
    PageShots shots;
    for (ControlId label : {kLblCobrand, kLblFullBrand}) {
        RECT place{};
        ::GetWindowRect(program.Control(label), &place);
        ::MapWindowPoints(nullptr, program.MainWindow(), reinterpret_cast<POINT*>(&place), 2);
        shots.leftOut.push_back(place);
    }
    for (int moment = 0; moment < 3; ++moment) {
        ::Sleep(moment == 0 ? 150 : 300);
        shots.moments.push_back(ScreenPicture::Capture(ClientOnScreen(program.MainWindow())));
    }
    return shots;
}

bool IsLeftOut(const PageShots& shots, int x, int y) {
    return std::any_of(shots.leftOut.begin(), shots.leftOut.end(), [&](const RECT& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

// The fewest pixels that differ between a moment of one and a moment of the other.
long DifferingPixels(const PageShots& late, const PageShots& early) {
    long fewest = LONG_MAX;
    for (const ScreenPicture& a : late.moments) {
        for (const ScreenPicture& b : early.moments) {
            if (a.Width() != b.Width() || a.Height() != b.Height()) {
                return -1;
            }
            long differing = 0;
            for (int y = 0; y < a.Height(); ++y) {
                for (int x = 0; x < a.Width(); ++x) {
                    differing += a.At(x, y) != b.At(x, y) && !IsLeftOut(late, x, y) &&
                                 !IsLeftOut(early, x, y);
                }
            }
            fewest = std::min(fewest, differing);
        }
    }
    return fewest;
}

// The number of the angel whose name the label shows, 0 for none.
int AngelNamed(const std::string& name) {
    for (int number = 1; number <= kAngelCount; ++number) {
        if (LookUpAngel(number)->Name == name) {
            return number;
        }
    }
    return 0;
}

// The picture box shows exactly the executable's picture of the angel named on the label, as
// drawn for the window's DPI.
void ExpectBoxShowsNamedAngel(const RunningProgram& program, ProgramDriver& driver, ControlId box,
                              int dpi) {
    const int number = AngelNamed(program.Text(kLblCardName));
    ASSERT_NE(number, 0) << "the label names no angel: " << program.Text(kLblCardName);
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, decltype(&::FreeLibrary)> module(
        ::LoadLibraryExA(driver.ExecutablePath().c_str(), nullptr,
                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE),
        &::FreeLibrary);
    win32::PictureSet pictures(module.get(), dpi);
    HBITMAP picture = pictures.Picture(number);
    ASSERT_NE(picture, nullptr);
    BITMAP size{};
    ::GetObjectA(picture, sizeof size, &size);
    RECT place{};
    ::GetWindowRect(program.Control(box), &place);
    ASSERT_EQ(place.right - place.left, size.bmWidth);
    ASSERT_EQ(place.bottom - place.top, size.bmHeight);

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = -size.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> expected(static_cast<std::size_t>(size.bmWidth) * size.bmHeight);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, picture, 0, static_cast<UINT>(size.bmHeight), expected.data(), &format,
                DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    const ScreenPicture shown = ScreenPicture::Capture(place);
    long differing = 0;
    for (int y = 0; y < size.bmHeight; ++y) {
        for (int x = 0; x < size.bmWidth; ++x) {
            differing += shown.At(x, y) != (expected[y * size.bmWidth + x] & 0xFFFFFF);
        }
    }
    EXPECT_EQ(differing, 0) << "pixels of the picture box that are not angel " << number;
}

struct WindowShots {
    PageShots angel;
    PageShots settings;
};

// Both pages of the shown window, the settings page made as it first comes to the front, each
// checked against the angel named on the label.
WindowShots ShootBothPages(RunningProgram& program, ProgramDriver& driver, int dpi) {
    WindowShots shots;
    EXPECT_TRUE(WaitUntil([&] {
        return ::IsWindowVisible(program.MainWindow()) && !::IsIconic(program.MainWindow());
    }));
    shots.angel = ShootPage(program);
    ExpectBoxShowsNamedAngel(program, driver, kPicCard, dpi);
    EXPECT_TRUE(program.ShowSettingsPage());
    shots.settings = ShootPage(program);
    ExpectBoxShowsNamedAngel(program, driver, kPicCard2, dpi);
    return shots;
}

void MoveTo144Dpi(const RunningProgram& program) {
    const RECT suggested =
        SuggestedWindowRect(program.MainWindow(), MainWindowClientSize(144), true);
    ASSERT_TRUE(program.SendDpiChange(program.MainWindow(), 144, suggested));
    ASSERT_TRUE(program.WaitUntilIdle());
}

// Starts into the notification area with a draw due as asked, brings the window up the way
// asked (moved to 144 DPI while hidden when `dpi` says so), and shoots it; then ends the program
// and shoots a start that shows the window at once with the settings it left, moved to the same
// DPI on the screen. Both must look the same.
void ExpectLateWindowLooksLikeAShownStart(Way way, Draw draw, int dpi = 96,
                                          bool shownBeforeMove = false) {
    SCOPED_TRACE(::testing::Message()
                 << "way " << static_cast<int>(way) << ", draw " << static_cast<int>(draw) << ", "
                 << dpi << " DPI" << (shownBeforeMove ? ", shown before the move" : ""));
    ProgramDriver driver("HqScreen");
    RunEntryCleanup cleanup(driver.BaseName());
    WriteRunEntry(driver.BaseName(), "anything");
    StoreQuietLaterStart(driver);
    auto& settings = driver.Settings();
    settings.WriteSetting("Card", "6");
    settings.WriteSetting("Date", TodayIso(draw == Draw::AtStart ? 0 : 1));
    settings.WriteSetting("RunAtSysTray", "True");
    settings.WriteSetting("SystemTray", "True");
    settings.WriteSetting("AutorunStartUp", "True");

    // The reminder time is stored before the start, so that its lists show it as the later
    // start's do.
    const long long moment = way == Way::Reminder ? StoreReminderAhead(driver, 6) : 0;
    WindowShots late;
    {
        auto program = driver.Start(" /STARTUP");
        ASSERT_TRUE(program->WaitForMainWindow());
        ASSERT_TRUE(program->WaitUntilIdle());
        ASSERT_FALSE(::IsWindowVisible(program->MainWindow()));
        if (shownBeforeMove) {
            NotifyFromIcon(*program, kIconDoubleClick);
            ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()); }));
            program->PressCloseBox();
            ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(program->MainWindow()); }));
        }
        if (dpi != 96) {
            ASSERT_NO_FATAL_FAILURE(MoveTo144Dpi(*program));
        }
        if (draw == Draw::AtReminder) {
            settings.WriteSetting("Date", TodayIso(0));
        }
        if (way == Way::Reminder) {
            ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(program->MainWindow()); },
                                  std::chrono::seconds(moment - NowSeconds() + 8)));
        } else if (way == Way::IconDoubleClick) {
            NotifyFromIcon(*program, kIconDoubleClick);
        } else {
            program->PostCommand(kMnuPop);
        }
        late = ShootBothPages(*program, driver, dpi);
        ASSERT_TRUE(program->Close());
    }
    EXPECT_EQ(settings.ReadSetting("Date"), TodayIso(1));
    if (draw == Draw::None) {
        EXPECT_EQ(settings.ReadSetting("Card"), "6");
    }

    auto program = StartShown(driver);
    if (dpi != 96) {
        ASSERT_NO_FATAL_FAILURE(MoveTo144Dpi(*program));
    }
    const WindowShots early = ShootBothPages(*program, driver, dpi);
    ASSERT_TRUE(program->Close());
    EXPECT_EQ(DifferingPixels(late.angel, early.angel), 0) << "on the angel page";
    EXPECT_EQ(DifferingPixels(late.settings, early.settings), 0) << "on the settings page";
}

TEST(EndToEndScreen, WindowFirstShownByTheReminderLooksLikeAShownStart) {
    for (Draw draw : {Draw::AtStart, Draw::AtReminder, Draw::None}) {
        ExpectLateWindowLooksLikeAShownStart(Way::Reminder, draw);
    }
}

TEST(EndToEndScreen, WindowFirstShownFromTheIconLooksLikeAShownStart) {
    for (Way way : {Way::IconDoubleClick, Way::MenuShow}) {
        for (Draw draw : {Draw::AtStart, Draw::None}) {
            ExpectLateWindowLooksLikeAShownStart(way, draw);
        }
    }
}

// Moved while hidden and then shown, or moved while on the screen: the same window at 144 DPI.
TEST(EndToEndScreen, WindowMovedTo144DpiWhileHiddenLooksLikeOneMovedOnTheScreen) {
    ExpectLateWindowLooksLikeAShownStart(Way::IconDoubleClick, Draw::None, 144);
    ExpectLateWindowLooksLikeAShownStart(Way::IconDoubleClick, Draw::None, 144, true);
}

} // namespace
} // namespace haloquill::testing
