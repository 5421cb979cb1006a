#pragma once
// Decides, tick by tick, when the daily reminder is due: at the stored hour, minute and second,
// and also when that moment fell between two ticks close together, so that a late timer does not
// lose the reminder.

#include "ports/clock.h"
#include "ports/settings_store.h"

#include <optional>

namespace haloquill {

struct ReminderTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "Hour", "Minute" and "Second" as whole numbers; nothing when one is absent or not a number.
std::optional<ReminderTime> ReadReminderTime(const SettingsStore& store);

// Two ticks further apart than this (sleep, a long stall, a clock change) pass no reminder on.
inline constexpr long long kLongestTickGapSeconds = 5;

class ReminderSchedule {
  public:
    // True when the reminder is due at the tick that sees `today` and `now`.
    bool IsDue(const std::optional<ReminderTime>& time, const CivilDate& today,
               const TimeOfDay& now);

  private:
    std::optional<long long> previousTick_; // local seconds since 1970-01-01
};

} // namespace haloquill
