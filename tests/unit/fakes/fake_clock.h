#pragma once
// A clock that shows whatever date and time the test sets, or, when `readings` holds any, gives
// them one per reading, as a real clock moves on between two readings.

#include "ports/clock.h"

#include <deque>

namespace haloquill::testing {

class FakeClock final : public Clock {
  public:
    LocalMoment Read() const override {
        if (readings.empty()) {
            return {today, now};
        }
        const LocalMoment next = readings.front();
        readings.pop_front();
        return next;
    }

    CivilDate today{2026, 12, 8};
    TimeOfDay now{12, 0, 0, 0};
    mutable std::deque<LocalMoment> readings;
};

} // namespace haloquill::testing
