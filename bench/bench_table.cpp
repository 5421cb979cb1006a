#include "bench_table.h"

#include <algorithm>
#include <cstdio>

namespace haloquill::bench {

namespace {

std::string Fixed(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// The ratio and, when the measure has a target, the target and whether it is met. A floor of zero
// gives no ratio.
std::string RatioCells(double haloquill, double floor, double target) {
    if (floor <= 0) {
        return target > 0 ? "- | at most " + Fixed(target) + ": no ratio |" : "- | - |";
    }
    const double ratio = haloquill / floor;
    std::string cells = Fixed(ratio) + " | ";
    if (target > 0) {
        cells += "at most " + Fixed(target) + (ratio <= target ? ": met" : ": missed");
    } else {
        cells += "-";
    }
    return cells + " |";
}

} // namespace

Stats Summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    if (values.empty()) {
        return {};
    }
    return {values.front(), values[values.size() / 2], values.back()};
}

std::string Row(const std::string& what, double haloquill, double floor, const char* unit,
                double target) {
    char line[256];
    std::snprintf(line, sizeof line, "| %s | %.1f %s | %.1f %s | ", what.c_str(), haloquill, unit,
                  floor, unit);
    return line + RatioCells(haloquill, floor, target) + "\n";
}

std::string StatsRow(const std::string& what, const Stats& haloquill, const Stats& floor,
                     double target) {
    char line[256];
    std::snprintf(line, sizeof line, "| %s | %.0f / %.0f / %.0f ms | %.0f / %.0f / %.0f ms | ",
                  what.c_str(), haloquill.minimum, haloquill.median, haloquill.maximum,
                  floor.minimum, floor.median, floor.maximum);
    return line + RatioCells(haloquill.median, floor.median, target) + "\n";
}

} // namespace haloquill::bench
