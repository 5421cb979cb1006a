#pragma once
// A clock that shows whatever date and time the test sets.

#include "base/clock.h"

namespace haloquill::testing {

class FakeClock final : public Clock {
  public:
    CivilDate Today() const override { return today; }
    TimeOfDay Now() const override { return now; }

    CivilDate today{2026, 12, 8};
    TimeOfDay now{12, 0, 0, 0};
};

} // namespace haloquill::testing
