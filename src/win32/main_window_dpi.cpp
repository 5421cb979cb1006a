// The main window moved to a monitor of another DPI: everything it draws is made again for the
// new DPI while the controls, what they hold and the focus stay.

#include "win32/main_window.h"

#include <utility>

namespace haloquill::win32 {

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    HWND description = Control(kTxtCardDesc);
    const auto firstLine =
        description ? ::SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0) : 0;
    controls_.CloseLists();
    // Nothing is drawn until all is in place, so no half-done layout is ever seen.
    const bool visible = ::IsWindowVisible(window_) != FALSE;
    if (visible) {
        ::SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    }
    // The old fonts, brushes, pictures and icons go only when nothing shows them any more.
    const GdiCache previousGdi = std::exchange(gdi_, GdiCache(dpi, gdi_.HighContrast()));
    const PictureSet::Decoded previousPictures = pictures_.ChangeDpi(dpi);
    const ProgramIcons previousIcons = std::exchange(icons_, ProgramIcons(instance_, dpi));
    RestoreProgramIcon();
    tray_.ChangeIcon(icons_.Small());
    if (built_) {
        FitWindow(suggested);
        controls_.ApplyDpi(gdi_);
        if (shownPicture_ != 0) {
            PutPictureInBoxes(shownPicture_);
        }
        if (description) {
            const auto nowFirst = ::SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0);
            ::SendMessageA(description, EM_LINESCROLL, 0, firstLine - nowFirst);
        }
    }
    if (visible) {
        ::SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(window_, nullptr, nullptr,
                       RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    }
}

} // namespace haloquill::win32
