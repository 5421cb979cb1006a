// The main window moved to a monitor of another DPI: what it draws beyond its controls is made
// again for the new DPI.

#include "win32/main_window.h"

namespace haloquill::win32 {

std::optional<PixelSize> MainWindow::ClientSizeAt(int dpi) const {
    // A window never shown has no controls yet; it takes its size when it is first placed.
    return made_.Has(WindowPart::AroundPages) ? std::optional(MainWindowClientSize(dpi))
                                              : std::nullopt;
}

void MainWindow::OnDpiChanged(int dpi) {
    SetWindowIcons();
    tray_.ChangeIcon(icons_.Small());
    // The old pictures go only when nothing shows them any more.
    const PictureSet::Decoded previousPictures = pictures_.ChangeDpi(dpi);
    if (made_.Has(WindowPart::AroundPages)) {
        for (ControlId box : {kPicCard, kPicCard2}) {
            ShowPicture(box, shown_ ? shown_->picture : 0);
        }
    }
}

} // namespace haloquill::win32
