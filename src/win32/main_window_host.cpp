// The main window as the controller's host: shown, hidden or minimised, in the notification area,
// and the focus kept while the window is left.

#include "win32/main_window.h"

#include "app/window_steps.h"
#include "design/app_texts.h"
#include "win32/menus.h"
#include "win32/quit_program.h"
#include "win32/window_class.h"
#include "win32/window_dpi.h"

#include <utility>

namespace haloquill::win32 {

void MainWindow::ShowPresence(const WindowPresence& now) {
    const WindowPresence before = std::exchange(shownPresence_, now);
    const ScreenState screen{::IsWindowVisible(window_) != FALSE, ::IsIconic(window_) != FALSE};
    for (const WindowStep step : WindowSteps(before, now, screen)) {
        switch (step) {
        case WindowStep::OfferIcon: {
            HICON shown =
                reinterpret_cast<HICON>(::SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
            tray_.Add(receiver_.Get(), shown ? shown : icons_.Small(), texts::kTrayTip);
            break;
        }
        case WindowStep::Minimize:
            ::ShowWindow(window_, SW_MINIMIZE);
            break;
        case WindowStep::Hide:
            ::ShowWindow(window_, SW_HIDE);
            break;
        case WindowStep::ShowMinimizedInactive:
            ::ShowWindow(window_, SW_SHOWMINNOACTIVE);
            break;
        case WindowStep::Restore: {
            // Restored at the size it had, fitted to the design's client size, as the DPI may
            // have changed while it was minimised.
            ::ShowWindow(window_, SW_RESTORE);
            RECT frame{};
            ::GetWindowRect(window_, &frame);
            FitWindowToClient(window_, frame, MainWindowClientSize(gdi_.Dpi()));
            break;
        }
        case WindowStep::Show:
            ::ShowWindow(window_, SW_SHOW);
            break;
        case WindowStep::BringToFront:
            BringToFront();
            break;
        case WindowStep::Centre:
            CentreOnScreen(window_);
            break;
        case WindowStep::RemoveIcon:
            tray_.Remove();
            break;
        }
    }
}

void MainWindow::BringToFront() {
    // An open About window keeps the main window blocked and stays in front of it.
    if (about_ && about_->IsOpen()) {
        ::EnableWindow(window_, FALSE);
        about_->BringToFront();
    } else if (!::SetForegroundWindow(window_) || ::GetForegroundWindow() != window_) {
        // Windows keeps another program in front: the taskbar button flashes until the user
        // comes to the window, and nothing forces the focus.
        FLASHWINFO flash{sizeof flash, window_, FLASHW_TRAY | FLASHW_TIMERNOFG, 0, 0};
        ::FlashWindowEx(&flash);
    }
}

void MainWindow::SetWindowIcons() {
    ::SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.Large()));
    ::SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.Small()));
}

void MainWindow::ShowTrayMenu() {
    TrackTrayMenu(window_);
}

void MainWindow::QuitProgram() {
    if (about_) {
        about_->Close();
    }
    tray_.Remove();
    win32::QuitProgram();
}

ControlId MainWindow::FocusedControl() const {
    HWND focus = ::GetFocus();
    return focus && ::IsChild(window_, focus) ? static_cast<ControlId>(::GetDlgCtrlID(focus))
                                              : kNoControl;
}

bool MainWindow::ControlCanTakeFocus(ControlId id) const {
    HWND control = Control(id);
    return control && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
}

void MainWindow::RememberFocus() {
    focus_.Remember(FocusedControl());
}

void MainWindow::RestoreFocus() {
    const ControlId front = FrameOf(shown_ ? shown_->page : Page::Angel);
    if (HWND control = Control(focus_.ToFocus(front, canTakeFocus_))) {
        ::SetFocus(control);
    }
}

} // namespace haloquill::win32
