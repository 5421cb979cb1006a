// The one-second tick with the daily reminder, and the notification-area icon.

#include "app/main_window_controller.h"

namespace haloquill {

void MainWindowController::Timer1_Timer() {
    const EventScope scope(*this);
    if (lifecycle_ != Lifecycle::Running || !IsIdle()) {
        return;
    }
    if (tray_.Tick()) {
        Render();
    }
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
    Render();
}

void MainWindowController::AddTrayIcon() {
    tray_.HideInTray();
    Render();
}

void MainWindowController::RemoveTrayIcon() {
    tray_.RemoveIcon();
    Render();
}

void MainWindowController::OnTaskbarCreated() {
    const EventScope scope(*this);
    if (!IsClosing()) {
        tray_.OnTaskbarCreated();
        Render();
    }
}

void MainWindowController::ShowFromTray() {
    tray_.ShowFromTray();
    Render();
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
