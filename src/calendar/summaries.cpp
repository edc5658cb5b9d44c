#include "calendar/summaries.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "calendar/duty_filter.h"
#include "calendar/duty_split.h"
#include "calendar/month_calendar.h"

namespace planek {

namespace {

constexpr char kNoDutyWantedKind = '\xBF';

// Nearest integer, an exact half going to the even neighbour.
std::int64_t round_half_even(double v) { return std::int64_t(std::nearbyint(v)); }

std::int32_t clamp32(std::int64_t v) {
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

// Days off for work on a Sunday, Saturday or holiday and the no-duty-wanted
// day are shown but credit nothing.
bool credits_nothing(char kind) {
    return kind == '1' || kind == '5' || kind == '7' || kind == '9' || kind == kNoDutyWantedKind;
}

// Row of the kind table for a stored kind code, or -1.
int kind_row(const Plan& plan, char kind) {
    if (kind == kNoDutyWantedKind) return plan.options.dayOffKindIndex("ż");
    if (kind == 0) return -1;
    return plan.options.dayOffKindIndex(std::string(1, kind));
}

bool belongs(const Plan& plan, bool allGroups, word groupId) {
    if (allGroups) return true;
    const grupa* g = plan.group();
    return g && g->id == groupId;
}

split_rules rules_of(const Plan& plan) {
    const wydruki_options& o = plan.options.wydruki;
    split_rules r;
    r.nightStart = plan.calendar.nightStart;
    r.nightEnd = plan.calendar.nightEnd;
    r.naturalDay = o.doba_od;
    r.overtimeFrom = o.ng_od;
    r.overtimeTo = o.ng_do < o.ng_od ? o.ng_do + 1440 : o.ng_do;
    r.overtimeAbove = o.ng_powyzej;
    r.overtimeOnHoliday = o.ng_swieto;
    r.overtimeOnDayOffForHoliday = o.ng_wolne_za_swieto;
    r.overtimeOfZeroDuty = o.ng_dyzur0;
    return r;
}

std::int32_t worker_norm(const ms_& m, const month_calendar& cal) {
    if (m.ownNorm) {
        return m.ownNormCalculated ? clamp32(std::int64_t(m.ownNormValue) * cal.workingDays) : m.ownNormValue;
    }
    return clamp32(round_half_even(double(cal.normMinutes) * m.partTime / 100.0));
}

struct worker_pass {
    Plan& plan;
    prac& worker;
    ms_& month;
    const month_calendar& cal;
    bool allGroups;
};

// The minutes each day of a crediting day off puts toward the norm.
void credit_day_off(worker_pass& p, int head) {
    const wolne_& w = p.month.daysOff[head];
    const int days = p.cal.days();
    const int last = std::min(days - 1, head + std::max(0, int(w.dayTo) - int(w.dayFrom)));
    std::vector<std::int32_t> credit(size_t(last - head + 1), 0);
    bool withDuties = false;
    for (int d = head; d <= last; ++d) withDuties = withDuties || !p.month.duties[d].empty();
    if (w.customNorm) {
        std::vector<int> working;
        for (int d = head; d <= last; ++d)
            if (p.cal.isWorkingDay(d)) working.push_back(d - head);
        if (working.empty()) {
            credit[0] = w.customNormMinutes;
        } else {
            const std::int32_t each = std::int32_t(round_half_even(double(w.customNormMinutes) / working.size()));
            for (int i : working) credit[i] = each;
            credit[working[0]] = std::int32_t(w.customNormMinutes) - each * std::int32_t(working.size() - 1);
        }
    } else if (withDuties) {
        for (int d = head; d <= last; ++d)
            for (const dyzur& duty : p.month.duties[d]) credit[d - head] += duty.length;
    } else {
        const grupa* g = p.plan.group();
        const std::int32_t daily = w.normWithPartTime ? p.worker.dailyNorm : (g ? g->dailyNorm : 0);
        for (int d = head; d <= last; ++d)
            if (p.cal.isWorkingDay(d)) credit[d - head] = daily;
    }
    const int row = kind_row(p.plan, w.symbol);
    for (int d = head; d <= last; ++d) {
        p.month.sum.days[d].creditedMinutes += credit[d - head];
        if (row >= 0 && row < kDayOffKindTotals) p.month.sum.dayOffMinutes[row] += credit[d - head];
    }
    p.worker.sum.dayOffDays += last - head + 1;
}

void append_part(duty_parts& parts, bool& first, char letter, std::int32_t minutes) {
    if (minutes == 0) return;
    if (first && !parts.text.empty()) parts.text += '/';
    first = false;
    parts.text += letter;
    parts.minutes.push_back(minutes);
}

void book(category_sum& c, bool holiday, int dayOfWeek, std::int32_t minutes) {
    if (holiday) {
        c.holidayMinutes += minutes;
    } else {
        c.dayMinutes += minutes;
        if (dayOfWeek >= 1 && dayOfWeek <= 7) c.weekdayMinutes[dayOfWeek - 1] += minutes;
    }
}

bool day_off_for_holiday_starts(const ms_& m, int d) {
    const wolne_& slot = m.daysOff[d];
    return slot.used() && (slot.symbol == '1' || slot.symbol == '9');
}

void count_duty(worker_pass& p, const split_rules& rules, int d, int position) {
    const dyzur& duty = p.month.duties[d][position];
    const int days = p.cal.days();
    const bool lastDay = d == days - 1;
    const int kind = duty_kind(duty);
    ++p.worker.sum.dutyCount;

    duty_days around;
    around.holiday = p.cal.holiday[d];
    around.nextHoliday = lastDay ? p.cal.nextMonthStart == 1 : bool(p.cal.holiday[d + 1]);
    around.dayOffForHoliday = day_off_for_holiday_starts(p.month, d);
    around.nextDayOffForHoliday = !lastDay && day_off_for_holiday_starts(p.month, d + 1);
    const overtime_split ot = split_overtime(duty, rules, around);
    category_sum& own = p.month.sum.days[d].categories[kind];
    if (duty.medical) {
        own.medicalOvertime100 += ot.high;
        own.medicalOvertime50 += ot.low;
    } else if (duty.alsoOvertime) {
        own.extraOvertime100 += ot.high;
        own.extraOvertime50 += ot.low;
    } else {
        own.overtime100 += ot.high;
        own.overtime50 += ot.low;
    }

    const time_split t = split_working_time(duty, rules);
    const int groupIndex = p.plan.groupIndexById(duty.groupId);
    const grupa* g = groupIndex >= 0 ? &p.plan.groups[groupIndex] : p.plan.group();
    const bool nightAsHoliday = g && g->nightOnHolidayAsHoliday && around.holiday;
    if (nightAsHoliday) own.holidayMinutes += t.night;
    else own.nightMinutes += t.night;
    book(own, around.holiday, p.cal.dayOfWeek[d], t.before);
    // The after part is the next day's; past the month's end the next
    // month's first day decides.
    category_sum& next = p.month.sum.days[lastDay ? d : d + 1].categories[kind];
    book(next, around.nextHoliday, lastDay ? p.cal.nextMonthStart : p.cal.dayOfWeek[d + 1], t.after);

    duty_parts& parts = p.month.sum.parts[d];
    bool first = true;
    append_part(parts, first, around.holiday ? 'S' : 'D', t.before);
    append_part(parts, first, nightAsHoliday ? 'S' : 'N', t.night);
    append_part(parts, first, around.nextHoliday ? 'S' : 'D', t.after);
    duty_split split;
    split.position = position;
    split.category = kind;
    split.before = t.before;
    split.night = t.night;
    split.after = t.after;
    split.beforeHoliday = around.holiday;
    split.nightHoliday = nightAsHoliday;
    split.afterHoliday = around.nextHoliday;
    split.overtime100 = ot.high;
    split.overtime50 = ot.low;
    parts.duties.push_back(split);
}

void count_days_off(worker_pass& p) {
    for (int d = 0; d < p.cal.days(); ++d) {
        const wolne_& w = p.month.daysOff[d];
        if (!w.used() || credits_nothing(w.symbol) || !belongs(p.plan, p.allGroups, w.groupId)) continue;
        credit_day_off(p, d);
    }
}

void count_duties(worker_pass& p) {
    const split_rules rules = rules_of(p.plan);
    for (int d = 0; d < p.cal.days(); ++d) {
        if (day_off_hides_duties(p.month, d)) continue;
        const auto& list = p.month.duties[d];
        for (size_t i = 0; i < list.size(); ++i) {
            if (!belongs(p.plan, p.allGroups, list[i].groupId) || !duty_kind_ticked(p.plan, list[i])) continue;
            count_duty(p, rules, d, int(i));
        }
    }
}

void finish_days(Plan& plan, ms_& month) {
    for (day_summary& day : month.sum.days) {
        day.categories[0] = category_sum{};
        for (int k = 1; k < kSummaryCategories; ++k) {
            category_sum& c = day.categories[k];
            c.workedMinutes = c.dayMinutes + c.nightMinutes + c.holidayMinutes;
            if (plan.dutyAsFilter[k - 1]) day.categories[0].add(c);
        }
    }
}

}  // namespace

day_off_totals zeruj_url_sum() { return day_off_totals{}; }

void zsumuj_dyzury(Plan& plan, int periodMonth, int worker) {
    ms_* m = worker_period_month(plan, worker, periodMonth);
    if (!m) return;
    m->sum.total = category_set{};
    for (const day_summary& day : m->sum.days) {
        m->sum.total[0].add(day.categories[0]);
        for (int k = 1; k < kSummaryCategories; ++k)
            if (plan.dutyAsFilter[k - 1]) m->sum.total[k].add(day.categories[k]);
    }
}

void odswiez_pracownika(Plan& plan, int worker, bool allGroups, int periodMonth) {
    ms_* month = worker_period_month(plan, worker, periodMonth);
    if (!month || plan.workers[worker].groups.empty()) return;
    prac& w = plan.workers[worker];
    const month_calendar cal = kalendarz_miesiaca(plan, periodMonth);
    const int days = cal.days();

    w.sum.dutyCount = 0;
    w.sum.dayOffDays = 0;
    month->sum.days.assign(size_t(days), day_summary{});
    month->sum.parts.assign(size_t(days), duty_parts{});
    month->sum.dayOffMinutes = zeruj_url_sum();

    month->workerNorm = worker_norm(*month, cal);
    if (cal.workingDays > 0) {
        w.dailyNorm = word(std::clamp<std::int64_t>(round_half_even(double(month->workerNorm) / cal.workingDays), 0,
                                                    std::numeric_limits<word>::max()));
    } else {
        w.dailyNorm = plan.group() ? plan.group()->dailyNorm : 0;
    }

    worker_pass pass{plan, w, *month, cal, allGroups};
    count_days_off(pass);
    count_duties(pass);
    finish_days(plan, *month);
    zsumuj_dyzury(plan, periodMonth, worker);

    std::int32_t credited = 0;
    for (int row = 0; row < kDayOffKindTotals && row < int(plan.options.dayOffKinds.size()); ++row)
        if (counts_toward_norm(plan, row)) credited += month->sum.dayOffMinutes[row];
    month->sum.creditedMinutes = credited;
    // A printout of several months reads each month's own counts.
    month->sum.dutyCount = w.sum.dutyCount;
    month->sum.dayOffDays = w.sum.dayOffDays;
    month->sum.computed = true;

    odswiez_okres(plan, false, allGroups, worker);
}

}  // namespace planek
