#pragma once
// What the screen shows, copied pixel by pixel, and small patterns to look for in it: a program's
// icon and a line of text, drawn here the way the shell and the menus draw them.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace haloquill::testing {

// A copy of part of the screen; pixels are 0x00RRGGBB.
class ScreenPicture {
  public:
    static ScreenPicture Capture(const RECT& area);

    const RECT& Area() const { return area_; }
    int Width() const { return area_.right - area_.left; }
    int Height() const { return area_.bottom - area_.top; }
    std::uint32_t At(int x, int y) const { return pixels_[y * Width() + x]; }

  private:
    RECT area_{};
    std::vector<std::uint32_t> pixels_;
};

// A small picture of which only some pixels count: those the thing drawn covers.
struct Pattern {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::vector<bool> counts;
};

// The pixels an icon covers fully when DrawIconEx draws it at `size` × `size` (found by drawing
// it on black and on white: they come out the same on both).
Pattern IconPattern(HICON icon, int size);
// The same for an icon resource of an executable file, loaded as LoadImage loads it.
Pattern IconPatternFromFile(const std::string& executable, int resourceId, int size);
// A line of text as DrawText draws it in `ink` on `paper`, cut to the box its ink covers.
Pattern TextPattern(const std::string& text, const LOGFONTA& font, COLORREF ink, COLORREF paper);

// The screen positions of the top-left corner of each place where every counting pixel of the
// pattern is shown exactly.
std::vector<POINT> FindPattern(const ScreenPicture& picture, const Pattern& pattern);

// The centre of a pattern found at `at`.
POINT CentreOf(const Pattern& pattern, POINT at);

} // namespace haloquill::testing
