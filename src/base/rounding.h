#pragma once
// Rounding as the program's arithmetic does it.

namespace haloquill {

// Rounds to the nearest whole number, a half going to the even neighbour.
long long RoundHalfToEven(double value);

} // namespace haloquill
