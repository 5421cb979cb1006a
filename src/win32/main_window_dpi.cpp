// The main window moved to a monitor of another DPI: everything it draws is made again for the
// new DPI while the controls, what they hold and the focus stay.

#include "win32/main_window.h"

#include "win32/window_dpi.h"

#include <utility>

namespace haloquill::win32 {

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    HWND description = Control(kTxtCardDesc);
    const auto firstLine =
        description ? ::SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0) : 0;
    controls_.CloseLists();
    const PausedDrawing paused(window_);
    // The old fonts, brushes, pictures and icons go only when nothing shows them any more.
    const GdiCache previousGdi = std::exchange(gdi_, GdiCache(dpi, gdi_.HighContrast()));
    const PictureSet::Decoded previousPictures = pictures_.ChangeDpi(dpi);
    const ProgramIcons previousIcons = std::exchange(icons_, ProgramIcons(instance_, dpi));
    SetWindowIcons();
    tray_.ChangeIcon(icons_.Small());
    if (made_.Has(WindowPart::AroundPages)) {
        // A minimised window (one in the notification area too) has no size to fit: it takes
        // the design's size for the new DPI when it is restored.
        if (!::IsIconic(window_)) {
            FitWindowToClient(window_, suggested, MainWindowClientSize(dpi));
        }
        controls_.ApplyDpi();
        for (ControlId box : {kPicCard, kPicCard2}) {
            ShowPicture(box, shown_ ? shown_->picture : 0); // decoded anew for the new DPI
        }
        if (description) {
            const auto nowFirst = ::SendMessageA(description, EM_GETFIRSTVISIBLELINE, 0, 0);
            ::SendMessageA(description, EM_LINESCROLL, 0, firstLine - nowFirst);
        }
    }
}

} // namespace haloquill::win32
