#pragma once
// Fonts and brushes made once per window at its DPI and kept until the window goes.

#include "design/control_look.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <map>
#include <tuple>

namespace haloquill::win32 {

inline COLORREF ToColorRef(const Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

class GdiCache {
  public:
    explicit GdiCache(int dpi) : dpi_(dpi) {}

    HFONT Font(const FontSpec& spec);
    HBRUSH Brush(const Rgb& colour);
    int Dpi() const { return dpi_; }

  private:
    int dpi_;
    std::map<std::tuple<int, bool, bool>, UniqueGdiObject> fonts_;
    std::map<std::tuple<int, int, int>, UniqueGdiObject> brushes_;
};

// The screen's DPI as the program sees it.
int ScreenDpi();

} // namespace haloquill::win32
