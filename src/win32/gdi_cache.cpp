#include "win32/gdi_cache.h"

namespace haloquill::win32 {

HFONT GdiCache::Font(const FontSpec& spec) {
    auto& font = fonts_[{spec.centiPoints, spec.bold, spec.underline}];
    if (!font) {
        // Height in pixels for a size in hundredths of a point.
        const int height = -::MulDiv(spec.centiPoints, dpi_, 7200);
        font.Reset(::CreateFontA(height, 0, 0, 0, spec.bold ? FW_BOLD : FW_NORMAL, FALSE,
                                 spec.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                 VARIABLE_PITCH | FF_SWISS, "Verdana"));
    }
    return static_cast<HFONT>(font.Get());
}

HBRUSH GdiCache::Brush(const Rgb& colour) {
    auto& brush = brushes_[{colour.red, colour.green, colour.blue}];
    if (!brush) {
        brush.Reset(::CreateSolidBrush(ToColorRef(colour)));
    }
    return static_cast<HBRUSH>(brush.Get());
}

int ScreenDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) {
        ::ReleaseDC(nullptr, screen);
    }
    return dpi > 0 ? dpi : 96;
}

} // namespace haloquill::win32
