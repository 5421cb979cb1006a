#include "reminder/reminder_schedule.h"

#include "base/text_values.h"
#include "settings/setting_keys.h"

namespace haloquill {

namespace {

constexpr long long kSecondsPerDay = 86400;

bool IsTimeOfDay(const ReminderTime& time) {
    return time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59 &&
           time.second >= 0 && time.second <= 59;
}

} // namespace

std::optional<ReminderTime> ReadReminderTime(const SettingsStore& store) {
    const auto hour = ParseWholeNumber(store.ReadSetting(keys::kHour));
    const auto minute = ParseWholeNumber(store.ReadSetting(keys::kMinute));
    const auto second = ParseWholeNumber(store.ReadSetting(keys::kSecond));
    if (!hour || !minute || !second) {
        return std::nullopt;
    }
    return ReminderTime{*hour, *minute, *second};
}

bool ReminderSchedule::IsDue(const std::optional<ReminderTime>& time, const CivilDate& today,
                             const TimeOfDay& now) {
    const long long day = DaysFromCivil(today);
    const long long tick = day * kSecondsPerDay + now.SecondsSinceMidnight();
    const std::optional<long long> previous = previousTick_;
    previousTick_ = tick;
    if (!time) {
        return false;
    }
    if (time->hour == now.hour && time->minute == now.minute && time->second == now.second) {
        return true;
    }
    if (!previous || !IsTimeOfDay(*time)) {
        return false;
    }
    const long long gap = tick - *previous;
    if (gap <= 0 || gap > kLongestTickGapSeconds) {
        return false;
    }
    // The stored moment on the day of this tick, or on the day before when midnight lay between.
    const long long offset = time->hour * 3600LL + time->minute * 60LL + time->second;
    for (long long candidateDay : {day, day - 1}) {
        const long long moment = candidateDay * kSecondsPerDay + offset;
        if (moment > *previous && moment <= tick) {
            return true;
        }
    }
    return false;
}

} // namespace haloquill
