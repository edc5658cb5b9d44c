#include "calendar/holidays.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace planek {
namespace {

TEST(Holidays, EasterAndTheDatesHangingOnIt) {
    EXPECT_EQ(wielkanoc(2024), (civil_date{2024, 3, 31}));
    EXPECT_EQ(wielkanoc(2025), (civil_date{2025, 4, 20}));
    EXPECT_EQ(wielkanoc(2026), (civil_date{2026, 4, 5}));
    // The two exceptional corrections of the algorithm.
    EXPECT_EQ(wielkanoc(1954), (civil_date{1954, 4, 18}));
    EXPECT_EQ(wielkanoc(1981), (civil_date{1981, 4, 19}));
    EXPECT_EQ(wielkanoc(2038), (civil_date{2038, 4, 25}));
    EXPECT_EQ(wielkanoc(2285), (civil_date{2285, 3, 22}));

    const holiday_table t2025 = zaladuj_swieta(2025);
    EXPECT_EQ(t2025[2], (civil_date{2025, 4, 20}));
    EXPECT_EQ(t2025[3], (civil_date{2025, 4, 21}));
    EXPECT_EQ(t2025[6], (civil_date{2025, 6, 19}));  // Corpus Christi
}

TEST(Holidays, TableHoldsThirteenDatesWithChristmasEveButNotPentecost) {
    const holiday_table t = zaladuj_swieta(2025);
    ASSERT_EQ(t.size(), 13u);
    EXPECT_EQ(t[0], (civil_date{2025, 1, 1}));
    EXPECT_EQ(t[1], (civil_date{2025, 1, 6}));
    EXPECT_EQ(t[4], (civil_date{2025, 5, 1}));
    EXPECT_EQ(t[5], (civil_date{2025, 5, 3}));
    EXPECT_EQ(t[7], (civil_date{2025, 8, 15}));
    EXPECT_EQ(t[8], (civil_date{2025, 11, 1}));
    EXPECT_EQ(t[9], (civil_date{2025, 11, 11}));
    EXPECT_EQ(t[10], (civil_date{2025, 12, 24}));
    EXPECT_EQ(t[11], (civil_date{2025, 12, 25}));
    EXPECT_EQ(t[12], (civil_date{2025, 12, 26}));
    const civil_date pentecost{2025, 6, 8};
    EXPECT_EQ(std::find(t.begin(), t.end(), pentecost), t.end());
}

TEST(Holidays, DateArithmetic) {
    EXPECT_EQ(days_in_month(2024, 2), 29);
    EXPECT_EQ(days_in_month(2100, 2), 28);
    EXPECT_EQ(days_in_month(2000, 2), 29);
    EXPECT_EQ(days_in_month(2025, 13), 0);
    EXPECT_EQ(day_of_week(2026, 5, 1), 6);   // Friday
    EXPECT_EQ(day_of_week(2026, 5, 3), 1);   // Sunday
    EXPECT_EQ(day_of_week(2026, 8, 1), 7);   // Saturday
    EXPECT_EQ(day_of_week(1969, 12, 31), 4); // Wednesday, before the epoch
    EXPECT_EQ(add_days({2024, 2, 28}, 1), (civil_date{2024, 2, 29}));
    EXPECT_EQ(add_days({2025, 1, 1}, -1), (civil_date{2024, 12, 31}));
    EXPECT_EQ(days_between({2024, 1, 1}, {2025, 1, 1}), 366);
    EXPECT_EQ(first_sunday_of_january(2023), 1);
    EXPECT_EQ(first_sunday_of_january(2026), 4);
    EXPECT_EQ(first_sunday_of_january(2022), 2);
}

}  // namespace
}  // namespace planek
