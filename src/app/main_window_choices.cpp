// The start-up choices: the handlers of the time lists and options, and the changes made by code.

#include "app/main_window_controller.h"

#include "base/text_values.h"
#include "settings/setting_keys.h"

namespace haloquill {

namespace {

ChoiceList ListOf(TimeList list) {
    switch (list) {
    case TimeList::Hour:
        return ChoiceList::Hour;
    case TimeList::Minute:
        return ChoiceList::Minute;
    case TimeList::Second:
        break;
    }
    return ChoiceList::Second;
}

} // namespace

void MainWindowController::cboHour_Click() {
    StoreTimeChoice(ChoiceList::Hour, keys::kHour);
}

void MainWindowController::cboMinute_Click() {
    StoreTimeChoice(ChoiceList::Minute, keys::kMinute);
}

void MainWindowController::cboSecond_Click() {
    StoreTimeChoice(ChoiceList::Second, keys::kSecond);
}

void MainWindowController::chkSysTray_Click() {
    if (IsClosing()) {
        return;
    }
    ports_.store.WriteSetting(keys::kRunAtSysTray, BooleanText(model_.sysTrayChecked));
}

void MainWindowController::optRun_Click() {
    if (IsClosing()) {
        return;
    }
    SetAutorunEntry(ports_.runKey, boxes_, ports_.executable(), true);
    if (IsClosing()) {
        return;
    }
    model_.sysTrayEnabled = true;
    Render();
}

void MainWindowController::optDontRun_Click() {
    if (IsClosing()) {
        return;
    }
    SetAutorunEntry(ports_.runKey, boxes_, ports_.executable(), false);
    if (IsClosing()) {
        return;
    }
    model_.sysTrayEnabled = false;
    Render();
    CheckSysTray(false);
}

bool MainWindowController::IsRunSelected() const {
    return model_.runSelected;
}

bool MainWindowController::IsSysTrayChecked() const {
    return model_.sysTrayChecked;
}

void MainWindowController::CheckSysTray(bool checked) {
    if (IsClosing() || model_.sysTrayChecked == checked) {
        return;
    }
    model_.sysTrayChecked = checked;
    Render();
    chkSysTray_Click();
}

void MainWindowController::SelectRunOption(bool run) {
    if (IsClosing() || model_.runSelected == run) {
        return;
    }
    model_.runSelected = run;
    Render();
    if (run) {
        optRun_Click();
    } else {
        optDontRun_Click();
    }
}

bool MainWindowController::SelectTimeText(TimeList list, std::string_view text) {
    const ChoiceList choice = ListOf(list);
    const int position = FindChoice(choice, text);
    if (position < 0) {
        return false;
    }
    SelectChoice(choice, position);
    return true;
}

void MainWindowController::SelectChoice(ChoiceList list, int position) {
    if (IsClosing() || model_.Selection(list) == position) {
        return;
    }
    model_.Select(list, position);
    Render();
    switch (list) {
    case ChoiceList::Hour:
        cboHour_Click();
        break;
    case ChoiceList::Minute:
        cboMinute_Click();
        break;
    case ChoiceList::Second:
        cboSecond_Click();
        break;
    default:
        break;
    }
}

void MainWindowController::StoreTimeChoice(ChoiceList list, std::string_view key) {
    if (IsClosing()) {
        return;
    }
    const int position = model_.Selection(list);
    const auto& entries = ChoiceListEntries(list);
    if (position >= 0 && position < static_cast<int>(entries.size())) {
        ports_.store.WriteSetting(key, entries[static_cast<std::size_t>(position)]);
    }
}

void MainWindowController::SaveSettings() {
    if (!IsClosing()) {
        haloquill::SaveSettings(ports_.store, *this);
    }
}

void MainWindowController::SaveLoadedChoices() {
    // Before the stored choices were loaded the controls show only their initial state, which
    // must not replace what the user chose.
    if (choicesLoaded_) {
        haloquill::SaveSettings(ports_.store, *this);
    }
}

} // namespace haloquill
