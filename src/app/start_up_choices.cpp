#include "app/start_up_choices.h"

#include "base/text_values.h"
#include "settings/autorun_entry.h"
#include "settings/setting_keys.h"

#include <utility>

namespace haloquill {

void StartUpChoices::cboHour_Click() {
    StoreTime(ChoiceList::Hour, keys::kHour);
}

void StartUpChoices::cboMinute_Click() {
    StoreTime(ChoiceList::Minute, keys::kMinute);
}

void StartUpChoices::cboSecond_Click() {
    StoreTime(ChoiceList::Second, keys::kSecond);
}

void StartUpChoices::OnListChanged(ChoiceList list) {
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

void StartUpChoices::chkSysTray_Click() {
    if (!ports_.ending()) {
        ports_.store.WriteSetting(keys::kRunAtSysTray, BooleanText(model_.sysTrayChecked));
    }
}

void StartUpChoices::optRun_Click() {
    if (ports_.ending()) {
        return;
    }
    SetAutorunEntry(ports_.runKey, ports_.messages, ports_.executable(), true);
    if (!ports_.ending()) {
        model_.sysTrayEnabled = true;
    }
}

void StartUpChoices::optDontRun_Click() {
    if (ports_.ending()) {
        return;
    }
    SetAutorunEntry(ports_.runKey, ports_.messages, ports_.executable(), false);
    if (!ports_.ending()) {
        model_.sysTrayEnabled = false;
        CheckSysTray(false);
    }
}

void StartUpChoices::UserSelectsRunOption(bool run) {
    model_.runSelected = run;
    if (!run) {
        optDontRun_Click();
        return;
    }
    optRun_Click();
    if (!ports_.ending()) {
        const std::string name = ports_.executable().baseName;
        if (IsStartTurnedOffInWindows(ports_.runKey, name)) {
            ports_.runKey.RemoveApproval(name);
        }
    }
}

void StartUpChoices::Select(ChoiceList list, int position) {
    if (ports_.ending() || model_.Selection(list) == position) {
        return;
    }
    model_.Select(list, position);
    OnListChanged(list);
}

void StartUpChoices::CheckSysTray(bool checked) {
    if (ports_.ending() || model_.sysTrayChecked == checked) {
        return;
    }
    model_.sysTrayChecked = checked;
    chkSysTray_Click();
}

void StartUpChoices::SelectRunOption(bool run) {
    if (ports_.ending() || model_.runSelected == run) {
        return;
    }
    model_.runSelected = run;
    if (run) {
        optRun_Click();
    } else {
        optDontRun_Click();
    }
}

void StartUpChoices::ShowRunEntry(bool entryExists) {
    SelectRunOption(entryExists);
    if (entryExists) {
        CheckSysTray(ports_.store.ReadSetting(keys::kRunAtSysTray, "False") == "True");
    }
}

void StartUpChoices::ChooseFirstTime() {
    for (ChoiceList list : {ChoiceList::Hour, ChoiceList::Minute, ChoiceList::Second}) {
        Select(list, 0);
    }
    ports_.store.WriteSetting(keys::kHour, "7");
    ports_.store.WriteSetting(keys::kMinute, "0");
    ports_.store.WriteSetting(keys::kSecond, "0");
}

void StartUpChoices::LoadSettings() {
    const SettingsStore& store = ports_.store;
    CheckSysTray(store.ReadSetting(keys::kSystemTray, "False") == "True");
    if (const auto run = ParseBoolean(store.ReadSetting(keys::kAutorunStartUp, "False"))) {
        SelectRunOption(*run &&
                        !IsStartTurnedOffInWindows(ports_.runKey, ports_.executable().baseName));
    }
    const std::pair<ChoiceList, std::string_view> times[] = {
        {ChoiceList::Hour, keys::kHour},
        {ChoiceList::Minute, keys::kMinute},
        {ChoiceList::Second, keys::kSecond},
    };
    for (const auto& [list, key] : times) {
        if (const int position = FindChoice(list, store.ReadSetting(key)); position >= 0) {
            Select(list, position);
        }
    }
    loaded_ = !ports_.ending();
}

void StartUpChoices::SaveSettings() {
    if (!ports_.ending()) {
        WriteChoices();
    }
}

void StartUpChoices::SaveLoadedSettings() {
    if (loaded_) {
        WriteChoices();
    }
}

void StartUpChoices::WriteChoices() {
    ports_.store.WriteSetting(keys::kAutorunStartUp, BooleanText(model_.runSelected));
    ports_.store.WriteSetting(keys::kSystemTray, BooleanText(model_.sysTrayChecked));
}

void StartUpChoices::StoreTime(ChoiceList list, std::string_view key) {
    if (ports_.ending()) {
        return;
    }
    const int position = model_.Selection(list);
    const auto& entries = ChoiceListEntries(list);
    if (position >= 0 && position < static_cast<int>(entries.size())) {
        ports_.store.WriteSetting(key, entries[static_cast<std::size_t>(position)]);
    }
}

} // namespace haloquill
