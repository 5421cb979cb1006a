#pragma once
// Calendar dates without time, their day arithmetic, and the ISO text form they are stored in.

#include <optional>
#include <string>
#include <string_view>

namespace haloquill {

struct CivilDate {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Days since 1970-01-01 in the proleptic Gregorian calendar.
long long DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(long long days);

CivilDate AddDays(const CivilDate& date, long long days);

// Whole calendar days from `from` to `to` (positive when `to` lies later).
long long DaysBetween(const CivilDate& from, const CivilDate& to);

bool IsValidDate(int year, int month, int day);

// "YYYY-MM-DD" with four-digit year.
std::string FormatIsoDate(const CivilDate& date);

// Accepts exactly "YYYY-MM-DD" naming a real date between the years 1 and 9999.
std::optional<CivilDate> ParseIsoDate(std::string_view text);

} // namespace haloquill
