// Building the second algorithm's model from the plan.
#include "scheduler/search_model.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "calendar/summaries.h"
#include "core/ini_file.h"
#include "editing/day_off_rules.h"
#include "editing/month_access.h"
#include "files/sundays.h"
#include "scheduler/scheduler_steps.h"
#include "scheduler/search_residue.h"

namespace planek::sched {

namespace {

timed_duty timed(const dyzur& d) {
    const int worked = int(d.length) + int(d.overtime);
    return {int(d.start), int(d.start) + worked, worked};
}

// The duties a worker keeps on a day of the model: the shown month, or the
// neighbouring month of the period where the day falls outside it.
const std::vector<dyzur>* kept_on(const Plan& plan, const prac& p, int day, int days) {
    int month = plan.currentMonth;
    if (day < 0) {
        --month;
        if (month < 0 || month >= int(plan.months.size())) return nullptr;
        day += plan.months[size_t(month)].dayCount;
    } else if (day >= days) {
        ++month;
        if (month >= int(plan.months.size())) return nullptr;
        day -= days;
        if (day >= plan.months[size_t(month)].dayCount) return nullptr;
    }
    if (month >= int(p.months.size()) || day < 0 || day >= kMaxDays) return nullptr;
    return &p.months[size_t(month)].duties[size_t(day)];
}

// Weekdays an eight-hour worker works, as the eight-hour mode reads them.
std::array<bool, 8> eight_hour_days(const prac& p) {
    std::array<bool, 8> allowed{};
    for (size_t i = 0; i < 7 && i < p.automatDays.size(); ++i)
        if (p.automatDays[i] == '1') allowed[i == 6 ? 1 : i + 2] = true;
    return allowed;
}

int sundays_worked_before(const Plan& plan, const IniFile& record, const prac& p, int days) {
    int first = -1;
    for (int d = 0; d < days && first < 0; ++d)
        if (plan.days[size_t(d)].dayOfWeek == 1) first = d;
    if (first < 0 || plan.year < 2) return 0;
    const std::string section = std::to_string(p.id);
    std::string flags = record.readString(section, std::to_string(plan.year - 1), "");
    const std::string year = record.readString(section, std::to_string(plan.year), "");
    // The record holds no key for a year without a Sunday worked, so the
    // Sundays of this year before the month are "0" unless it says otherwise.
    const size_t earlier = size_t(std::max(0, sunday_position(plan.year, plan.month, first + 1) - 1));
    std::string thisYear = year.substr(0, earlier);
    thisYear.resize(earlier, '0');
    flags += thisYear;
    int run = 0;
    for (auto it = flags.rbegin(); it != flags.rend() && *it == '1'; ++it) ++run;
    return run;
}

void add_weeks(const Plan& plan, search_model& m) {
    const int base = dall_from(plan, plan.currentMonth);
    const int total = plan.months.empty() ? m.days : dall_from(plan, int(plan.months.size()));
    for (int end = 6; end < total; end += 7) {
        const int last = end - base, first = last - 6;
        if (last < 0 || first >= m.days) continue;
        m.weeks.push_back({first + kSearchPad, last + kSearchPad});
    }
}

bool has_kind(const ms_& month, int days, char kind) {
    for (int d = 0; d < days; ++d)
        if (month.daysOff[size_t(d)].used() && month.daysOff[size_t(d)].symbol == kind) return true;
    return false;
}

search_worker make_worker(const Plan& plan, const search_model& m, const IniFile& sundays, int w,
                          const whole_worker& figures) {
    const prac& p = plan.workers[size_t(w)];
    const ms_* month = worker_month(plan, w);
    search_worker sw;
    sw.index = w;
    sw.remaining = figures.norm - figures.planned;
    const std::int64_t excess = figures.periodExcess;
    sw.periodShort = -excess;
    // Settled at the end of the period: the last month aims at the period's
    // balance, the residues of the months before included.
    if (m.residueNow && plan.group()->residueDistribution == 1)
        sw.remaining = int(std::clamp<std::int64_t>(sw.periodShort, std::numeric_limits<int>::min() / 2,
                                                     std::numeric_limits<int>::max() / 2));
    sw.room = std::numeric_limits<int>::max();
    if (m.rules.NormativeExceeded)
        sw.room = std::min<std::int64_t>(m.rules.vNormativeExceeded - excess,
                                         std::int64_t(m.rules.vNormativeExceeded) + sw.remaining);
    sw.leanDayNight = std::clamp(int(p.prefDayNight), 1, 5);
    sw.leanHoliday = std::clamp(int(p.prefNormalHoliday), 1, 5);
    if (m.rules.WorkSundaysMaxCount) sw.sundaysBefore = sundays_worked_before(plan, sundays, p, m.days);
    const std::array<bool, 8> weekdays = eight_hour_days(p);
    sw.open.assign(size_t(m.days), 0);
    sw.offOpen.assign(size_t(m.days), 0);
    sw.shift.assign(size_t(m.days), 0);
    sw.length.assign(size_t(m.days), 0);
    sw.off.assign(size_t(m.days), 0);
    sw.wishes.assign(size_t(m.days), wish{});
    for (int d = 0; d < m.days; ++d) {
        const day& dd = plan.days[size_t(d)];
        const bool free = month && month->duties[size_t(d)].empty() && !czy_juz_wolny(plan, d, w);
        bool open = free;
        if (open && p.prefAuto8)
            open = dd.dayOfWeek < weekdays.size() && weekdays[dd.dayOfWeek] &&
                   (!dd.holiday || p.prefNormalHoliday == 6);
        sw.open[size_t(d)] = open ? 1 : 0;
        sw.offOpen[size_t(d)] = free && !dd.holiday ? 1 : 0;
        if (month) sw.wishes[size_t(d)] = month->wishes[size_t(d)];
    }
    // Full-time eight-hour workers keep their weekdays, as the first
    // algorithm leaves them without days off for holiday work.
    const bool adjusted = !(p.prefAuto8 && month && month->partTime == 100.0);
    if (m.daysOffNow && month && adjusted) {
        sw.wantsSundayOff = !has_kind(*month, m.days, '1');
        sw.wantsHolidayOff = !has_kind(*month, m.days, '9');
    }
    sw.keptShift.assign(size_t(m.days), 0);
    for (int d = 0; d < m.days && month; ++d)
        for (const dyzur& duty : month->duties[size_t(d)])
            if (sw.keptShift[size_t(d)] <= 0) sw.keptShift[size_t(d)] = duty.groupId == m.groupId ? duty.shift : -1;
    sw.kept.resize(size_t(m.modelDays()));
    for (int md = 0; md < m.modelDays(); ++md) {
        const std::vector<dyzur>* list = kept_on(plan, p, md - kSearchPad, m.days);
        if (!list) continue;
        for (const dyzur& d : *list) sw.kept[size_t(md)].push_back(timed(d));
        std::sort(sw.kept[size_t(md)].begin(), sw.kept[size_t(md)].end(),
                  [](const timed_duty& a, const timed_duty& b) { return a.start < b.start; });
    }
    return sw;
}

// Each worker's fair part of the month's nights and Sunday/holiday duties:
// in proportion to the time left to plan, so part-time workers get their
// share and no more.
void set_shares(search_model& m) {
    double nights = 0, holidays = 0, time = 0;
    for (int d = 0; d < m.days; ++d)
        for (size_t s = 0; s < m.shifts.size(); ++s) {
            const int n = m.need[size_t(d)][s];
            if (m.shifts[s].night) nights += n;
            if (m.holiday[size_t(d)] || m.sunday[size_t(d)]) holidays += n;
        }
    for (const search_worker& w : m.workers) time += std::max(0, w.remaining);
    if (time <= 0) return;
    for (search_worker& w : m.workers) {
        const double part = std::max(0, w.remaining) / time;
        w.nightShare = nights * part;
        w.holidayShare = holidays * part;
    }
}

}  // namespace

bool night_duty_at(const search_model& m, int start, int length) {
    return (start <= m.nightStart && start + length > m.nightStart) || (m.nightStart < start && start < m.nightEnd);
}

search_weights weights_for(search_aim aim) {
    search_weights w;
    if (aim == search_aim::Norm) {
        // Shortfall first, then the norms: an hour off a norm weighs more
        // than any finding of the weekly band or of a crowded shift.
        w.finding = 2000;
        w.normMinute = 100;
        w.shortMinute = 400;
    }
    return w;
}

char earned_day_off(const search_model& m, int day) {
    if (m.sunday[size_t(day)]) return '1';
    return m.holiday[size_t(day)] ? '9' : 0;
}

whole_worker whole_worker_figures(Plan& plan, int worker) {
    whole_worker f;
    const int months = std::min<int>(int(plan.months.size()), int(plan.workers[size_t(worker)].months.size()));
    for (int m = 0; m < months; ++m) odswiez_pracownika(plan, worker, true, m);
    const prac& p = plan.workers[size_t(worker)];
    const period_totals& t = p.sum.period;
    f.periodExcess = std::int64_t(t.periodDutyMinutes) + t.periodCreditedMinutes - t.periodNorm;
    if (const ms_* month = worker_month(plan, worker)) {
        f.norm = month->workerNorm;
        f.planned = month->sum.total[0].workedMinutes + month->sum.creditedMinutes;
    }
    for (int m = 0; m < months; ++m) odswiez_pracownika(plan, worker, false, m);
    return f;
}

search_model build_search_model(const Plan& plan, const std::vector<int>& workers,
                                const std::vector<whole_worker>& figures) {
    search_model m;
    m.plan = &plan;
    const grupa* g = plan.group();
    if (!g) return m;
    m.groupId = g->id;
    m.days = std::min<int>(month_day_count(plan), int(plan.days.size()));
    m.rules = plan.options.warnings;
    m.dayStart = plan.options.wydruki.doba_od;
    m.nightStart = plan.calendar.nightStart;
    m.nightEnd = plan.calendar.nightEnd;
    m.weekTarget = 5 * int(g->dailyNorm);
    m.residueNow = residue_planned_now(plan, *g);
    m.daysOffNow = g->dayOffForHolidayWorkDistribution;
    m.weights = weights_for(search_aim(g->aim));
    if (m.rules.DutyTooShort) m.shortestDuty = std::max(1, m.rules.vDutyTooShort);
    for (const zmiana_& z : g->shifts) {
        const search_shift s{int(z.start), int(z.length), false};
        m.shifts.push_back(s);
        m.shifts.back().night = night_duty_at(m, s.start, s.length);
    }
    m.need.assign(size_t(m.days), std::vector<int>(m.shifts.size(), 0));
    m.count = m.need;
    m.minutes = m.need;
    m.whole = m.need;
    m.offs.assign(size_t(m.days), 0);
    for (int d = 0; d < m.days; ++d) {
        const day& dd = plan.days[size_t(d)];
        m.holiday.push_back(dd.holiday ? 1 : 0);
        m.sunday.push_back(dd.dayOfWeek == 1 ? 1 : 0);
        for (size_t s = 0; s < m.shifts.size(); ++s) {
            m.need[size_t(d)][s] = dd.holiday ? g->shifts[s].staffMinS : g->shifts[s].staffMin;
            m.count[size_t(d)][s] = s < dd.shiftHeadcount.size() ? dd.shiftHeadcount[s] : 0;
            // The duties already there are taken as whole shifts.
            m.whole[size_t(d)][s] = m.count[size_t(d)][s];
            m.minutes[size_t(d)][s] = s < dd.shiftMinutes.size() ? dd.shiftMinutes[s] : 0;
        }
    }
    add_weeks(plan, m);
    IniFile sundays;
    if (m.rules.WorkSundaysMaxCount) sundays.load(sundays_file(plan));
    for (size_t i = 0; i < workers.size(); ++i)
        m.workers.push_back(make_worker(plan, m, sundays, workers[i], figures[i]));
    set_shares(m);
    return m;
}

}  // namespace planek::sched
