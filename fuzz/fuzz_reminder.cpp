// Fuzzes the reminder: stored time texts read from the store, then a run of ticks whose gaps come
// from the input. A reminder may only be due where the stored time lies at or within the gap
// before a tick.

#include "ports/settings_store.h"
#include "reminder/reminder_schedule.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

namespace {

class MapStore final : public haloquill::SettingsStore {
  public:
    std::optional<std::string> Read(std::string_view key) const override {
        const auto found = values.find(std::string(key));
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    }
    bool Write(std::string_view key, std::string_view value) override {
        values[std::string(key)] = std::string(value);
        return true;
    }
    std::map<std::string, std::string> values;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Three texts separated by newlines, then the tick gaps.
    std::string texts[3];
    std::size_t at = 0;
    for (std::string& text : texts) {
        while (at < size && data[at] != '\n') {
            text.push_back(static_cast<char>(data[at++]));
        }
        ++at;
    }
    MapStore store;
    store.values = {{"Hour", texts[0]}, {"Minute", texts[1]}, {"Second", texts[2]}};
    const auto time = haloquill::ReadReminderTime(store);

    haloquill::ReminderSchedule schedule;
    long long seconds = haloquill::DaysFromCivil({2026, 12, 8}) * 86400;
    for (; at < size; ++at) {
        seconds += data[at] % 8; // 0 to 7 seconds between ticks
        const long long secondOfDay = seconds % 86400;
        const haloquill::CivilDate day = haloquill::CivilFromDays(seconds / 86400);
        const haloquill::TimeOfDay now{static_cast<int>(secondOfDay / 3600),
                                       static_cast<int>(secondOfDay / 60 % 60),
                                       static_cast<int>(secondOfDay % 60), 0};
        if (schedule.IsDue(time, day, now)) {
            if (!time) {
                std::abort();
            }
            const long long stored = time->hour * 3600LL + time->minute * 60LL + time->second;
            const long long back = (secondOfDay - stored + 86400) % 86400;
            if (back > haloquill::kLongestTickGapSeconds) {
                std::abort();
            }
        }
    }
    return 0;
}
