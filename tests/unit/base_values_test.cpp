#include "app/seeded_random.h"
#include "base/civil_date.h"
#include "base/rounding.h"
#include "base/text_values.h"

#include <gtest/gtest.h>

#include <set>

namespace haloquill {
namespace {

TEST(CivilDate, DayArithmeticCrossesMonthYearAndLeapDays) {
    EXPECT_EQ(AddDays({2026, 12, 31}, 1), (CivilDate{2027, 1, 1}));
    EXPECT_EQ(AddDays({2024, 2, 28}, 1), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(AddDays({2100, 2, 28}, 1), (CivilDate{2100, 3, 1}));
    EXPECT_EQ(AddDays({2000, 2, 28}, 1), (CivilDate{2000, 2, 29}));
    EXPECT_EQ(AddDays({2026, 3, 1}, -1), (CivilDate{2026, 2, 28}));
    EXPECT_EQ(DaysBetween({2026, 12, 8}, {2026, 12, 23}), 15);
    EXPECT_EQ(DaysBetween({2026, 12, 23}, {2026, 12, 8}), -15);
    EXPECT_EQ(DaysFromCivil({1970, 1, 1}), 0);
}

TEST(CivilDate, RoundTripsEveryDayOverFourCenturies) {
    const long long first = DaysFromCivil({1900, 1, 1});
    const long long last = DaysFromCivil({2300, 12, 31});
    CivilDate expected{1900, 1, 1};
    for (long long day = first; day <= last; ++day) {
        const CivilDate date = CivilFromDays(day);
        ASSERT_EQ(date, expected) << day;
        ASSERT_EQ(DaysFromCivil(date), day);
        ASSERT_EQ(ParseIsoDate(FormatIsoDate(date)), date);
        expected.day += 1;
        if (!IsValidDate(expected.year, expected.month, expected.day)) {
            expected.day = 1;
            if (++expected.month > 12) {
                expected.month = 1;
                ++expected.year;
            }
        }
    }
}

TEST(CivilDate, IsoTextIsStrict) {
    EXPECT_EQ(FormatIsoDate({2026, 1, 5}), "2026-01-05");
    EXPECT_EQ(ParseIsoDate("2024-02-29"), (CivilDate{2024, 2, 29}));
    for (const char* bad : {"", "garbage", "2023-02-29", "2026-13-01", "2026-00-10", "2026-1-05",
                            "2026-01-5", " 2026-01-05", "2026-01-05 ", "0000-01-01", "2026/01/05",
                            "08.12.2026", "2026-01-32", "+026-01-05"}) {
        EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
    }
}

TEST(TextValues, WholeNumbersFitSixteenBits) {
    EXPECT_EQ(ParseWholeNumber("3"), 3);
    EXPECT_EQ(ParseWholeNumber("03"), 3);
    EXPECT_EQ(ParseWholeNumber(" 14 "), 14);
    EXPECT_EQ(ParseWholeNumber("-1"), -1);
    EXPECT_EQ(ParseWholeNumber("+7"), 7);
    EXPECT_EQ(ParseWholeNumber("32767"), 32767);
    EXPECT_EQ(ParseWholeNumber("-32768"), -32768);
    for (const char* bad : {"", " ", "32768", "-32769", "1e3", "0x10", "3.0", "abc", "1 2", "+",
                            "--1", "99999999999999999999"}) {
        EXPECT_FALSE(ParseWholeNumber(bad).has_value()) << bad;
    }
}

TEST(TextValues, BooleansAcceptAnyCaseAndNumbers) {
    EXPECT_EQ(ParseBoolean("True"), true);
    EXPECT_EQ(ParseBoolean("tRUE"), true);
    EXPECT_EQ(ParseBoolean("FALSE"), false);
    EXPECT_EQ(ParseBoolean("-1"), true);
    EXPECT_EQ(ParseBoolean("0"), false);
    EXPECT_FALSE(ParseBoolean("yes").has_value());
    EXPECT_FALSE(ParseBoolean("").has_value());
    EXPECT_FALSE(ParseBoolean("True ").has_value());
}

TEST(TextValues, RoundingSendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundHalfToEven(1.5), 2);
    EXPECT_EQ(RoundHalfToEven(2.5), 2);
    EXPECT_EQ(RoundHalfToEven(3.5), 4);
    EXPECT_EQ(RoundHalfToEven(6.5), 6);
    EXPECT_EQ(RoundHalfToEven(2.4999), 2);
    EXPECT_EQ(RoundHalfToEven(2.5001), 3);
    EXPECT_EQ(RoundHalfToEven(7.0), 7);
}

TEST(SeededRandom, GivesUnitNumbersAndEveryAngelEquallyOften) {
    SeededRandom random(12345);
    int counts[15] = {};
    for (int i = 0; i < 140000; ++i) {
        const int index = PickOneToN(random, 14);
        ASSERT_GE(index, 1);
        ASSERT_LE(index, 14);
        ++counts[index];
    }
    for (int index = 1; index <= 14; ++index) {
        EXPECT_NEAR(counts[index], 10000, 500) << index;
    }
}

TEST(SeededRandom, SameSeedSameSequenceOtherSeedOtherSequence) {
    SeededRandom a(SeedFromTimeOfDay(3600, 250));
    SeededRandom b(SeedFromTimeOfDay(3600, 250));
    SeededRandom c(SeedFromTimeOfDay(3600, 251));
    std::set<double> seen;
    for (int i = 0; i < 100; ++i) {
        const double value = a.NextUnit();
        EXPECT_EQ(value, b.NextUnit());
        EXPECT_GE(value, 0.0);
        EXPECT_LT(value, 1.0);
        seen.insert(value);
    }
    EXPECT_GT(seen.size(), 95u);
    EXPECT_NE(SeededRandom(SeedFromTimeOfDay(3600, 250)).NextUnit(), c.NextUnit());
}

} // namespace
} // namespace haloquill
