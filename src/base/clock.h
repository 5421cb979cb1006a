#pragma once
// The local calendar date and time of day, as the program reads them from the system clock.

#include "base/civil_date.h"

namespace haloquill {

struct TimeOfDay {
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59
    int millisecond = 0;

    int SecondsSinceMidnight() const { return hour * 3600 + minute * 60 + second; }
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual CivilDate Today() const = 0;
    virtual TimeOfDay Now() const = 0;
};

} // namespace haloquill
