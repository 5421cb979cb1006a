#pragma once
// Windows' answers about the user, as a test sets them.

#include "ports/user_attention.h"

namespace haloquill::testing {

class FakeUserAttention final : public UserAttention {
  public:
    AttentionReading Read() const override {
        ++reads;
        return reading;
    }

    AttentionReading reading{5, {}}; // accepts notifications, nothing in front
    mutable int reads = 0;
};

} // namespace haloquill::testing
