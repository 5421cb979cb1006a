// The program's start: the update reminder, the start-up choices, the lists and the angel.

#include "app/main_window_controller.h"

#include "app/command_line.h"
#include "base/rounding.h"
#include "settings/setting_keys.h"
#include "web/update_reminder.h"

namespace haloquill {

void MainWindowController::StartProgram(std::string_view commandLine) {
    const EventScope scope(*this);
    Form_Load(commandLine);
    if (IsClosing()) {
        return;
    }
    // The promotion is chosen before the window shows, so that it comes up with its label.
    CoBrand_Randomize();
    tray_.ShowAtStart();
    lifecycle_ = Lifecycle::Running;
}

void MainWindowController::Form_Load(std::string_view commandLine) {
    SettingsStore& store = ports_.store;
    RemindOfUpdate(store, ports_.clock, boxes_, ports_.web);
    if (IsClosing()) {
        return; // the session ended while the question was open: nothing else is touched
    }

    choices_.ShowRunEntry(HasAutorunEntry(ports_.runKey, ports_.executable().baseName));

    if (IsClosing()) {
        return;
    }
    if (model_.sysTrayChecked && HasStartupArgument(commandLine)) {
        AddTrayIcon();
    }

    model_.listsFilled = true;
    model_.Select(ChoiceList::Date, 0);
    model_.Select(ChoiceList::Month, 0);
    model_.Select(ChoiceList::Year, 0);

    const bool firstRun = store.ReadSetting(keys::kHour).empty();
    if (firstRun) {
        choices_.ChooseFirstTime();
        ShowAngel(angels_.StartUpAngel(true));
        model_.page = Page::Settings;
    } else {
        ShowAngel(angels_.StartUpAngel(false));
        model_.page = Page::Angel;
    }

    choices_.LoadSettings();
}

void MainWindowController::CoBrand_Randomize() {
    const long long n = RoundHalfToEven(6.0 * ports_.random.NextUnit() + 1.0);
    if (n == 1 || n == 3 || n == 5) {
        model_.promo = PromoLabel::CoBrand;
    } else if (n == 2 || n == 4 || n == 6) {
        model_.promo = PromoLabel::FullBrand;
    }
}

} // namespace haloquill
