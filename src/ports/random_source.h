#pragma once
// The program-wide pseudo-random generator: numbers r uniform in 0 <= r < 1.

#include <cmath>

namespace haloquill {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    virtual double NextUnit() = 0;
};

// 1 + floor(count * r), kept inside 1..count.
inline int PickOneToN(RandomSource& random, int count) {
    const int picked = 1 + static_cast<int>(std::floor(count * random.NextUnit()));
    return picked < 1 ? 1 : (picked > count ? count : picked);
}

} // namespace haloquill
