#pragma once
// A random source that gives the numbers a test lists, in order, and counts what was taken.

#include "ports/random_source.h"

#include <deque>
#include <stdexcept>

namespace haloquill::testing {

class ScriptedRandom final : public RandomSource {
  public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<double> values) : queue(values) {}

    double NextUnit() override {
        ++taken;
        if (queue.empty()) {
            throw std::logic_error("ScriptedRandom: no number left");
        }
        const double value = queue.front();
        queue.pop_front();
        return value;
    }

    // The r that makes 1 + floor(14 r) pick angel `index`.
    static double ForAngel(int index) { return (index - 1 + 0.5) / 14.0; }

    std::deque<double> queue;
    int taken = 0;
};

} // namespace haloquill::testing
