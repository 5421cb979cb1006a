#pragma once
// The program icon at the two sizes a window shows it, drawn for one DPI and owned here.

#include "win32/unique_handle.h"

#include <windows.h>

namespace haloquill::win32 {

using UniqueIcon = UniqueHandle<ClosedBy<HICON, ::DestroyIcon>>;

// Resource number of the program icon.
inline constexpr int kProgramIconResource = 1;

class ProgramIcons {
  public:
    ProgramIcons() = default;
    // The icon of `instance` at the large and small icon sizes of `dpi`, each taken from the
    // size the icon file holds for it.
    ProgramIcons(HINSTANCE instance, int dpi);

    HICON Large() const { return large_.Get(); }
    HICON Small() const { return small_.Get(); }
    // The DPI the icons were drawn for; 0 for none.
    int Dpi() const { return dpi_; }

  private:
    UniqueIcon large_;
    UniqueIcon small_;
    int dpi_ = 0;
};

} // namespace haloquill::win32
