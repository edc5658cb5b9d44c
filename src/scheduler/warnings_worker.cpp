// Rules f, g, a, b, h, l, e and d: one worker's norm, rests, nights, weeks
// and duty lengths.
#include <algorithm>
#include <cstdlib>
#include <limits>

#include "calendar/calendar_grid.h"
#include "calendar/day_table.h"
#include "calendar/holidays.h"
#include "scheduler/warnings_rules.h"
#include "scheduler/warnings_text.h"

namespace planek {

namespace {

constexpr int kDayMinutes = 1440;
constexpr int kWeek = 7;

const prac* worker_at(const Plan& plan, int worker) {
    return (worker >= 0 && worker < int(plan.workers.size())) ? &plan.workers[worker] : nullptr;
}

int duty_end(const dyzur& d) { return int(d.start) + int(d.length) + int(d.overtime); }
int worked_time(const dyzur& d) { return int(d.length) + int(d.overtime); }

// A duty of the chronological list with the date it belongs to.
struct dated_duty {
    const dyzur* duty = nullptr;
    civil_date date;
    long serial = 0;  // whole days from a fixed epoch
};

const civil_date kEpoch{2000, 1, 1};

// The date of a duty: the month and year stamped on it, else those of the
// period month whose list holds it, else the shown month.
civil_date duty_date(const Plan& plan, const dyzur& d, int periodMonth) {
    if (valid_date(d.year, d.month, d.day)) return {d.year, d.month, d.day};
    if (periodMonth >= 0 && periodMonth < int(plan.months.size())) {
        const miesiac& m = plan.months[periodMonth];
        if (valid_date(m.year, m.month, d.day)) return {m.year, m.month, d.day};
    }
    if (valid_date(plan.year, plan.month, d.day)) return {plan.year, plan.month, d.day};
    return {};
}

// The worker's duties of the whole period in chronological order: the
// joining list of dutyLists, taken month by month when the lists match the
// period so that every duty knows its month.
std::vector<dated_duty> chronological(const Plan& plan, const prac& w) {
    std::vector<dated_duty> out;
    const auto add = [&](const std::vector<dyzur>& list, int periodMonth) {
        for (const dyzur& d : list) {
            const civil_date date = duty_date(plan, d, periodMonth);
            out.push_back({&d, date, date.year ? days_between(kEpoch, date) : 0});
        }
    };
    if (w.dutyLists.empty()) return out;
    if (w.dutyLists.size() == plan.months.size() + 1) {
        for (size_t m = 0; m + 1 < w.dutyLists.size(); ++m) add(w.dutyLists[m], int(m));
    } else {
        add(w.dutyLists.back(), -1);
    }
    return out;
}

// Minutes from the end of one duty to the start of the next.
long rest_between(const dated_duty& a, const dated_duty& b) {
    return long(b.duty->start) + (b.serial - a.serial) * kDayMinutes - duty_end(*a.duty);
}

// The date of a day index of the per-day lists (counted over the whole
// settlement period); year 0 when it lies outside the period.
civil_date period_date(const Plan& plan, int index) {
    if (plan.months.empty()) {
        if (valid_date(plan.year, plan.month, index + 1)) return {plan.year, plan.month, index + 1};
        return {};
    }
    const period_day pd = zwroc_dzien_mies(plan, index + 1);
    if (pd.day == 0) return {};
    const miesiac& m = plan.months[pd.month];
    if (!valid_date(m.year, m.month, pd.day)) return {};
    return {m.year, m.month, pd.day};
}

bool has_duties(const prac& w, size_t i) { return i < w.dayDuties.size() && !w.dayDuties[i].empty(); }
bool excluded(const prac& w, size_t i) { return i < w.dayExcluded.size() && w.dayExcluded[i]; }

bool night_duty(const dyzur& d, int nightStart, int nightEnd) {
    const int s = d.start;
    return (s <= nightStart && s + int(d.length) > nightStart) || (nightStart < s && s < nightEnd);
}

bool night_day(const Plan& plan, const prac& w, size_t i) {
    if (excluded(w, i)) return false;
    const auto& list = w.dayDuties[i];
    return std::any_of(list.begin(), list.end(), [&](const dyzur& d) {
        return night_duty(d, plan.calendar.nightStart, plan.calendar.nightEnd);
    });
}

// The letter, the worker's names and the week's first and last day with
// their month names, shared by rules h and l.
std::vector<format_arg> week_args(const warning_writer& ww, const char* letter, const prac& w, const civil_date& first,
                                  const civil_date& last) {
    return {std::string(letter),        w.firstName, w.surname, (long long)first.day,
            ww.month(first.month), (long long)last.day, ww.month(last.month)};
}

bool week_end(size_t i) { return i > 0 && (i + 1) % kWeek == 0; }

}  // namespace

void rule_f_norm_exceeded(const warning_writer& ww, int worker, warning_lines& out) {
    const Plan& plan = ww.plan();
    const prac* w = worker_at(plan, worker);
    if (!w) return;
    const period_totals& p = w->sum.period;
    const std::int64_t excess = p.periodDutyMinutes + p.periodCreditedMinutes - p.periodNorm;
    if (excess <= plan.options.warnings.vNormativeExceeded) return;
    out.push_back(ww.line(warning_texts::NormativeExceeded,
                               {std::string("f"), w->firstName, w->surname,
                                warning_minutes(excess, warning_time::HideZero)}));
}

void rule_g_norm_unreached(const warning_writer& ww, int worker, warning_lines& out) {
    const Plan& plan = ww.plan();
    const prac* w = worker_at(plan, worker);
    if (!w) return;
    const period_totals& p = w->sum.period;
    const std::int64_t shortfall = p.periodNorm - (p.periodDutyMinutes + p.periodCreditedMinutes);
    if (shortfall <= plan.options.warnings.vLacksDuties) return;
    out.push_back(ww.line(warning_texts::NormativeUnreached,
                               {std::string("g"), w->firstName, w->surname,
                                warning_minutes(shortfall, warning_time::HideZero)}));
}

void rule_a_rest(const warning_writer& ww, int worker, warning_lines& out) {
    const Plan& plan = ww.plan();
    const prac* w = worker_at(plan, worker);
    if (!w) return;
    const std::vector<dated_duty> list = chronological(plan, *w);
    for (size_t k = 0; k + 1 < list.size(); ++k) {
        const dated_duty& cur = list[k];
        const dated_duty& next = list[k + 1];
        const long gap = rest_between(cur, next);
        if (gap >= plan.options.warnings.vDutyNexttoDuty) continue;
        const std::string gapText = warning_minutes(gap, warning_time::ShowZero);
        const std::string dayName = ww.day(cur.date.year, cur.date.month, cur.date.day);
        if (cur.duty->day == next.duty->day) {
            out.push_back(ww.line(warning_texts::IntervalTooShortTheSameDay,
                                       {std::string("a"), (long long)cur.duty->day, ww.month(cur.date.month),
                                        dayName, w->firstName, w->surname, gapText}));
        } else {
            out.push_back(ww.line(warning_texts::IntervalTooShort,
                                       {std::string("a"), (long long)cur.duty->day, ww.month(cur.date.month),
                                        dayName, (long long)next.duty->day, ww.month(next.date.month),
                                        w->firstName, w->surname, gapText}));
        }
    }
}

void rule_b_nights(const warning_writer& ww, int worker, warning_lines& out) {
    const Plan& plan = ww.plan();
    const prac* w = worker_at(plan, worker);
    if (!w) return;
    for (size_t i = 0; i + 1 < w->dayDuties.size(); ++i) {
        if (!has_duties(*w, i) || !has_duties(*w, i + 1)) continue;
        if (!night_day(plan, *w, i) || !night_day(plan, *w, i + 1)) continue;
        const civil_date first = period_date(plan, int(i));
        const civil_date second = period_date(plan, int(i + 1));
        if (first.year == 0 || second.year == 0) continue;
        out.push_back(ww.line(
            warning_texts::NightDutyTooClose,
            {std::string("b"), (long long)first.day, ww.month(first.month),
             ww.day(first.year, first.month, first.day), (long long)second.day,
             ww.month(second.month), w->firstName, w->surname}));
    }
}

void rule_h_week_rest(const warning_writer& ww, int worker, warning_lines& out) {
    const Plan& plan = ww.plan();
    const prac* w = worker_at(plan, worker);
    if (!w || w->dayDuties.empty()) return;
    const int dayStart = plan.options.wydruki.doba_od;
    const int threshold = plan.options.warnings.vWeekIntervalTooShort;
    long run = 0, best = 0;
    for (size_t i = 0; i < w->dayDuties.size(); ++i) {
        if (has_duties(*w, i) && !excluded(*w, i)) {
            // The rest before the day's first duty, any rest between its
            // duties, and the rest after the one that ends last: a day with
            // several duties is not counted free after its first one.
            std::vector<const dyzur*> duties;
            for (const dyzur& d : w->dayDuties[i]) duties.push_back(&d);
            std::stable_sort(duties.begin(), duties.end(),
                             [](const dyzur* a, const dyzur* b) { return a->start < b->start; });
            run += long(duties.front()->start) - dayStart;
            best = std::max(best, run);
            long lastEnd = duty_end(*duties.front());
            for (size_t k = 1; k < duties.size(); ++k) {
                best = std::max(best, long(duties[k]->start) - lastEnd);
                lastEnd = std::max(lastEnd, long(duty_end(*duties[k])));
            }
            run = dayStart + kDayMinutes - lastEnd;
        } else {
            run += kDayMinutes;
        }
        if (!week_end(i)) continue;
        best = std::max(best, run);
        if (best < threshold) {
            const civil_date first = period_date(plan, int(i) - (kWeek - 1));
            const civil_date last = period_date(plan, int(i));
            std::vector<format_arg> args = week_args(ww, "h", *w, first, last);
            args.push_back(warning_minutes(best, warning_time::HideZero));
            args.push_back(warning_minutes(threshold - best, warning_time::HideZero));
            out.push_back(ww.line(warning_texts::WeekIntervalTooShort, args));
        }
        run = 0;
        best = 0;
    }
}

void rule_l_week_time(const warning_writer& ww, int worker, warning_lines& out) {
    const Plan& plan = ww.plan();
    const prac* w = worker_at(plan, worker);
    const grupa* g = plan.group();
    if (!w || !g || w->dayDuties.empty()) return;
    const std::int64_t week = 5 * std::int64_t(g->dailyNorm);
    const std::int64_t percent = plan.options.warnings.vWeekWorkTime;
    std::int64_t sum = 0;
    for (size_t i = 0; i < w->dayDuties.size(); ++i) {
        if (has_duties(*w, i) && !excluded(*w, i))
            for (const dyzur& d : w->dayDuties[i]) sum += worked_time(d);
        if (!week_end(i)) continue;
        // |1 - sum / week| > percent / 100, kept in whole numbers.
        if (sum != 0 && week != 0 && std::llabs(week - sum) * 100 > percent * week) {
            const civil_date first = period_date(plan, int(i) - (kWeek - 1));
            const civil_date last = period_date(plan, int(i));
            std::vector<format_arg> args = week_args(ww, "l", *w, first, last);
            args.push_back(warning_minutes(sum, warning_time::HideZero));
            out.push_back(ww.line(warning_texts::WeekWorkTime, args));
        }
        sum = 0;
    }
}

void rule_ed_duty_length(const warning_writer& ww, int worker, warning_lines& out) {
    const Plan& plan = ww.plan();
    const prac* w = worker_at(plan, worker);
    if (!w) return;
    const warnings_options& o = plan.options.warnings;
    const std::vector<dated_duty> list = chronological(plan, *w);
    long acc = 0;
    for (size_t k = 0; k < list.size(); ++k) {
        acc += worked_time(*list[k].duty);
        if (k + 1 < list.size() && rest_between(list[k], list[k + 1]) <= 0) continue;
        const dated_duty& last = list[k];
        const auto line = [&](const warning_message& message, const char* letter) {
            out.push_back(ww.line(message,
                                       {std::string(letter), (long long)last.duty->day,
                                        ww.month(last.date.month),
                                        ww.day(last.date.year, last.date.month, last.date.day),
                                        w->firstName, w->surname, warning_minutes(acc, warning_time::HideZero)}));
        };
        if (o.DutyTooLong && acc > o.vDutyTooLong) line(warning_texts::DutyTooLong, "e");
        if (o.DutyTooShort && acc < o.vDutyTooShort) line(warning_texts::DutyTooShort, "d");
        acc = 0;
    }
}

}  // namespace planek
