#include "calendar/norm.h"

#include <gtest/gtest.h>

#include "calendar/refresh_hooks.h"
#include "calendar_fixture.h"

namespace planek {
namespace {

using test::duty_on;
using test::month_plan;

// November 2026: 21 weekdays, 1 November on a Sunday, 11 November on a
// Wednesday, so W = 20.
TEST(Norm, FullTimeNormAndCaptions) {
    Plan plan = month_plan(2026, 11);
    normatyw(plan, true, 0, true);
    const calendar_state& cal = plan.calendar;
    EXPECT_EQ(cal.weekdays, 20);
    EXPECT_EQ(cal.workingDays, 20);
    EXPECT_EQ(cal.normMinutes, 9100);
    EXPECT_EQ(cal.normRemainder, 460);
    EXPECT_EQ(plan.groups[0].monthNorm, 9100);
    EXPECT_EQ(plan.months[0].workingDays, 20);
    EXPECT_EQ(plan.months[0].normMinutes, 9100);
    EXPECT_EQ(plan.months[0].normRemainder, 460);
    EXPECT_EQ(cal.st_Calendar, " :: Kalendarz: Listopad 2026");
    EXPECT_EQ(cal.st_NormaTitle, "Dni robocze: \rDyżury \"R\": ");
    EXPECT_EQ(cal.st_normaValue, "20 \r12 dyż. + 07:40");
    EXPECT_EQ(plan.dyz8, 455);
    EXPECT_EQ(plan.dyz12, 720);

    plan.groups[0].dailyNorm = 480;
    normatyw(plan, false, 0, false);
    EXPECT_EQ(cal.normMinutes, 9600);
    EXPECT_EQ(cal.normRemainder, 240);
    EXPECT_EQ(cal.st_normaValue, "20 \r13 dyż. + 04:00");
}

// The standard lengths follow the shown group; the options stay as read, so
// saving or reading them again cannot carry one group's lengths anywhere.
TEST(Norm, DutyLengthsAreDerivedAndTheOptionsStayAsRead) {
    Plan plan = month_plan(2026, 11);
    plan.options.glowne.dyz8 = 450;
    plan.options.glowne.dyz12 = 700;
    plan.groups[0].dailyNorm = 480;
    plan.groups[0].shifts[0].length = 600;
    const Options read = plan.options;
    normatyw(plan, true, 0, true);
    EXPECT_EQ(plan.options, read);
    EXPECT_EQ(plan.dyz8, 480);
    EXPECT_EQ(plan.dyz12, 600);

    // With no group shown the configured lengths stand in.
    plan.currentGroup = -1;
    normatyw(plan, true, 0, true);
    EXPECT_EQ(plan.dyz8, 450);
    EXPECT_EQ(plan.dyz12, 700);
}

TEST(Norm, NoRemainderNoTail) {
    Plan plan = month_plan(2026, 11);
    plan.groups[0].dailyNorm = 432;  // 20 × 432 = 8640 = 12 × 720
    normatyw(plan, false, 0, false);
    EXPECT_EQ(plan.calendar.st_normaValue, "20 \r12 dyż.");
}

TEST(Norm, SaturdayHolidayLowersWorkingDaysOnlyWithDayOff) {
    Plan plan = month_plan(2026, 8);  // 15 August on a Saturday, W = 21
    grupa other = plan.groups[0];
    other.id = 2;
    other.dailyNorm = 480;
    other.dayOffForSaturdayHoliday = true;
    plan.groups.push_back(other);
    normatyw(plan, false, 0, false);
    EXPECT_EQ(plan.calendar.workingDays, 21);
    EXPECT_EQ(plan.calendar.normMinutes, 21 * 455);
    EXPECT_EQ(plan.groups[0].monthNorm, 21 * 455);
    EXPECT_EQ(plan.groups[1].monthNorm, 20 * 480);  // each group by its own flag

    plan.groups[0].dayOffForSaturdayHoliday = true;
    normatyw(plan, false, 0, false);
    EXPECT_EQ(plan.calendar.workingDays, 20);
    EXPECT_EQ(plan.calendar.normMinutes, 20 * 455);
}

TEST(Norm, OtherTabsUseTheirStoredMonthSettings) {
    Plan plan = month_plan(2026, 8);
    plan.months.resize(2);
    plan.groups[0].monthSettings.resize(2);
    plan.groups[0].monthSettings[1].dayOffForSaturdayHoliday = 1;
    plan.groups[0].monthSettings[1].customNorm = 0;
    normatyw(plan, false, 1, false);  // the month of tab 1, shown while tab 0 is current
    EXPECT_EQ(plan.calendar.workingDays, 20);
    EXPECT_EQ(plan.months[1].normMinutes, 20 * 455);
    EXPECT_EQ(plan.months[0].normMinutes, 0);
}

TEST(Norm, CustomNormKeepsTypedValue) {
    Plan plan = month_plan(2026, 11);
    plan.groups[0].customNorm = true;
    plan.groups[0].customNormMinutes = 7000;
    normatyw(plan, false, 0, false);
    EXPECT_EQ(plan.calendar.normMinutes, 7000);
    EXPECT_EQ(plan.calendar.workingDays, 20);
    EXPECT_EQ(plan.calendar.normRemainder, 7000 % 720);
    EXPECT_EQ(plan.groups[0].monthNorm, 9100);
    EXPECT_EQ(plan.calendar.st_normaValue, "20 \r9 dyż. + 08:40");
}

TEST(Norm, GroupWithoutUsableFirstShiftExplainsItself) {
    for (bool zeroLength : {false, true}) {
        Plan plan = month_plan(2026, 11);
        if (zeroLength)
            plan.groups[0].shifts[0].length = 0;
        else
            plan.groups[0].shifts.clear();
        normatyw(plan, true, 0, true);
        EXPECT_EQ(plan.calendar.normMinutes, 9100);
        EXPECT_EQ(plan.calendar.normRemainder, 0);
        EXPECT_EQ(plan.calendar.st_NormaTitle, "Dni robocze: \rNormatyw: ");
        EXPECT_NE(plan.calendar.st_normaValue.find("20 \r151:40"), std::string::npos);
    }
}

TEST(Norm, CaptionsFromTheLanguageFile) {
    Plan plan = month_plan(2026, 11);
    plan.tr.set("f_MainForm", "st_Calendar", " :: Calendar: %s %d");
    plan.tr.set("f_MainForm", "st_NormaValue", "%d days%s%d duties %d %s");  // too many directives
    plan.tr.set("f_Parameters", "cb_Month", "January\\nFebruary\\nMarch\\nApril\\nMay\\nJune\\nJuly\\n"
                                            "August\\nSeptember\\nOctober\\nNovember\\nDecember");
    normatyw(plan, false, 0, false);
    EXPECT_EQ(plan.calendar.st_Calendar, " :: Calendar: November 2026");
    EXPECT_EQ(plan.calendar.st_normaValue, "20 days\r12 duties   + 07:40");
}

TEST(Norm, EmptyPlanGivesEmptyCalendar) {
    Plan plan;  // no month, no group
    normatyw(plan, true, 0, true);
    EXPECT_TRUE(plan.days.empty());
    EXPECT_EQ(plan.calendar.normMinutes, 0);
    EXPECT_TRUE(plan.calendar.st_Calendar.empty());
}

TEST(Norm, CallsTheRefreshesOfStaffingAndPeriod) {
    int cleared = 0, period = 0;
    Plan plan = month_plan(2026, 11);
    plan.hooks.calendar.czysc_iledy = [&](Plan&, bool, bool) { ++cleared; };
    plan.hooks.calendar.odswiez_okres = [&](Plan&, bool fromNorm, bool allGroups, int worker) {
        EXPECT_TRUE(fromNorm);
        EXPECT_FALSE(allGroups);
        EXPECT_EQ(worker, -1);
        ++period;
    };
    normatyw(plan, true, 0, false);
    normatyw(plan, false, 0, false);
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(period, 2);
}

TEST(NightWindow, FromOptionsAndFirstShift) {
    Plan plan = month_plan(2026, 11);
    night_window n = okno_nocy(plan);
    EXPECT_EQ(n.start, 22 * 60);
    EXPECT_EQ(n.end, 30 * 60);  // 06:00 of the next day

    plan.options.wydruki.noc_od = 0;  // midnight lies after the duty's day
    n = okno_nocy(plan);
    EXPECT_EQ(n.start, 1440);
    EXPECT_EQ(n.end, 1920);

    plan.options.wydruki.noc_od = 60;  // 01:00 for 5 hours, first shift at 07:00
    plan.options.wydruki.noc_do = 300;
    n = okno_nocy(plan);
    EXPECT_EQ(n.start, 1500);
    EXPECT_EQ(n.end, 1800);

    plan.options.wydruki.noc_od = 300;  // 05:00 for 8 hours: start moves past the shift
    plan.options.wydruki.noc_do = 480;
    n = okno_nocy(plan);
    EXPECT_EQ(n.start, 1740);
    EXPECT_GT(n.end, n.start);
    EXPECT_EQ(n.end - n.start, 480);

    normatyw(plan, false, 0, false);
    EXPECT_EQ(plan.calendar.nightStart, 1740);
    EXPECT_EQ(plan.calendar.firstSundayOfJanuary, 4);
}

TEST(DayOffValue, TypedValueThenDutiesThenWorkingDays) {
    Plan plan = month_plan(2026, 11, 1);
    normatyw(plan, false, 0, false);
    prac& w = plan.workers[0];
    // Monday 2 .. Friday 6 November: five working days of 7:35.
    EXPECT_EQ(normatyw_wolnego(plan, 1, 5, 0, 0), 5 * 455);

    w.dailyNorm = 400;
    w.months[0].daysOff[1].id = 1;
    w.months[0].daysOff[1].normWithPartTime = true;
    EXPECT_EQ(normatyw_wolnego(plan, 1, 5, 0, 0), 5 * 400);

    w.months[0].duties[3].push_back(duty_on(4, 720));
    w.months[0].duties[4].push_back(duty_on(5, 480));
    EXPECT_EQ(normatyw_wolnego(plan, 1, 5, 0, 0), 1200);

    w.months[0].daysOff[1].customNorm = true;
    w.months[0].daysOff[1].customNormMinutes = 600;
    EXPECT_EQ(normatyw_wolnego(plan, 1, 5, 0, 0), 600);

    // While the dialog is open its controls decide.
    day_off_norm_settings dialog;
    dialog.normWithPartTime = false;
    EXPECT_EQ(normatyw_wolnego(plan, 8, 12, 0, 0, dialog), 4 * 455);  // 11 November is free
    EXPECT_EQ(normatyw_wolnego(plan, 1, 5, 7, 0), 0);  // no such worker
}

}  // namespace
}  // namespace planek
