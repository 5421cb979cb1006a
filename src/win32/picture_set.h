#pragma once
// The fourteen angel pictures, compiled in as JPEG resources drawn for several DPIs, decoded by
// the program's own decoder on first use from the set drawn nearest to the window's DPI and
// scaled to it. Picture n belongs to angel n.

#include "win32/unique_handle.h"

#include <windows.h>

#include <array>

namespace haloquill::win32 {

class PictureSet : Uncopyable {
  public:
    PictureSet(HINSTANCE instance, int dpi) : instance_(instance), dpi_(dpi) {}

    // Picture `number` (1 to 14) at its own pixel size scaled to the DPI; null for any other
    // number or when the picture cannot be decoded. The set keeps ownership.
    HBITMAP Picture(int number);

    // Pictures asked for from now on are for `dpi`. The ones decoded before are handed back, to
    // be kept until nothing shows them any more.
    using Decoded = std::array<UniqueGdiObject, 15>;
    Decoded ChangeDpi(int dpi);

  private:
    HINSTANCE instance_;
    int dpi_;
    Decoded pictures_;
};

} // namespace haloquill::win32
