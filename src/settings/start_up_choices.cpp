#include "settings/start_up_choices.h"

#include "base/text_values.h"
#include "settings/setting_keys.h"

namespace haloquill {

void SaveSettings(SettingsStore& store, const StartUpControls& controls) {
    store.WriteSetting(keys::kAutorunStartUp, BooleanText(controls.IsRunSelected()));
    store.WriteSetting(keys::kSystemTray, BooleanText(controls.IsSysTrayChecked()));
}

void LoadSettings(const SettingsStore& store, StartUpControls& controls) {
    controls.CheckSysTray(store.ReadSetting(keys::kSystemTray, "False") == "True");

    if (const auto run = ParseBoolean(store.ReadSetting(keys::kAutorunStartUp, "False"))) {
        controls.SelectRunOption(*run);
    }

    controls.SelectTimeText(TimeList::Hour, store.ReadSetting(keys::kHour));
    controls.SelectTimeText(TimeList::Minute, store.ReadSetting(keys::kMinute));
    controls.SelectTimeText(TimeList::Second, store.ReadSetting(keys::kSecond));
}

} // namespace haloquill
