#pragma once
// What changes with the DPI of the monitor a window is on: the sizes of the client areas, which
// drawn set of pictures to show and at what size, the icon sizes, and the window rectangle that
// follows a change of DPI.

#include "design/control_places.h"

#include <cstdint>
#include <optional>

namespace haloquill {

struct PixelSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The design's client areas at `dpi`.
PixelSize MainWindowClientSize(int dpi);
PixelSize AboutWindowClientSize(int dpi);

// The DPI a change-of-DPI message carries (the vertical value in its high word), or nothing when
// it is no DPI a monitor can have.
std::optional<int> DpiOfChange(std::uintptr_t wParam);

// A set of the angel pictures, drawn for one DPI and kept as resources from `resourceBase` + 1.
struct PictureSetChoice {
    int drawnDpi = 96;
    int resourceBase = 100;
};

// The drawn set nearest to `dpi`, the larger one on a tie (shrinking keeps more detail than
// enlarging).
PictureSetChoice PictureSetFor(int dpi);
// The drawn set of every DPI, from the smallest.
inline constexpr PictureSetChoice kPictureSets[] = {{96, 100}, {144, 200}, {192, 300}};

// A picture drawn at `drawnDpi` with size `drawn`, as it is shown at `dpi`.
PixelSize PictureSizeAt(PixelSize drawn, int drawnDpi, int dpi);

// The window rectangle after a change of DPI: the suggested rectangle, whose size is then made
// up by what its client area would lack or have over `wantedClient` (menu bars and frames that
// the system did not scale with it).
PixelRect FittedWindowRect(const PixelRect& suggested, PixelSize clientInSuggested,
                           PixelSize wantedClient);

} // namespace haloquill
