#pragma once
// A reminder that found the user busy or away: it waits to bring the window up until they are
// back, and is dropped when its day ends or the user opened the window themselves.

#include "base/civil_date.h"

#include <optional>

namespace haloquill {

class HeldReminder {
  public:
    void Hold(const CivilDate& day) { day_ = day; }
    void Release() { day_.reset(); }
    // True while a reminder of `today` waits; one of an earlier day is dropped.
    bool IsHeldOn(const CivilDate& today) {
        if (day_ && *day_ != today) {
            day_.reset();
        }
        return day_.has_value();
    }

  private:
    std::optional<CivilDate> day_;
};

} // namespace haloquill
