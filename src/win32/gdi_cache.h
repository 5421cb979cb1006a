#pragma once
// Fonts and brushes made once per window at its DPI and kept until the window goes or its DPI
// changes, when a cache for the new DPI takes its place.

#include "design/control_look.h"
#include "win32/unique_handle.h"

#include <windows.h>

#include <map>
#include <tuple>

namespace haloquill::win32 {

inline COLORREF ToColorRef(const Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// The system colour that stands for a role, or the design's colour.
COLORREF ToColorRef(const Colour& colour);

// Whether the system's high-contrast mode is on now.
bool SystemHighContrast();

class GdiCache {
  public:
    explicit GdiCache(int dpi) : GdiCache(dpi, SystemHighContrast()) {}
    GdiCache(int dpi, bool highContrast) : dpi_(dpi), highContrast_(highContrast) {}

    HFONT Font(const FontSpec& spec);
    HBRUSH Brush(const Rgb& colour);
    // A system colour's brush belongs to the system; a design colour's is kept here.
    HBRUSH Brush(const Colour& colour);
    int Dpi() const { return dpi_; }

    // Whether the windows drawn with this cache use only system colours; read again when the
    // setting changes.
    bool HighContrast() const { return highContrast_; }
    void SetHighContrast(bool on) { highContrast_ = on; }

  private:
    int dpi_;
    bool highContrast_;
    std::map<std::tuple<int, bool, bool>, UniqueGdiObject> fonts_;
    std::map<std::tuple<int, int, int>, UniqueGdiObject> brushes_;
};

// The screen's DPI as the program sees it.
int ScreenDpi();

} // namespace haloquill::win32
