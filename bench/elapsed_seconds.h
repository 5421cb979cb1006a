#pragma once
// Seconds on the steady clock, which times the starts and the steps the tools measure; the driver
// records when it started a program on the same clock.

#include <chrono>

namespace haloquill::bench {

inline double
Seconds(std::chrono::steady_clock::time_point moment = std::chrono::steady_clock::now()) {
    return std::chrono::duration<double>(moment.time_since_epoch()).count();
}

} // namespace haloquill::bench
