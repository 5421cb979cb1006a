#include "base/rounding.h"

#include <cmath>

namespace haloquill {

long long RoundHalfToEven(double value) {
    const double lower = std::floor(value);
    const double fraction = value - lower;
    auto result = static_cast<long long>(lower);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0)) {
        ++result;
    }
    return result;
}

} // namespace haloquill
