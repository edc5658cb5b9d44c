#pragma once
#include <vector>

#include "core/calendar_state.h"

namespace planek {

struct Plan;
struct grupa;

// The group settings the calendar reads, false when no group is selected.
bool saturday_as_holiday(const Plan& plan);
bool without_holidays(const Plan& plan);

// The counters of a month: W, the working weekdays (Monday to Friday, less
// statutory holidays on those days, after the own-calendar overrides), and
// S, the statutory holidays falling on a Saturday.
struct month_counters {
    int weekdays = 0;
    int saturdayHolidays = 0;
};

// Builds the day table of the shown month (plan.year, plan.month) with the
// current group's settings and the overrides of period month periodMonth,
// whose day entries and nextMonthStart it fills when that month exists.
month_counters zbuduj_dni_miesiaca(Plan& plan, int periodMonth);

// The most week columns a plan holds: a worker keeps one duty list per
// column, and a month has at most 31.
constexpr int kMaxWeekColumns = 31;

// Number of ISO 8601 weeks of a year (52 or 53).
int weeks_in_year(int year);
// The week table of a year: from the week holding 1 January, for
// weeks_in_year + extra entries, numbered by ISO week, wrapping to 1.
std::vector<week_column> tabela_tygodni(int year, int extra);
// The run of count weeks starting at week `from` (a match in the very
// first entry counts only below week 50); nothing when no entry matches.
std::vector<week_column> wybierz_tygodnie(int year, int from, int count);

// Builds the week columns of week mode into the day table and the day
// entries of period month periodMonth. Column i is numbered WeekModeFrom + i
// also past a year's end, the number its duties and days off are stored
// under; the week table only says which calendar weeks the run covers.
void zbuduj_tygodnie(Plan& plan, int periodMonth);

// Working days among day indexes fromDay..toDay of the shown month (both
// included); in week mode every column counts. An empty range gives 0.
int ile_roboczych(const Plan& plan, int fromDay, int toDay);

// A day of the whole settlement period (1-based) as (period month, day of
// that month); (0, 0) when the period is empty or the day lies outside it.
struct period_day {
    int month = 0;
    int day = 0;
};
period_day zwroc_dzien_mies(const Plan& plan, int periodDay);

}  // namespace planek
