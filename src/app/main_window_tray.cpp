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
    if (held_.IsHeldOn(moment.date) && MayComeForwardNow()) {
        BringUpNow();
    }
    if (!reminder_.IsDue(time, moment.date, moment.time)) {
        return;
    }
    if (angels_.IsDrawDue(moment.date)) {
        angels_.AdvanceDrawDate(moment.date);
        ShowAngel(angels_.DrawAngelOfTheDay());
    }
    BringUpForReminder(moment.date);
}

void MainWindowController::BringUpForReminder(const CivilDate& today) {
    if (MayComeForwardNow()) {
        BringUpNow();
    } else {
        held_.Hold(today);
    }
}

void MainWindowController::BringUpNow() {
    held_.Release();
    tray_.BringUp();
}

bool MainWindowController::MayComeForwardNow() const {
    // Windows is asked only when the window would come up, never on an ordinary tick.
    return MayComeForward(ports_.attention.Read(), session_);
}

void MainWindowController::OnSessionChange(int change) {
    const EventScope scope(*this);
    const bool back = session_.Apply(change);
    if (back && lifecycle_ == Lifecycle::Running && IsIdle() &&
        held_.IsHeldOn(ports_.clock.Today())) {
        BringUpNow();
    }
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
    held_.Release(); // the user opened the window: a held reminder has nothing left to do
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
