#include "angels/angel_of_the_day.h"

#include "angels/angel_catalogue.h"
#include "base/civil_date.h"
#include "base/text_values.h"
#include "settings/setting_keys.h"

#include <string>

namespace haloquill {

void ShowAngelIn(MainWindowModel& model, int index) {
    if (const auto card = LookUpAngel(index)) {
        // The empty slot 0 has a name and a description (both empty) but no picture.
        if (index >= 1 && index <= kAngelCount) {
            model.picture = index;
        }
        model.cardName = card->Name;
        model.cardDescription = card->Description;
    }
}

int AngelOfTheDay::KeepAngel(int index) {
    store_.WriteSetting(keys::kCard, std::to_string(index));
    return index;
}

int AngelOfTheDay::DrawAngelOfTheDay() {
    return KeepAngel(PickOneToN(random_, kAngelCount));
}

bool AngelOfTheDay::IsDrawDue(const CivilDate& today) const {
    const auto nextDraw = ParseIsoDate(store_.ReadSetting(keys::kDate));
    return !nextDraw || DaysBetween(today, *nextDraw) <= 0;
}

void AngelOfTheDay::AdvanceDrawDate(const CivilDate& today) {
    store_.WriteSetting(keys::kDate, FormatIsoDate(AddDays(today, 1)));
}

int AngelOfTheDay::StartUpAngel(bool firstRun) {
    if (firstRun) {
        store_.WriteSetting(keys::kDate, FormatIsoDate(clock_.Today()));
        return DrawAngelOfTheDay();
    }
    const auto stored = ParseWholeNumber(store_.ReadSetting(keys::kCard));
    int index = stored.value_or(0);
    if (IsDrawDue()) {
        AdvanceDrawDate();
        index = PickOneToN(random_, kAngelCount);
    } else if (index < 1 || index > kAngelCount) {
        index = PickOneToN(random_, kAngelCount);
    }
    return KeepAngel(index);
}

} // namespace haloquill
