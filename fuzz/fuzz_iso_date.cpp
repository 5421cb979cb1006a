// Fuzzes the reader of stored dates ("Date", "UpdateCheckDate") and the day arithmetic on what
// it accepts.

#include "base/civil_date.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto date = haloquill::ParseIsoDate(text);
    if (!date) {
        return 0;
    }
    // Only the exact form is accepted, and the next day is one day later.
    if (haloquill::FormatIsoDate(*date) != text) {
        std::abort();
    }
    const auto tomorrow = haloquill::AddDays(*date, 1);
    if (haloquill::DaysBetween(*date, tomorrow) != 1 ||
        haloquill::CivilFromDays(haloquill::DaysFromCivil(*date)) != *date) {
        std::abort();
    }
    return 0;
}
