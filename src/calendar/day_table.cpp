#include "calendar/day_table.h"

#include <algorithm>

#include "calendar/holidays.h"
#include "core/plan.h"

namespace planek {

namespace {

constexpr int kSunday = 1;
constexpr int kMonday = 2;
constexpr int kSaturday = 7;

size_t shift_count(const Plan& plan) {
    const grupa* g = plan.group();
    return g ? g->shifts.size() : 0;
}

// Sizes the day table, clearing the work flag and keeping the per-shift
// arrays at the current group's shift count.
void resize_day_table(Plan& plan, int count) {
    plan.days.resize(size_t(std::max(count, 0)));
    plan.staffing.current = false;
    const size_t shifts = shift_count(plan);
    for (day& d : plan.days) {
        d.workFlag = 0;
        d.shiftHeadcount.resize(shifts);
        d.shiftMinutes.resize(shifts);
        d.averageStaffing.resize(shifts);
    }
}

miesiac* period_month(Plan& plan, int periodMonth) {
    if (periodMonth < 0 || periodMonth >= int(plan.months.size())) return nullptr;
    return &plan.months[periodMonth];
}

// nextMonthStart before the statutory holidays are looked at.
int next_month_start(const Plan& plan) {
    const int nextYear = plan.month == 12 ? plan.year + 1 : plan.year;
    const int nextMonth = plan.month == 12 ? 1 : plan.month + 1;
    int start = day_of_week(nextYear, nextMonth, 1);
    if ((saturday_as_holiday(plan) && start == kSaturday) || plan.month == 12) start = 1;
    if (start == 1 && without_holidays(plan)) start = 2;
    return start;
}

}  // namespace

bool saturday_as_holiday(const Plan& plan) {
    const grupa* g = plan.group();
    return g && g->saturdayHoliday;
}

bool without_holidays(const Plan& plan) {
    const grupa* g = plan.group();
    return g && g->noHolidays;
}

month_counters zbuduj_dni_miesiaca(Plan& plan, int periodMonth) {
    month_counters c;
    const int count = days_in_month(plan.year, plan.month);
    resize_day_table(plan, count);
    miesiac* pm = period_month(plan, periodMonth);
    if (pm) {
        pm->days.resize(size_t(count));
        pm->dayCount = byte(count);
    }
    const bool noHolidays = without_holidays(plan);
    const bool saturdayFree = saturday_as_holiday(plan) && !noHolidays;

    // A day counts as a working day until a weekend or a holiday takes it.
    std::vector<bool> counted(size_t(count), true);
    c.weekdays = count;
    for (int d = 1; d <= count; ++d) {
        day& entry = plan.days[d - 1];
        entry.dayOfWeek = byte(day_of_week(plan.year, plan.month, d));
        entry.holiday = 0;
        if (entry.dayOfWeek == kSunday) entry.holiday = noHolidays ? 0 : 1;
        if (entry.dayOfWeek == kSaturday) entry.holiday = saturdayFree ? 1 : 0;
        if (entry.dayOfWeek == kSunday || entry.dayOfWeek == kSaturday) {
            --c.weekdays;
            counted[d - 1] = false;
        }
        if (pm) pm->days[d - 1].dayNumber = byte(d);
    }

    int nextStart = next_month_start(plan);
    for (const civil_date& h : zaladuj_swieta(plan.year)) {
        if (plan.month < 12 && h.month == plan.month + 1 && h.day == 1) nextStart = 1;
        if (h.month != plan.month || h.day > count) continue;
        day& entry = plan.days[h.day - 1];
        if (entry.dayOfWeek == kSunday) continue;
        if (entry.dayOfWeek != kSaturday) {
            --c.weekdays;
            counted[h.day - 1] = false;
        }
        if (!noHolidays) entry.holiday = 1;
        if (entry.dayOfWeek == kSaturday) ++c.saturdayHolidays;
    }
    if (pm) pm->nextMonthStart = byte(nextStart);

    // Own calendar. A day that was never a working day (a Sunday, or a
    // statutory holiday the group does not mark) is not taken off twice.
    if (pm) {
        for (int d = 1; d <= count; ++d) {
            if (pm->days[d - 1].ownHoliday != 1) continue;
            day& entry = plan.days[d - 1];
            entry.holiday = entry.holiday ? 0 : 1;
            if (entry.dayOfWeek == kSaturday) continue;
            if (entry.holiday && counted[d - 1]) --c.weekdays;
            if (!entry.holiday) ++c.weekdays;
        }
    }
    return c;
}

int weeks_in_year(int year) {
    int days = days_in_year(year);
    const int jan1 = day_of_week(year, 1, 1);
    int weeks = 0;
    if (jan1 >= kMonday && jan1 <= 5) {
        days -= 9 - jan1;
        weeks = 1;
    }
    weeks += days / 7;
    if (days % 7 >= 4) ++weeks;
    return weeks;
}

std::vector<week_column> tabela_tygodni(int year, int extra) {
    const int jan1 = day_of_week(year, 1, 1);
    // Back from 1 January to the Monday of its week.
    civil_date monday = add_days({year, 1, 1}, -((jan1 + 5) % 7));
    const bool firstIsOwn = jan1 >= kMonday && jan1 <= 5;
    int number = firstIsOwn ? 1 : weeks_in_year(year - 1);
    int lastOfYear = firstIsOwn ? weeks_in_year(year) : number;
    int isoYear = firstIsOwn ? year : year - 1;

    std::vector<week_column> table;
    const int total = weeks_in_year(year) + std::max(extra, 0);
    for (int i = 0; i < total; ++i) {
        table.push_back({number, monday.year, monday.month, monday.day});
        monday = add_days(monday, 7);
        if (number >= lastOfYear) {
            number = 1;
            ++isoYear;
            lastOfYear = weeks_in_year(isoYear);
        } else {
            ++number;
        }
    }
    return table;
}

std::vector<week_column> wybierz_tygodnie(int year, int from, int count) {
    const std::vector<week_column> table = tabela_tygodni(year, count);
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].week != from) continue;
        if (i == 0 && table[i].week >= 50) continue;
        const size_t end = std::min(table.size(), i + size_t(std::max(count, 0)));
        return {table.begin() + long(i), table.begin() + long(end)};
    }
    return {};
}

void zbuduj_tygodnie(Plan& plan, int periodMonth) {
    const int count = std::clamp(plan.weekModeCount, 0, kMaxWeekColumns);
    std::vector<week_column> weeks = wybierz_tygodnie(plan.year, plan.weekModeFrom, count);
    if (int(weeks.size()) < count) {
        // A first week the year does not have: number on from the typed one.
        weeks.clear();
        for (int i = 0; i < count; ++i) weeks.push_back({plan.weekModeFrom + i, 0, 0, 0});
    }
    plan.calendar.weeks = weeks;
    resize_day_table(plan, count);
    miesiac* pm = period_month(plan, periodMonth);
    if (pm) {
        pm->days.resize(size_t(count));
        pm->dayCount = byte(count);
    }
    for (int i = 0; i < count; ++i) {
        plan.days[i].dayOfWeek = byte((i + 1) % 7 + 1);  // column 0 = Monday
        plan.days[i].holiday = 0;
        if (pm) pm->days[i].dayNumber = byte(plan.weekModeFrom + i);
    }
}

int ile_roboczych(const Plan& plan, int fromDay, int toDay) {
    fromDay = std::max(fromDay, 0);
    toDay = std::min(toDay, int(plan.days.size()) - 1);
    if (toDay < fromDay) return 0;
    if (plan.weekMode) return toDay - fromDay + 1;
    int n = 0;
    for (int d = fromDay; d <= toDay; ++d) {
        const day& entry = plan.days[d];
        if (entry.dayOfWeek >= kMonday && entry.dayOfWeek <= 6 && entry.holiday == 0) ++n;
    }
    return n;
}

period_day zwroc_dzien_mies(const Plan& plan, int periodDay) {
    if (periodDay < 1) return {};
    int rest = periodDay;
    for (size_t m = 0; m < plan.months.size(); ++m) {
        const int count = plan.months[m].dayCount;
        if (rest <= count) return {int(m), rest};
        rest -= count;
    }
    return {};
}

}  // namespace planek
