// Rules of the warnings check, evaluated on the search model.
#include "scheduler/search_cost.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace planek::sched {

namespace {

constexpr int kDay = 1440;

// The worker's duties of a model day in order of start: the kept ones and
// the proposal. Most days hold only one of the two, and those are read in
// place; only a day with both is merged, into the caller's scratch list.
class day_duties {
public:
    day_duties(const search_model& m, const search_worker& w, int md, std::vector<timed_duty>& scratch) {
        const std::vector<timed_duty>& kept = w.kept[size_t(md)];
        first_ = kept.data();
        size_ = kept.size();
        const int d = md - kSearchPad;
        if (d < 0 || d >= m.days || w.shift[size_t(d)] == 0) return;
        const search_shift& s = m.shifts[size_t(w.shift[size_t(d)] - 1)];
        const int length = w.length[size_t(d)];
        one_ = {s.start, s.start + length, length};
        if (kept.empty()) {
            first_ = &one_;
            size_ = 1;
            return;
        }
        scratch = kept;
        scratch.insert(
            std::upper_bound(scratch.begin(), scratch.end(), one_,
                             [](const timed_duty& a, const timed_duty& b) { return a.start < b.start; }),
            one_);
        first_ = scratch.data();
        size_ = scratch.size();
    }
    day_duties(const day_duties&) = delete;
    day_duties& operator=(const day_duties&) = delete;

    const timed_duty* begin() const { return first_; }
    const timed_duty* end() const { return first_ + size_; }
    bool empty() const { return size_ == 0; }
    size_t size() const { return size_; }
    const timed_duty& front() const { return first_[0]; }
    const timed_duty& operator[](size_t k) const { return first_[k]; }

private:
    timed_duty one_{};
    const timed_duty* first_ = nullptr;
    size_t size_ = 0;
};

// Minutes the worker works on a model day, kept duties and proposal.
int worked_on(const search_model& m, const search_worker& w, int md) {
    int sum = 0;
    for (const timed_duty& t : w.kept[size_t(md)]) sum += t.worked;
    const int d = md - kSearchPad;
    if (d >= 0 && d < m.days && w.shift[size_t(d)] != 0) sum += w.length[size_t(d)];
    return sum;
}

bool night_day(const search_model& m, const day_duties& list) {
    return std::any_of(list.begin(), list.end(),
                       [&](const timed_duty& t) { return night_duty_at(m, t.start, t.end - t.start); });
}

// The longest rest of a week, cut as the warnings check cuts it, day by
// day: `run` is the rest still open at the day's end, `best` the longest
// closed so far.
struct week_rest {
    long run = 0, best = 0;
    void add(const search_model& m, const day_duties& list) {
        if (list.empty()) {
            run += kDay;
            return;
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
    long longest() const { return std::max(best, run); }
};

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

void week_time_part(const search_model& m, const search_worker& w, soft_eval& e) {
    if (!m.rules.WeekWorkTime || m.weekTarget <= 0) return;
    const std::int64_t band = std::int64_t(m.rules.vWeekWorkTime) * m.weekTarget;
    for (const auto& [first, last] : m.weeks) {
        std::int64_t sum = 0;
        for (int md = first; md <= last; ++md) sum += worked_on(m, w, md);
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
        const bool holiday = m.workedHoliday(d);
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

void wish_part(const search_model& m, const search_worker& w, soft_eval& e) {
    for (int d = 0; d < m.days; ++d) {
        const wish& x = w.wishes[size_t(d)];
        if (!x.used()) continue;
        // A day off for holiday work is a day off she asked for too.
        if (!wish_granted(x, shift_on(w, d))) e.cost += m.weights.wish * x.weight;
    }
}

void day_off_part(const search_model& m, const search_worker& w, soft_eval& e) {
    if (!m.daysOffNow) return;
    for (char kind : {'1', '9'}) {
        const day_off_match r = match_days_off(m, w, kind);
        // A day off with no worked day to earn it is a mere leftover of an
        // earlier move: cheap, so a duty can leave a Sunday before its day
        // off follows.
        e.cost += m.weights.dayOffMissing * r.missing + r.extra * 10;
    }
}

soft_eval evaluate(const search_model& m, const search_worker& w) {
    soft_eval e;
    norm_part(m, w, e);
    week_time_part(m, w, e);
    sunday_part(m, w, e);
    leaning_part(m, w, e);
    wish_part(m, w, e);
    day_off_part(m, w, e);
    return e;
}

struct cell_eval {
    int findings = 0;
    std::int64_t cost = 0;
};

// The percent rule's figure: staffed minutes against the needed ones,
// rounded as the warnings check rounds it.
long percent_of(int minutes, int length, int need) {
    return long(std::nearbyint(double(minutes) / double(length) / double(need) * 100.0));
}

cell_eval evaluate_cell(const search_model& m, int d, int s) {
    cell_eval e;
    const int need = m.need[size_t(d)][size_t(s)];
    const int have = m.count[size_t(d)][size_t(s)];
    const int minutes = m.minutes[size_t(d)][size_t(s)];
    const int length = m.shifts[size_t(s)].length;
    const warnings_options& r = m.rules;
    const auto finding = [&](std::int64_t points) {
        ++e.findings;
        e.cost += points;
    };
    // A shortened duty leaves part of the shift's minutes open too.
    const std::int64_t needed = std::int64_t(need) * length;
    if (minutes < needed) e.cost += m.weights.shortMinute * (needed - minutes);
    if (r.StaffLess && need - have >= std::max(1, r.vStaffLess)) finding(m.weights.shortFinding);
    const bool percent = need > 0 && length > 0;
    if (percent && r.StaffLessPercent && percent_of(minutes, length, need) < r.vStaffLessPercent)
        finding(m.weights.shortFinding);
    // Nobody on the whole shift leaves minutes without anyone on duty.
    if (r.DiscontinuosStaff && need > 0 && m.whole[size_t(d)][size_t(s)] == 0) finding(m.weights.shortFinding);
    if (have > need) {
        // Growing with each further person, so that a shift already over
        // its need is not where everyone short of the norm is piled.
        e.cost += m.weights.overMinute * std::int64_t(have - need) * (have - need) * length;
        if (r.StaffBigger && have - need >= std::max(1, r.vStaffBigger)) finding(m.weights.finding);
        if (percent && r.StaffBiggerPercent && percent_of(minutes, length, need) > r.vStaffBiggerPercent)
            finding(m.weights.finding);
    }
    return e;
}

bool day_short(const search_model& m, int d) {
    for (size_t s = 0; s < m.shifts.size(); ++s)
        if (m.count[size_t(d)][s] < m.need[size_t(d)][s]) return true;
    return false;
}

}  // namespace

int shift_on(const search_worker& w, int day) {
    const int s = w.shift[size_t(day)];
    return s != 0 ? s : w.keptShift[size_t(day)];
}

wish_tally count_wishes(const search_worker& w) {
    wish_tally t;
    for (size_t d = 0; d < w.wishes.size(); ++d) {
        if (!w.wishes[d].used()) continue;
        ++t.made;
        if (wish_granted(w.wishes[d], shift_on(w, int(d)))) ++t.granted;
    }
    return t;
}

day_off_match match_days_off(const search_model& m, const search_worker& w, char kind) {
    day_off_match r;
    if (kind == '1' ? !w.wantsSundayOff : !w.wantsHolidayOff) return r;
    // Worked days and days off in order: each worked day takes the first
    // day off within reach not taken yet, which pairs as many as can be.
    int next = 0;
    for (int d = 0; d < m.days; ++d) {
        if (earned_day_off(m, d) != kind || shift_on(w, d) == 0) continue;
        while (next < m.days && (w.off[size_t(next)] != kind || next < d - kDayOffReach)) {
            if (w.off[size_t(next)] == kind) ++r.extra;
            ++next;
        }
        if (next < m.days && next <= d + kDayOffReach) {
            ++next;
        } else {
            ++r.missing;
        }
    }
    for (; next < m.days; ++next)
        if (w.off[size_t(next)] == kind) ++r.extra;
    return r;
}

// One pass over the model's days: the rests and nights run on through the
// whole model, the weekly rests are cut at each week's bounds.
hard_breaches count_breaches(const search_model& m, const search_worker& w) {
    return count_breaches(m, w, std::numeric_limits<int>::max());
}

hard_breaches count_breaches(const search_model& m, const search_worker& w, int limit) {
    hard_breaches h;
    const warnings_options& r = m.rules;
    // The norm is the one rule known without a pass over the days.
    if (w.proposedMinutes > std::max<std::int64_t>(w.room, 0)) ++h.norm;
    if (h.total() > limit) return h;
    std::vector<timed_duty> scratch;
    long previousEnd = 0;
    bool anyBefore = false, nightBefore = false;
    size_t week = r.WeekIntervalTooShort ? 0 : m.weeks.size();
    week_rest rest;
    for (int md = 0; md < m.modelDays(); ++md) {
        const day_duties list(m, w, md, scratch);
        const long base = long(md) * kDay;
        for (const timed_duty& t : list) {
            if (r.DutyNexttoDuty && anyBefore && base + t.start - previousEnd < r.vDutyNexttoDuty) ++h.rest;
            previousEnd = base + t.end;
            anyBefore = true;
        }
        const bool night = !list.empty() && night_day(m, list);
        if (r.Nights2 && night && nightBefore) ++h.nights;
        nightBefore = night;
        if (h.total() > limit) return h;
        if (week >= m.weeks.size() || md < m.weeks[week].first) continue;
        rest.add(m, list);
        if (md < m.weeks[week].second) continue;
        if (rest.longest() < r.vWeekIntervalTooShort) ++h.weekRest;
        rest = {};
        ++week;
    }
    return h;
}

std::int64_t worker_cost(const search_model& m, const search_worker& w) { return evaluate(m, w).cost; }
int worker_findings(const search_model& m, const search_worker& w) { return evaluate(m, w).findings; }
int cell_findings(const search_model& m, int day, int shift) { return evaluate_cell(m, day, shift).findings; }

std::int64_t day_cost(const search_model& m, int day) {
    std::int64_t cost = 0;
    for (int s = 0; s < int(m.shifts.size()); ++s) cost += evaluate_cell(m, day, s).cost;
    if (m.offs[size_t(day)] > 0 && day_short(m, day)) cost += m.weights.dayOffOnShortDay * m.offs[size_t(day)];
    return cost;
}

std::int64_t model_cost(const search_model& m) {
    std::int64_t cost = 0;
    for (const search_worker& w : m.workers) cost += worker_cost(m, w);
    for (int d = 0; d < m.days; ++d) cost += day_cost(m, d);
    return cost;
}

}  // namespace planek::sched
