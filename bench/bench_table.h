#pragma once
// The rows of the tables bench_runner prints: each measure for Haloquill and for a floor, their
// ratio and, when the measure has one, its target and whether it is met.

#include <string>
#include <vector>

namespace haloquill::bench {

struct Stats {
    double minimum = 0;
    double median = 0;
    double maximum = 0;
};

Stats Summarise(std::vector<double> values);

// One value of each, with its unit.
std::string Row(const std::string& what, double haloquill, double floor, const char* unit,
                double target = 0);

// Minimum, median and maximum in milliseconds; the ratio is that of the medians.
std::string StatsRow(const std::string& what, const Stats& haloquill, const Stats& floor,
                     double target = 0);

} // namespace haloquill::bench
