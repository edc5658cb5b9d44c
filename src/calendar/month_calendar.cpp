#include "calendar/month_calendar.h"

#include <algorithm>

#include "calendar/holidays.h"

namespace planek {

namespace {

// The day flags of a month that is not shown, by the same rules the day
// table is built with, using the current group's holiday settings.
void lay_out(const Plan& plan, const miesiac& m, month_calendar& c) {
    const grupa* g = plan.group();
    const bool noHolidays = g && g->noHolidays;
    const bool saturdayHoliday = g && g->saturdayHoliday;
    const int days = c.days();
    for (int d = 0; d < days; ++d) {
        const int dow = day_of_week(m.year, m.month, d + 1);
        c.dayOfWeek[d] = dow;
        c.holiday[d] = !noHolidays && (dow == 1 || (dow == 7 && saturdayHoliday));
    }
    if (!noHolidays) {
        for (const civil_date& h : zaladuj_swieta(m.year))
            if (h.month == m.month && h.day >= 1 && h.day <= days) c.holiday[h.day - 1] = true;
    }
    for (int d = 0; d < days && d < int(m.days.size()); ++d)
        if (m.days[d].ownHoliday) c.holiday[d] = !c.holiday[d];
}

}  // namespace

month_calendar kalendarz_miesiaca(const Plan& plan, int periodMonth) {
    month_calendar c;
    if (periodMonth < 0 || periodMonth >= int(plan.months.size())) {
        // No period month: the shown day table alone.
        periodMonth = -1;
    }
    const miesiac* m = periodMonth >= 0 ? &plan.months[periodMonth] : nullptr;
    const bool shown = !m || periodMonth == plan.currentMonth;
    int days = m ? m->dayCount : int(plan.days.size());
    if (shown && (plan.weekMode || days == 0)) days = int(plan.days.size());
    days = std::clamp(days, 0, int(kMaxDays));
    c.dayOfWeek.assign(days, 0);
    c.holiday.assign(days, false);
    if (m) {
        c.nextMonthStart = m->nextMonthStart;
        c.workingDays = m->workingDays;
        c.normMinutes = m->normMinutes;
    }
    if (shown && int(plan.days.size()) >= days) {
        c.everyDayWorks = plan.weekMode;
        for (int d = 0; d < days; ++d) {
            c.dayOfWeek[d] = plan.days[d].dayOfWeek;
            c.holiday[d] = plan.days[d].holiday != 0;
        }
    } else if (m && m->year != 0 && m->month >= 1 && m->month <= 12) {
        lay_out(plan, *m, c);
    }
    return c;
}

}  // namespace planek
