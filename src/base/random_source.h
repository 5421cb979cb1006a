#pragma once
// The program-wide pseudo-random generator: numbers r uniform in 0 <= r < 1.

#include <cstdint>
#include <random>

namespace haloquill {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual double NextUnit() = 0;
};

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

// 1 + floor(count * r), kept inside 1..count.
int PickOneToN(RandomSource& random, int count);

} // namespace haloquill
