// The main window as the controller's host: shown, hidden or minimised, in the notification area,
// and the focus kept while the window is left.

#include "win32/main_window.h"

#include "win32/menus.h"
#include "win32/quit_program.h"
#include "win32/window_class.h"
#include "win32/window_dpi.h"

namespace haloquill::win32 {

void MainWindow::ShowMainWindow(WindowState state) {
    // Made in one go while still hidden, so nothing half-done is seen.
    if (!BuildWindow()) {
        EndForWindowFailure();
        return;
    }
    const bool minimized = state == WindowState::Minimized;
    ::ShowWindow(window_, minimized ? SW_SHOWMINNOACTIVE : SW_SHOW);
    if (!minimized) {
        BringToFront();
    }
}

bool MainWindow::IsMainWindowVisible() const {
    return ::IsWindowVisible(window_) != FALSE;
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

void MainWindow::HideMainWindow() {
    ::ShowWindow(window_, SW_HIDE);
}

void MainWindow::SetWindowState(WindowState state) {
    if (state == WindowState::Minimized) {
        ::ShowWindow(window_, SW_MINIMIZE);
    } else if (::IsIconic(window_)) {
        ::ShowWindow(window_, SW_RESTORE);
        // Restored at the size it had; the DPI may have changed while it was minimised.
        RECT frame{};
        ::GetWindowRect(window_, &frame);
        FitWindowToClient(window_, frame, MainWindowClientSize(gdi_.Dpi()));
        BringToFront();
    }
}

void MainWindow::CentreMainWindow() {
    CentreOnScreen(window_);
}

void MainWindow::RestoreProgramIcon() {
    ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons_.Large()));
    ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons_.Small()));
}

bool MainWindow::AddNotificationIcon(std::string_view tip) {
    HICON current = reinterpret_cast<HICON>(::SendMessageA(window_, WM_GETICON, ICON_SMALL, 0));
    return tray_.Add(receiver_, current ? current : icons_.Small(), tip);
}

void MainWindow::RemoveNotificationIcon() {
    tray_.Remove();
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
