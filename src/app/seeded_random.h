#pragma once
// The program's random generator, seeded once per run from the time of day.

#include "ports/random_source.h"

#include <cstdint>
#include <random>

namespace haloquill {

// Mersenne Twister; r is built from 53 bits of its output so it is the same on every platform.
class SeededRandom final : public RandomSource {
  public:
    explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
    double NextUnit() override;

  private:
    std::mt19937 engine_;
};

// The seed for a run: the time of day in milliseconds since midnight.
std::uint32_t SeedFromTimeOfDay(int secondsSinceMidnight, int millisecond);

} // namespace haloquill
