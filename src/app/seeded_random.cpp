#include "app/seeded_random.h"

namespace haloquill {

double SeededRandom::NextUnit() {
    const auto high = static_cast<std::uint32_t>(engine_() >> 5); // 27 bits
    const auto low = static_cast<std::uint32_t>(engine_() >> 6);  // 26 bits
    return (static_cast<double>(high) * 67108864.0 + static_cast<double>(low)) / 9007199254740992.0;
}

std::uint32_t SeedFromTimeOfDay(int secondsSinceMidnight, int millisecond) {
    return static_cast<std::uint32_t>(secondsSinceMidnight) * 1000u +
           static_cast<std::uint32_t>(millisecond);
}

} // namespace haloquill
