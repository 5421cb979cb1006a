// The one-second tick with the daily reminder, and the notification-area icon.

#include "app/main_window_controller.h"

namespace haloquill {

void MainWindowController::Timer1_Timer() {
    const EventScope scope(*this);
    if (lifecycle_ != Lifecycle::Running || !IsIdle()) {
        return;
    }
    tray_.Tick();
    const auto time = ReadReminderTime(ports_.store);
    const LocalMoment moment = ports_.clock.Read(); // one reading, so date and time agree
    if (!reminder_.IsDue(time, moment.date, moment.time)) {
        return;
    }
    if (angels_.IsDrawDue(moment.date)) {
        angels_.AdvanceDrawDate(moment.date);
        ShowAngel(angels_.DrawAngelOfTheDay());
    }
    tray_.BringUp();
}

void MainWindowController::AddTrayIcon() {
    tray_.HideInTray();
}

void MainWindowController::RemoveTrayIcon() {
    tray_.RemoveIcon();
}

void MainWindowController::OnTaskbarCreated() {
    const EventScope scope(*this);
    if (!IsClosing()) {
        tray_.OnTaskbarCreated();
    }
}

void MainWindowController::ShowFromTray() {
    tray_.ShowFromTray();
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
