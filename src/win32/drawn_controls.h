#pragma once
// The controls the program draws itself in the design's look: the lines of the drop-down lists
// and the command buttons, each drawn for its state.

#include "win32/gdi_cache.h"

#include <windows.h>

namespace haloquill::win32 {

// The height of a list's lines, so that the closed list has the design's height.
void MeasureListItem(MEASUREITEMSTRUCT& item, int dpi);
void DrawListItem(const DRAWITEMSTRUCT& item, GdiCache& gdi);
void DrawCommandButton(const DRAWITEMSTRUCT& item, GdiCache& gdi);

} // namespace haloquill::win32
