#include "design/dpi_scaling.h"

#include "design/about_layout.h"
#include "design/twips.h"

#include <cstdlib>

namespace haloquill {

namespace {

// The range of DPIs Windows gives a monitor: 100 % to 500 %, with room below for a smaller one.
constexpr int kLowestDpi = 48;
constexpr int kHighestDpi = 480;

} // namespace

PixelSize MainWindowClientSize(int dpi) {
    return {TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
}

PixelSize AboutWindowClientSize(int dpi) {
    return {TwipsToPixels(kAboutClientWidthTwips, dpi),
            TwipsToPixels(kAboutClientHeightTwips, dpi)};
}

std::optional<int> DpiOfChange(std::uintptr_t wParam) {
    const int dpi = static_cast<int>((wParam >> 16) & 0xFFFF);
    if (dpi < kLowestDpi || dpi > kHighestDpi) {
        return std::nullopt;
    }
    return dpi;
}

PictureSetChoice PictureSetFor(int dpi) {
    PictureSetChoice best = kPictureSets[0];
    for (const PictureSetChoice& set : kPictureSets) {
        if (std::abs(set.drawnDpi - dpi) <= std::abs(best.drawnDpi - dpi)) {
            best = set;
        }
    }
    return best;
}

PixelSize PictureSizeAt(PixelSize drawn, int drawnDpi, int dpi) {
    if (drawnDpi <= 0) {
        return drawn;
    }
    // Rounded to the nearest pixel, as the design's own pixels are.
    const auto scale = [&](int pixels) {
        return static_cast<int>((static_cast<long long>(pixels) * dpi + drawnDpi / 2) / drawnDpi);
    };
    return {scale(drawn.width), scale(drawn.height)};
}

PixelRect FittedWindowRect(const PixelRect& suggested, PixelSize clientInSuggested,
                           PixelSize wantedClient) {
    PixelRect fitted = suggested;
    fitted.right += wantedClient.width - clientInSuggested.width;
    fitted.bottom += wantedClient.height - clientInSuggested.height;
    return fitted;
}

} // namespace haloquill
