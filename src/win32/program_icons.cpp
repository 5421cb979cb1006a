#include "win32/program_icons.h"

#include "win32/window_dpi.h"

namespace haloquill::win32 {

namespace {

HICON LoadProgramIcon(HINSTANCE instance, int metric, int dpi) {
    const int size = SystemMetricAt(metric, dpi);
    // Not shared: a shared icon keeps the first size asked for, whatever is asked later.
    return static_cast<HICON>(::LoadImageA(instance, MAKEINTRESOURCEA(kProgramIconResource),
                                           IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

ProgramIcons::ProgramIcons(HINSTANCE instance, int dpi)
    : large_(LoadProgramIcon(instance, SM_CXICON, dpi)),
      small_(LoadProgramIcon(instance, SM_CXSMICON, dpi)), dpi_(dpi) {}

} // namespace haloquill::win32
