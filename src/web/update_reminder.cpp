#include "web/update_reminder.h"

#include "base/civil_date.h"
#include "settings/setting_keys.h"

namespace haloquill {

void RemindOfUpdate(SettingsStore& store, const Clock& clock, MessageBoxes& messages,
                    WebPageLauncher& web) {
    const CivilDate today = clock.Today();
    const auto stored = ParseIsoDate(store.ReadSetting(keys::kUpdateCheckDate));
    if (!stored) {
        store.WriteSetting(keys::kUpdateCheckDate, FormatIsoDate(today));
        return;
    }
    const long long days = DaysBetween(today, *stored);
    if (days >= -14 && days <= 14) {
        return;
    }
    const BoxAnswer answer = messages.Show(kUpdateQuestion, BoxKind::InformationYesNo);
    if (answer == BoxAnswer::None) {
        return;
    }
    store.WriteSetting(keys::kUpdateCheckDate, FormatIsoDate(today));
    if (answer == BoxAnswer::Yes) {
        web.OpenDownloadPage();
    }
}

} // namespace haloquill
