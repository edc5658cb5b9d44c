#pragma once
#include <array>

#include "core/clock.h"

namespace planek {

bool is_leap_year(int year);
int days_in_month(int year, int month);
int days_in_year(int year);
// Weekday code of a date: 1 = Sunday, 2 = Monday ... 7 = Saturday.
int day_of_week(int year, int month, int day);
int day_of_week(const civil_date& d);
// The date n days after (or before, for negative n) the given one.
civil_date add_days(const civil_date& d, int n);
// Days between two dates (b − a).
long days_between(const civil_date& a, const civil_date& b);

// Easter Sunday of a Gregorian year.
civil_date wielkanoc(int year);

// The statutory holidays of a year, in a fixed order: 1 and 6 January,
// Easter Sunday and Monday, 1 and 3 May, Corpus Christi, 15 August,
// 1 and 11 November, 24, 25 and 26 December.
using holiday_table = std::array<civil_date, 13>;
holiday_table zaladuj_swieta(int year);

// Day of January (1..7) on which the year's first Sunday falls.
int first_sunday_of_january(int year);

}  // namespace planek
