#include "calendar/calendar_grid.h"

#include <gtest/gtest.h>

#include "calendar/norm.h"
#include "calendar_fixture.h"

namespace planek {
namespace {

using test::month_plan;

int last_used_row(const Plan& plan) {
    int last = -1;
    const calendar_state& cal = plan.calendar;
    for (int r = 0; r < cal.gridRows; ++r)
        for (int c = 0; c < cal.gridColumns(); ++c)
            if (cal.cell(r, c).dayNumber != 0) last = r;
    return last;
}

TEST(CalendarGrid, PlaceOfADay) {
    // Month starting on a Monday: day 1 in the first row, first block.
    EXPECT_EQ(miejsce_dnia(2, 1, 2).row, 0);
    EXPECT_EQ(miejsce_dnia(2, 1, 2).block, 0);
    EXPECT_EQ(miejsce_dnia(2, 7, 1).row, 0);
    EXPECT_EQ(miejsce_dnia(2, 7, 1).block, 6);
    EXPECT_EQ(miejsce_dnia(2, 8, 2).row, 1);
    // Month starting on a Sunday: day 1 alone in the first row.
    EXPECT_EQ(miejsce_dnia(1, 1, 1).row, 0);
    EXPECT_EQ(miejsce_dnia(1, 1, 1).block, 6);
    EXPECT_EQ(miejsce_dnia(1, 2, 2).row, 1);
}

TEST(CalendarGrid, MonthStartingMondayUsesFirstRow) {
    Plan plan = month_plan(2026, 6);  // 1 June 2026 is a Monday
    normatyw(plan, true, 0, true);
    const calendar_state& cal = plan.calendar;
    ASSERT_EQ(cal.gridSlots, 2);
    ASSERT_EQ(cal.grid.size(), size_t(6 * 14));
    EXPECT_EQ(cal.cell(0, 0).dayNumber, 1);
    EXPECT_EQ(cal.cell(0, 0).slot, 1);
    EXPECT_EQ(cal.cell(0, 1).dayNumber, 1);
    EXPECT_EQ(cal.cell(0, 1).slot, 2);
    EXPECT_EQ(cal.cell(0, 1).dayIndex, 0);
    EXPECT_EQ(last_used_row(plan), 4);
}

TEST(CalendarGrid, LongMonthsStartingAtTheWeekendUseTheSixthRow) {
    for (int month : {3, 8}) {  // March 2026 starts on Sunday, August 2026 on Saturday
        Plan plan = month_plan(2026, month);
        normatyw(plan, true, 0, true);
        EXPECT_EQ(last_used_row(plan), 5) << month;
        const calendar_cell* last = komorka_dnia(plan, 30, 1);
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->dayNumber, 31);
    }
}

TEST(CalendarGrid, ColoursAndDayClasses) {
    Plan plan = month_plan(2026, 5);
    plan.months[0].days.resize(31);
    plan.months[0].days[4].erDuty = 1;        // Tuesday 5 May
    plan.months[0].days[5].note = "remont";   // Wednesday 6 May
    plan.months[0].days[2].erDuty = 1;        // Sunday 3 May, a holiday
    normatyw(plan, true, 0, true);
    const calendar_state& cal = plan.calendar;
    EXPECT_EQ(cal.cell(0, 0).dayNumber, 0);  // 27 April's place
    EXPECT_EQ(cal.cell(0, 0).color, kNoDayColour);
    EXPECT_EQ(komorka_dnia(plan, 0, 1)->color, kHolidayColour);
    EXPECT_EQ(komorka_dnia(plan, 3, 1)->color, rgb(255, 255, 255));     // shift colours
    EXPECT_EQ(komorka_dnia(plan, 3, 2)->color, rgb(221, 221, 221));
    EXPECT_EQ(komorka_dnia(plan, 4, 2)->color, kErDutyColour);
    EXPECT_EQ(komorka_dnia(plan, 5, 1)->fontColor, kNoteFontColour);
    EXPECT_EQ(komorka_dnia(plan, 2, 1)->color, kErDutyColour);

    const std::vector<day_param>& d = plan.months[0].days;
    EXPECT_EQ(d[3].dayClass, "da");  // Monday
    EXPECT_EQ(d[1].dayClass, "so");  // Saturday
    EXPECT_EQ(d[0].dayClass, "sw");  // 1 May
    EXPECT_EQ(d[9].dayClass, "sw");  // Sunday
    EXPECT_EQ(d[4].dayClass, "od");
    EXPECT_EQ(d[2].dayClass, "od");  // emergency duty wins over the holiday
}

TEST(CalendarGrid, GroupWithoutShiftsStillShowsItsDays) {
    Plan plan = month_plan(2026, 5);
    plan.groups[0].shifts.clear();
    normatyw(plan, true, 0, true);
    EXPECT_EQ(plan.calendar.gridSlots, 1);
    ASSERT_NE(komorka_dnia(plan, 30, 1), nullptr);
    EXPECT_EQ(komorka_dnia(plan, 3, 1)->color, rgb(255, 255, 255));
}

TEST(CalendarGrid, MonthNamesFollowTheLanguage) {
    Plan plan;
    EXPECT_EQ(month_name(plan, 1), "Styczeń");
    EXPECT_EQ(month_name(plan, 12), "Grudzień");
    EXPECT_EQ(month_name(plan, 0), "");
    plan.tr.set("f_Parameters", "cb_Month", "January\\nFebruary");
    EXPECT_EQ(month_name(plan, 2), "February");
    EXPECT_EQ(month_name(plan, 3), "Marzec");  // missing items keep the built-in text
    // As a language file hands it over: real line breaks.
    plan.tr.set("f_Parameters", "cb_Month", "January\r\nFebruary\nMarch");
    EXPECT_EQ(month_name(plan, 1), "January");
    EXPECT_EQ(month_name(plan, 3), "March");
}

}  // namespace
}  // namespace planek
