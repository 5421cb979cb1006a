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

// A date and a time of day taken from one reading of the clock, so that they agree even across
// midnight.
struct LocalMoment {
    CivilDate date;
    TimeOfDay time;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalMoment Read() const = 0;
    CivilDate Today() const { return Read().date; }
    TimeOfDay Now() const { return Read().time; }
};

} // namespace haloquill
