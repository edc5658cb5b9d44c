#include "calendar/day_table.h"

#include <gtest/gtest.h>

#include "calendar/norm.h"
#include "calendar_fixture.h"

namespace planek {
namespace {

using test::month_plan;

int holidays_marked(const Plan& plan) {
    int n = 0;
    for (const day& d : plan.days) n += d.holiday;
    return n;
}

TEST(DayTable, May2026SundayHolidayChangesNothing) {
    Plan plan = month_plan(2026, 5);
    const month_counters c = zbuduj_dni_miesiaca(plan, 0);
    ASSERT_EQ(plan.days.size(), 31u);
    EXPECT_EQ(plan.days[0].dayOfWeek, 6);  // 1 May, Friday
    EXPECT_EQ(plan.days[0].holiday, 1);
    EXPECT_EQ(plan.days[2].dayOfWeek, 1);  // 3 May, Sunday
    EXPECT_EQ(plan.days[2].holiday, 1);
    EXPECT_EQ(plan.days[1].holiday, 0);    // Saturday, not free for this group
    EXPECT_EQ(c.weekdays, 20);             // 21 weekdays less 1 May
    EXPECT_EQ(c.saturdayHolidays, 0);
    EXPECT_EQ(plan.months[0].dayCount, 31);
    EXPECT_EQ(plan.months[0].days[30].dayNumber, 31);
    // 1 June 2026 is a Monday.
    EXPECT_EQ(plan.months[0].nextMonthStart, 2);
}

TEST(DayTable, SaturdayHolidayIsCountedApartFromWorkingDays) {
    Plan plan = month_plan(2026, 8);  // 15 August 2026 is a Saturday
    month_counters c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(c.weekdays, 21);
    EXPECT_EQ(c.saturdayHolidays, 1);
    EXPECT_EQ(plan.days[14].holiday, 1);

    plan.groups[0].noHolidays = true;  // still counted, no longer marked
    c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(c.weekdays, 21);
    EXPECT_EQ(c.saturdayHolidays, 1);
    EXPECT_EQ(holidays_marked(plan), 0);
}

TEST(DayTable, GroupSettingsForSaturdaysAndHolidays) {
    Plan plan = month_plan(2025, 11);  // 1 Nov Saturday, 11 Nov Tuesday
    plan.groups[0].saturdayHoliday = true;
    month_counters c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(c.weekdays, 19);
    EXPECT_EQ(c.saturdayHolidays, 1);
    EXPECT_EQ(holidays_marked(plan), 11);  // 5 Saturdays, 5 Sundays, 11 Nov

    plan.groups[0].noHolidays = true;  // overrides the Saturdays too
    c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(c.weekdays, 19);  // statutory holidays still lower the count
    EXPECT_EQ(holidays_marked(plan), 0);
}

TEST(DayTable, NextMonthStart) {
    Plan plan = month_plan(2026, 4);  // 1 May is a statutory holiday
    zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.months[0].nextMonthStart, 1);

    plan = month_plan(2026, 12);  // 1 January always free
    zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.months[0].nextMonthStart, 1);

    plan = month_plan(2026, 7);  // 1 August 2026 is a Saturday
    zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.months[0].nextMonthStart, 7);
    plan.groups[0].saturdayHoliday = true;
    zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.months[0].nextMonthStart, 1);

    plan = month_plan(2026, 1);  // 1 February 2026 is a Sunday
    zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.months[0].nextMonthStart, 1);
    plan.groups[0].noHolidays = true;
    zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.months[0].nextMonthStart, 2);
}

TEST(DayTable, OwnCalendarToggles) {
    Plan plan = month_plan(2026, 5);
    plan.months[0].days.resize(31);
    plan.months[0].days[9].ownHoliday = 1;  // Sunday 10 May becomes a working day
    month_counters c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.days[9].holiday, 0);
    EXPECT_EQ(c.weekdays, 21);

    plan.months[0].days[9].ownHoliday = 0;
    plan.months[0].days[8].ownHoliday = 1;  // Saturday 9 May: only the flag changes
    c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.days[8].holiday, 1);
    EXPECT_EQ(c.weekdays, 20);

    plan.months[0].days[8].ownHoliday = 0;
    plan.months[0].days[4].ownHoliday = 1;  // Tuesday 5 May becomes free
    plan.months[0].days[0].ownHoliday = 1;  // 1 May becomes a working day
    c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.days[4].holiday, 1);
    EXPECT_EQ(plan.days[0].holiday, 0);
    EXPECT_EQ(c.weekdays, 20);
}

TEST(DayTable, OwnHolidayOnADayAlreadyOffIsNotTakenTwice) {
    // A group without holidays: Sundays and 1 May are off the count but not
    // marked; marking them by hand must not lower the count again.
    Plan plan = month_plan(2026, 5);
    plan.groups[0].noHolidays = true;
    plan.months[0].days.resize(31);
    plan.months[0].days[2].ownHoliday = 1;  // Sunday 3 May
    plan.months[0].days[0].ownHoliday = 1;  // Friday 1 May
    const month_counters c = zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(plan.days[2].holiday, 1);
    EXPECT_EQ(plan.days[0].holiday, 1);
    EXPECT_EQ(c.weekdays, 20);
}

TEST(DayTable, IleRoboczych) {
    Plan plan = month_plan(2026, 5);
    zbuduj_dni_miesiaca(plan, 0);
    EXPECT_EQ(ile_roboczych(plan, 0, 30), 20);
    EXPECT_EQ(ile_roboczych(plan, 0, 0), 0);   // 1 May
    EXPECT_EQ(ile_roboczych(plan, 3, 7), 5);   // Monday to Friday
    EXPECT_EQ(ile_roboczych(plan, 7, 3), 0);
    EXPECT_EQ(ile_roboczych(plan, -5, 100), 20);
    plan.weekMode = true;
    EXPECT_EQ(ile_roboczych(plan, 2, 6), 5);
}

TEST(DayTable, PeriodDayMapping) {
    Plan plan;
    EXPECT_EQ(zwroc_dzien_mies(plan, 1).day, 0);
    plan.months.resize(3);
    plan.months[0].dayCount = 31;
    plan.months[1].dayCount = 28;
    plan.months[2].dayCount = 31;
    EXPECT_EQ(zwroc_dzien_mies(plan, 1).month, 0);
    EXPECT_EQ(zwroc_dzien_mies(plan, 31).day, 31);
    EXPECT_EQ(zwroc_dzien_mies(plan, 32).month, 1);
    EXPECT_EQ(zwroc_dzien_mies(plan, 32).day, 1);
    EXPECT_EQ(zwroc_dzien_mies(plan, 90).month, 2);
    EXPECT_EQ(zwroc_dzien_mies(plan, 90).day, 31);
    const period_day past = zwroc_dzien_mies(plan, 91);
    EXPECT_EQ(past.month, 0);
    EXPECT_EQ(past.day, 0);
    EXPECT_EQ(zwroc_dzien_mies(plan, 0).day, 0);
}

TEST(WeekMode, WeeksOfAYear) {
    EXPECT_EQ(weeks_in_year(2020), 53);
    EXPECT_EQ(weeks_in_year(2015), 53);
    EXPECT_EQ(weeks_in_year(2026), 53);
    EXPECT_EQ(weeks_in_year(2021), 52);
    EXPECT_EQ(weeks_in_year(2024), 52);
    EXPECT_EQ(weeks_in_year(2025), 52);
    const std::vector<week_column> t = tabela_tygodni(2021, 0);
    ASSERT_EQ(t.size(), 52u);
    EXPECT_EQ(t[0].week, 53);  // 28 December 2020
    EXPECT_EQ(t[0].day, 28);
    EXPECT_EQ(t[1].week, 1);
    EXPECT_EQ(t[1].day, 4);
}

TEST(WeekMode, Week52SelectsTheLaterOne) {
    // 1 January 2022 is a Saturday: the first entry is week 52 of 2021.
    const std::vector<week_column> run = wybierz_tygodnie(2022, 52, 3);
    ASSERT_EQ(run.size(), 3u);
    EXPECT_EQ(run[0].week, 52);
    EXPECT_EQ(run[0].year, 2022);
    EXPECT_EQ(run[0].month, 12);
    EXPECT_EQ(run[0].day, 26);
    EXPECT_EQ(run[1].week, 1);  // wraps into 2023
    EXPECT_EQ(run[1].year, 2023);
    EXPECT_EQ(run[2].week, 2);

    const std::vector<week_column> first = wybierz_tygodnie(2025, 1, 2);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].year, 2024);  // Monday 30 December 2024 opens week 1 of 2025
    EXPECT_EQ(first[0].day, 30);
}

TEST(WeekMode, NormRoutineBuildsColumns) {
    Plan plan = month_plan(2022, 1);
    plan.weekMode = true;
    plan.weekModeFrom = 52;
    plan.weekModeCount = 15;
    normatyw(plan, true, 0, true);
    ASSERT_EQ(plan.days.size(), 15u);
    EXPECT_EQ(plan.days[0].dayOfWeek, 2);  // Monday
    EXPECT_EQ(plan.days[6].dayOfWeek, 1);  // Sunday
    EXPECT_EQ(plan.days[7].dayOfWeek, 2);
    // Numbered on from the first week past the year's end, as stored; the
    // columns still stand for the calendar weeks from Monday 26 December 2022.
    EXPECT_EQ(plan.months[0].days[0].dayNumber, 52);
    EXPECT_EQ(plan.months[0].days[1].dayNumber, 53);
    EXPECT_EQ(plan.months[0].days[14].dayNumber, 66);
    ASSERT_EQ(plan.calendar.weeks.size(), 15u);
    EXPECT_EQ(plan.calendar.weeks[0].day, 26);
    EXPECT_EQ(plan.calendar.weeks[1].week, 1);
    EXPECT_EQ(plan.calendar.weeks[1].year, 2023);
    EXPECT_EQ(plan.calendar.weeks[1].day, 2);
    EXPECT_EQ(plan.calendar.workingDays, 0);
    EXPECT_EQ(plan.calendar.normMinutes, 0);
    EXPECT_EQ(plan.months[0].normMinutes, 0);
    EXPECT_EQ(plan.calendar.st_Calendar, ":: Kalendarz");
    EXPECT_TRUE(plan.calendar.st_NormaTitle.empty());
    EXPECT_TRUE(plan.calendar.st_normaValue.empty());
    EXPECT_EQ(ile_roboczych(plan, 0, 14), 15);
}

TEST(WeekMode, ColumnsNeverOutgrowTheDutyLists) {
    Plan plan = month_plan(2026, 1);
    plan.weekMode = true;
    plan.weekModeCount = 42;
    normatyw(plan, false, 0, true);
    EXPECT_EQ(plan.days.size(), size_t(kMaxWeekColumns));
    EXPECT_LE(plan.months[0].days.size(), size_t(kMaxDays));
}

}  // namespace
}  // namespace planek
