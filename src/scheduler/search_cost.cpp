// Rules of the warnings check, evaluated on the search model.
#include "scheduler/search_cost.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace planek::sched {

namespace {

constexpr int kDay = 1440;

// The worker's duties of a model day in order of start: the kept ones and
// the proposal.
void duties_of(const search_model& m, const search_worker& w, int md, std::vector<timed_duty>& out) {
    out = w.kept[size_t(md)];
    const int d = md - kSearchPad;
    if (d < 0 || d >= m.days || w.shift[size_t(d)] == 0) return;
    const search_shift& s = m.shifts[size_t(w.shift[size_t(d)] - 1)];
    const timed_duty t{s.start, s.start + s.length, s.length};
    out.insert(std::upper_bound(out.begin(), out.end(), t,
                                [](const timed_duty& a, const timed_duty& b) { return a.start < b.start; }),
               t);
}

bool night_day(const search_model& m, const std::vector<timed_duty>& list) {
    return std::any_of(list.begin(), list.end(),
                       [&](const timed_duty& t) { return night_duty_at(m, t.start, t.end - t.start); });
}

// The longest rest of a week, cut as the warnings check cuts it.
long longest_week_rest(const search_model& m, const search_worker& w, int first, int last,
                       std::vector<timed_duty>& list) {
    long run = 0, best = 0;
    for (int md = first; md <= last; ++md) {
        duties_of(m, w, md, list);
        if (list.empty()) {
            run += kDay;
            continue;
        }
        run += long(list.front().start) - m.dayStart;
        best = std::max(best, run);
        long lastEnd = list.front().end;
        for (size_t k = 1; k < list.size(); ++k) {
            best = std::max(best, long(list[k].start) - lastEnd);
            lastEnd = std::max(lastEnd, long(list[k].end));
        }
        run = m.dayStart + kDay - lastEnd;
    }
    return std::max(best, run);
}

// The soft side of one worker: expected findings and their cost together,
// so that the window's count and the search's cost never disagree.
struct soft_eval {
    int findings = 0;
    std::int64_t cost = 0;
};

void norm_part(const search_model& m, const search_worker& w, soft_eval& e) {
    const std::int64_t dev = std::int64_t(w.remaining) - w.proposedMinutes;
    e.cost += m.weights.normMinute * std::llabs(dev);
    if (m.rules.LacksDuties && w.periodShort - w.proposedMinutes > m.rules.vLacksDuties) {
        ++e.findings;
        e.cost += m.weights.finding;
    }
}

void week_time_part(const search_model& m, const search_worker& w, std::vector<timed_duty>& list, soft_eval& e) {
    if (!m.rules.WeekWorkTime || m.weekTarget <= 0) return;
    const std::int64_t band = std::int64_t(m.rules.vWeekWorkTime) * m.weekTarget;
    for (const auto& [first, last] : m.weeks) {
        std::int64_t sum = 0;
        for (int md = first; md <= last; ++md) {
            duties_of(m, w, md, list);
            for (const timed_duty& t : list) sum += t.worked;
        }
        const std::int64_t off = std::llabs(m.weekTarget - sum) * 100;
        if (sum == 0 || off <= band) continue;
        ++e.findings;
        e.cost += m.weights.finding + m.weights.weekMinute * (off - band) / 100;
    }
}

void sunday_part(const search_model& m, const search_worker& w, soft_eval& e) {
    if (!m.rules.WorkSundaysMaxCount) return;
    const int limit = std::max(1, m.rules.vWorkSundaysMaxCount);
    int run = w.sundaysBefore;
    bool found = false;
    for (int d = 0; d < m.days; ++d) {
        if (!m.sunday[size_t(d)]) continue;
        const bool worked = w.shift[size_t(d)] != 0 || !w.kept[size_t(d + kSearchPad)].empty();
        run = worked ? run + 1 : 0;
        if (run <= limit) continue;
        e.cost += m.weights.sundayOver;
        if (!found) {
            found = true;
            ++e.findings;
            e.cost += m.weights.finding;
        }
    }
}

void leaning_part(const search_model& m, const search_worker& w, soft_eval& e) {
    int nights = 0, holidays = 0;
    for (int d = 0; d < m.days; ++d) {
        const int s = w.shift[size_t(d)];
        const bool holiday = m.holiday[size_t(d)] || m.sunday[size_t(d)];
        if (s == 0) {
            // Kept duties count towards the shares too.
            for (const timed_duty& t : w.kept[size_t(d + kSearchPad)]) {
                nights += night_duty_at(m, t.start, t.end - t.start) ? 1 : 0;
                holidays += holiday ? 1 : 0;
            }
            continue;
        }
        const bool night = m.shifts[size_t(s - 1)].night;
        nights += night ? 1 : 0;
        holidays += holiday ? 1 : 0;
        const bool againstNight = night ? w.leanDayNight < 3 : w.leanDayNight > 3;
        if (againstNight) e.cost += m.weights.leaning * std::abs(3 - w.leanDayNight);
        const bool againstHoliday = holiday ? w.leanHoliday < 3 : w.leanHoliday > 3;
        if (againstHoliday) e.cost += m.weights.leaning * std::abs(3 - w.leanHoliday);
    }
    const double dn = nights - w.nightShare, dh = holidays - w.holidayShare;
    e.cost += std::llround(double(m.weights.fairness) * (dn * dn + dh * dh));
}

soft_eval evaluate(const search_model& m, const search_worker& w) {
    soft_eval e;
    std::vector<timed_duty> list;
    norm_part(m, w, e);
    week_time_part(m, w, list, e);
    sunday_part(m, w, e);
    leaning_part(m, w, e);
    return e;
}

struct cell_eval {
    int findings = 0;
    std::int64_t cost = 0;
};

cell_eval evaluate_cell(const search_model& m, int d, int s) {
    cell_eval e;
    const int need = m.need[size_t(d)][size_t(s)];
    const int have = m.count[size_t(d)][size_t(s)];
    const std::int64_t length = m.shifts[size_t(s)].length;
    const warnings_options& r = m.rules;
    if (have < need) {
        e.cost += m.weights.shortMinute * (need - have) * length;
        if ((r.StaffLess && need - have >= std::max(1, r.vStaffLess)) || r.StaffLessPercent || r.DiscontinuosStaff) {
            ++e.findings;
            e.cost += m.weights.finding;
        }
    } else if (have > need) {
        // Growing with each further person, so that a shift already over
        // its need is not where everyone short of the norm is piled.
        e.cost += m.weights.overMinute * std::int64_t(have - need) * (have - need) * length;
        if (r.StaffBigger && have - need >= std::max(1, r.vStaffBigger)) {
            ++e.findings;
            e.cost += m.weights.finding;
        }
        // Piling people into a shift already over its need is a finding of
        // its own past the percent rule's bound.
        if (r.StaffBiggerPercent && need > 0 && std::int64_t(have) * 100 > std::int64_t(r.vStaffBiggerPercent) * need) {
            ++e.findings;
            e.cost += m.weights.finding;
        }
    }
    return e;
}

}  // namespace

hard_breaches count_breaches(const search_model& m, const search_worker& w) {
    hard_breaches h;
    const warnings_options& r = m.rules;
    std::vector<timed_duty> list;
    long previousEnd = 0;
    bool anyBefore = false, nightBefore = false;
    for (int md = 0; md < m.modelDays(); ++md) {
        duties_of(m, w, md, list);
        const long base = long(md) * kDay;
        for (const timed_duty& t : list) {
            if (r.DutyNexttoDuty && anyBefore && base + t.start - previousEnd < r.vDutyNexttoDuty) ++h.rest;
            previousEnd = base + t.end;
            anyBefore = true;
        }
        const bool night = !list.empty() && night_day(m, list);
        if (r.Nights2 && night && nightBefore) ++h.nights;
        nightBefore = night;
    }
    if (r.WeekIntervalTooShort)
        for (const auto& [first, last] : m.weeks)
            if (longest_week_rest(m, w, first, last, list) < r.vWeekIntervalTooShort) ++h.weekRest;
    if (w.proposedMinutes > std::max<std::int64_t>(w.room, 0)) ++h.norm;
    return h;
}

std::int64_t worker_cost(const search_model& m, const search_worker& w) { return evaluate(m, w).cost; }
int worker_findings(const search_model& m, const search_worker& w) { return evaluate(m, w).findings; }
std::int64_t cell_cost(const search_model& m, int day, int shift) { return evaluate_cell(m, day, shift).cost; }
int cell_findings(const search_model& m, int day, int shift) { return evaluate_cell(m, day, shift).findings; }

}  // namespace planek::sched
