#include "win32/gdi_cache.h"

#include "win32/gdi_scopes.h"

#include <iterator>

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

namespace {

// The system's index of each SystemColour, in the enumeration's order.
constexpr int kSystemColourIndex[] = {COLOR_WINDOW,  COLOR_WINDOWTEXT, COLOR_BTNFACE,
                                      COLOR_BTNTEXT, COLOR_HIGHLIGHT,  COLOR_HIGHLIGHTTEXT,
                                      COLOR_HOTLIGHT};
static_assert(std::size(kSystemColourIndex) ==
              static_cast<std::size_t>(SystemColour::HotLight) + 1);

int SystemColourIndex(SystemColour role) {
    return kSystemColourIndex[static_cast<std::size_t>(role)];
}

} // namespace

COLORREF ToColorRef(const Colour& colour) {
    return colour.system ? ::GetSysColor(SystemColourIndex(*colour.system))
                         : ToColorRef(colour.rgb);
}

bool SystemHighContrast() {
    // A test hook: HALOQUILL_HIGH_CONTRAST=1 in the environment counts as the system's flag.
    // Wine always reports high contrast as off and ignores a change of it, so the tests of the
    // real window under Wine switch it on this way, with a high-contrast colour scheme set.
    wchar_t hook[2] = {};
    if (::GetEnvironmentVariableW(L"HALOQUILL_HIGH_CONTRAST", hook, 2) == 1 && hook[0] == L'1') {
        return true;
    }
    HIGHCONTRASTA contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

HBRUSH GdiCache::Brush(const Colour& colour) {
    return colour.system ? ::GetSysColorBrush(SystemColourIndex(*colour.system))
                         : Brush(colour.rgb);
}

int ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.Get() ? ::GetDeviceCaps(screen.Get(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

} // namespace haloquill::win32
