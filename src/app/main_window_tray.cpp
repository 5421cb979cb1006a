// The one-second tick with the daily reminder, and the notification-area icon.

#include "app/main_window_controller.h"

#include "design/app_texts.h"

namespace haloquill {

void MainWindowController::Timer1_Timer() {
    const EventScope scope(*this);
    if (!started_ || !IsIdle()) {
        return;
    }
    RetryTrayIcon();
    const auto time = ReadReminderTime(ports_.store);
    const LocalMoment moment = ports_.clock.Read(); // one reading, so date and time agree
    if (!reminder_.IsDue(time, moment.date, moment.time)) {
        return;
    }
    if (angels_.IsDrawDue(moment.date)) {
        angels_.AdvanceDrawDate(moment.date);
        ShowAngel(angels_.DrawAngelOfTheDay());
    }
    Window().ShowMainWindow(windowState_);
    SetState(WindowState::Normal);
}

void MainWindowController::AddTrayIcon() {
    iconWanted_ = true;
    trayIconRetriesLeft_ = Window().AddNotificationIcon(texts::kTrayTip) ? 0 : kTrayIconRetries;
    SetState(WindowState::Minimized);
    Window().HideMainWindow();
}

void MainWindowController::RemoveTrayIcon() {
    iconWanted_ = false;
    trayIconRetriesLeft_ = 0;
    Window().RemoveNotificationIcon();
}

void MainWindowController::SetState(WindowState state) {
    // A hidden window is shown later in the state it was last given.
    windowState_ = state;
    if (Window().IsMainWindowVisible()) {
        Window().SetWindowState(state);
    }
}

void MainWindowController::OnTaskbarCreated() {
    const EventScope scope(*this);
    if (iconWanted_ && !closing_) {
        trayIconRetriesLeft_ = Window().AddNotificationIcon(texts::kTrayTip) ? 0 : kTrayIconRetries;
    }
}

void MainWindowController::RetryTrayIcon() {
    // A shell that is busy at logon may refuse the icon without a "TaskbarCreated" to follow.
    if (trayIconRetriesLeft_ > 0) {
        --trayIconRetriesLeft_;
        if (Window().AddNotificationIcon(texts::kTrayTip)) {
            trayIconRetriesLeft_ = 0;
        }
    }
}

void MainWindowController::ShowFromTray() {
    Window().ShowMainWindow(windowState_);
    SetState(WindowState::Normal);
    Window().RestoreProgramIcon();
    Window().CentreMainWindow();
    RemoveTrayIcon();
}

void MainWindowController::OnTrayNotification(TrayEvent event) {
    const EventScope scope(*this);
    if (!IsIdle()) {
        return;
    }
    if (event == TrayEvent::DoubleClick) {
        ShowFromTray();
    } else if (event == TrayEvent::RightButtonUp) {
        Window().ShowTrayMenu();
    }
}

} // namespace haloquill
