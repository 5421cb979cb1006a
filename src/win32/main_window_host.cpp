// The main window as the controller's host: shown, hidden or minimised, in the notification area,
// and the focus kept while the window is left.

#include "win32/main_window.h"

#include "design/app_texts.h"
#include "win32/menus.h"
#include "win32/quit_program.h"
#include "win32/window_class.h"
#include "win32/window_dpi.h"

#include <utility>

namespace haloquill::win32 {

void MainWindow::ShowPresence(const WindowPresence& now) {
    const WindowPresence before = std::exchange(shownPresence_, now);
    // The icon comes before the window goes, and goes after the window came.
    if (now.iconWanted && (!before.iconWanted || now.iconOffers != before.iconOffers)) {
        HICON current = reinterpret_cast<HICON>(::SendMessageW(window_, WM_GETICON, ICON_SMALL, 0));
        tray_.Add(receiver_, current ? current : icons_.Small(), texts::kTrayTip);
    }
    const bool windowAsBefore = now.shown == before.shown && now.state == before.state &&
                                now.raises == before.raises && now.centrings == before.centrings;
    if (!windowAsBefore) {
        const bool visible = ::IsWindowVisible(window_) != FALSE;
        if (!now.shown) {
            if (visible && now.state == WindowState::Minimized && !::IsIconic(window_)) {
                ::ShowWindow(window_, SW_MINIMIZE);
            }
            ::ShowWindow(window_, SW_HIDE);
        } else if (now.state == WindowState::Minimized) {
            if (!visible || !::IsIconic(window_)) {
                ::ShowWindow(window_, visible ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
            }
        } else if (::IsIconic(window_)) {
            Restore();
        } else {
            ::ShowWindow(window_, SW_SHOW);
            BringToFront();
        }
        if (now.shown && now.centrings != before.centrings) {
            CentreOnScreen(window_);
        }
    }
    if (!now.iconWanted && before.iconWanted) {
        tray_.Remove();
    }
}

void MainWindow::Restore() {
    ::ShowWindow(window_, SW_RESTORE);
    RECT frame{};
    ::GetWindowRect(window_, &frame);
    FitWindowToClient(window_, frame, MainWindowClientSize(gdi_.Dpi()));
    BringToFront();
}

void MainWindow::BringToFront() {
    // An open About window keeps the main window blocked and stays in front of it.
    if (about_ && about_->IsOpen()) {
        ::EnableWindow(window_, FALSE);
        about_->BringToFront();
    } else {
        ::SetForegroundWindow(window_);
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
    if (HWND control = Control(focus_.ToFocus(frontPage_, canTakeFocus_))) {
        ::SetFocus(control);
    }
}

} // namespace haloquill::win32
