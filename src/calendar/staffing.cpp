#include "calendar/staffing.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "calendar/duty_filter.h"

namespace planek {

namespace {

constexpr int kDayMinutes = 1440;
constexpr int kMaxCount = std::numeric_limits<word>::max();

int day_count(const Plan& plan) { return std::min<int>(int(plan.days.size()), kMaxDays); }

// The current group when it has shifts to count, else nullptr.
const grupa* counted_group(const Plan& plan) {
    const grupa* g = plan.group();
    return (g && !g->shifts.empty()) ? g : nullptr;
}

void size_shift_arrays(day& d, size_t shifts) {
    if (d.shiftHeadcount.size() != shifts) d.shiftHeadcount.assign(shifts, 0);
    if (d.shiftMinutes.size() != shifts) d.shiftMinutes.assign(shifts, 0);
    if (d.averageStaffing.size() != shifts) d.averageStaffing.assign(shifts, 0.0f);
}

word add_count(word value, int delta) { return word(std::clamp(int(value) + delta, 0, kMaxCount)); }

// A duty counts for the group's staffing when it is the group's and its
// duty-as kind is ticked. Duties a worker holds in another group stay out of
// this group's cells.
bool counts_for(const Plan& plan, const grupa& g, const dyzur& d) {
    return d.groupId == g.id && duty_kind_ticked(plan, d);
}

// The minute ranges [from, to) a duty occupies on its own day (offset 0) and
// on the next one (offset 1); the part past the month's last day is dropped.
struct minute_span {
    int offset;
    int from;
    int to;
};

int duty_spans(const dyzur& d, bool lastDay, minute_span out[2]) {
    const int start = d.start;
    const int end = start + int(d.length) + int(d.overtime);
    int n = 0;
    const int to0 = std::min(end, kDayMinutes);
    if (start < to0) out[n++] = {0, start, to0};
    if (end > kDayMinutes && !lastDay) {
        const int from1 = std::max(0, start - kDayMinutes);
        const int to1 = std::min(kDayMinutes, end - kDayMinutes);
        if (from1 < to1) out[n++] = {1, from1, to1};
    }
    return n;
}

void add_minutes(day& d, int from, int to, int delta) {
    for (int i = from; i < to; ++i) d.minuteHeadcount[i] = add_count(d.minuteHeadcount[i], delta);
}

staffing_mark mark_now(const Plan& plan) {
    staffing_mark m;
    const grupa* g = plan.group();
    m.group = g ? int(g->id) : -1;
    m.month = plan.currentMonth;
    m.filter = plan.dutyAsFilter;
    m.days = plan.days.size();
    m.shifts = g ? g->shifts.size() : 0;
    m.workers = plan.workers.size();
    return m;
}

bool same_view(const staffing_mark& a, const staffing_mark& b) {
    return a.group == b.group && a.month == b.month && a.filter == b.filter && a.days == b.days &&
           a.shifts == b.shifts && a.workers == b.workers;
}

// Adds (+1) or takes back (-1) everything one worker holds in the shift
// counts, by the same rules as the full count.
void change_worker_share(Plan& plan, int worker, int sign) {
    const grupa* g = counted_group(plan);
    if (!g || worker < 0 || worker >= int(plan.workers.size()) || !plan.workers[worker].inGroup(g->id)) return;
    const ms_* m = worker_period_month(plan, worker, plan.currentMonth);
    if (!m) return;
    const int days = day_count(plan);
    const int shifts = int(g->shifts.size());
    for (int d = 0; d < days; ++d) {
        const bool hidden = day_off_hides_duties(*m, d);
        for (const dyzur& duty : m->duties[d]) {
            const int s = int(duty.shift) - 1;
            if (s < 0 || s >= shifts || !counts_for(plan, *g, duty)) continue;
            day& dd = plan.days[d];
            size_shift_arrays(dd, shifts);
            dd.shiftHeadcount[s] = add_count(dd.shiftHeadcount[s], sign);
            if (!hidden) dd.shiftMinutes[s] += sign * (int(duty.length) + int(duty.overtime));
        }
    }
}

}  // namespace

bool iledy_aktualne(const Plan& plan) {
    return plan.staffing.current && plan.staffing.workerOut < 0 && same_view(plan.staffing, mark_now(plan));
}

void odswiez_iledy_gdy_trzeba(Plan& plan) {
    if (!iledy_aktualne(plan)) odswiez_iledy(plan);
}

void uniewaznij_iledy(Plan& plan) { plan.staffing.current = false; }

worker_staffing_share::worker_staffing_share(Plan& plan, int worker) : plan_(plan), worker_(worker) {
    note_worker_edit(plan_, worker_);
    if (plan_.staffing.workerOut >= 0) {
        // Inside another edit: of the same worker it is counted there; of
        // another one the counts can no longer be kept piecewise.
        if (plan_.staffing.workerOut != worker_) plan_.staffing.current = false;
        return;
    }
    if (!iledy_aktualne(plan_)) {
        // Counted for another view: coming back to it must not find them current.
        plan_.staffing.current = false;
        return;
    }
    change_worker_share(plan_, worker_, -1);
    plan_.staffing.workerOut = worker_;
    owner_ = true;
}

worker_staffing_share::~worker_staffing_share() {
    if (!owner_) return;
    // A full count in between already holds the worker's share.
    if (plan_.staffing.workerOut != worker_) return;
    plan_.staffing.workerOut = -1;
    if (plan_.staffing.current && same_view(plan_.staffing, mark_now(plan_)))
        change_worker_share(plan_, worker_, +1);
    else
        plan_.staffing.current = false;
}

void czysc_iledy(Plan& plan, bool resetCounts, bool resetWorkFlag) {
    if ((!resetCounts && !resetWorkFlag) || plan.days.empty()) return;
    const grupa* g = plan.group();
    const size_t shifts = g ? g->shifts.size() : 0;
    for (day& d : plan.days) {
        if (resetWorkFlag) d.workFlag = 0;
        if (resetCounts && !plan.groups.empty()) {
            plan.staffing.current = false;
            d.shiftHeadcount.assign(shifts, 0);
            d.shiftMinutes.assign(shifts, 0);
            d.averageStaffing.assign(shifts, 0.0f);
        }
    }
}

void odswiez_iledy(Plan& plan) {
    const grupa* g = counted_group(plan);
    plan.staffing = mark_now(plan);
    plan.staffing.current = g != nullptr;
    if (!g) return;
    const int days = day_count(plan);
    const int shifts = int(g->shifts.size());
    for (int d = 0; d < days; ++d) {
        size_shift_arrays(plan.days[d], shifts);
        std::fill(plan.days[d].shiftHeadcount.begin(), plan.days[d].shiftHeadcount.end(), 0);
        std::fill(plan.days[d].shiftMinutes.begin(), plan.days[d].shiftMinutes.end(), 0);
    }
    for (size_t w = 0; w < plan.workers.size(); ++w) change_worker_share(plan, int(w), +1);
}

void odswiez_ilemy(Plan& plan) {
    plan.shiftCoverage.fill(0);
    const grupa* g = counted_group(plan);
    if (!g) return;
    for (const zmiana_& s : g->shifts)
        for (int i = 0; i < int(s.length); ++i) {
            word& c = plan.shiftCoverage[(int(s.start) + i) % kDayMinutes];
            c = add_count(c, 1);
        }

    // Each duty marks its ends in a difference line; one running sum per day
    // then gives the headcounts, so long duties cost no more than short ones.
    const int days = day_count(plan);
    std::vector<std::int32_t> diff(size_t(days) * (kDayMinutes + 1), 0);
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        if (!plan.workers[w].inGroup(g->id)) continue;
        const ms_* m = worker_period_month(plan, int(w), plan.currentMonth);
        if (!m) continue;
        for (int d = 0; d < days; ++d) {
            if (day_off_hides_duties(*m, d)) continue;
            for (const dyzur& duty : m->duties[d]) {
                if (!counts_for(plan, *g, duty)) continue;
                minute_span spans[2];
                const int n = duty_spans(duty, d == days - 1, spans);
                for (int i = 0; i < n; ++i) {
                    std::int32_t* line = &diff[size_t(d + spans[i].offset) * (kDayMinutes + 1)];
                    line[spans[i].from] += 1;
                    line[spans[i].to] -= 1;
                }
            }
        }
    }
    for (int d = 0; d < days; ++d) {
        const std::int32_t* line = &diff[size_t(d) * (kDayMinutes + 1)];
        std::int32_t running = 0;
        for (int i = 0; i < kDayMinutes; ++i) {
            running += line[i];
            plan.days[d].minuteHeadcount[i] = word(std::clamp(running, 0, kMaxCount));
        }
    }
}

void wylicz_srednie_obsady(Plan& plan) {
    const grupa* g = counted_group(plan);
    if (!g) return;
    const int days = day_count(plan);
    const int shifts = int(g->shifts.size());
    // prefix[d][i] = headcount of day d summed over minutes 0 .. i-1.
    std::vector<std::int64_t> prefix(size_t(days) * (kDayMinutes + 1), 0);
    for (int d = 0; d < days; ++d) {
        std::int64_t* p = &prefix[size_t(d) * (kDayMinutes + 1)];
        for (int i = 0; i < kDayMinutes; ++i) p[i + 1] = p[i] + plan.days[d].minuteHeadcount[i];
    }
    auto sum = [&](int d, int from, int to) {
        const std::int64_t* p = &prefix[size_t(d) * (kDayMinutes + 1)];
        return p[to] - p[from];
    };
    for (int d = 0; d < days; ++d) {
        size_shift_arrays(plan.days[d], shifts);
        for (int s = 0; s < shifts; ++s) {
            const int start = std::min<int>(g->shifts[s].start, kDayMinutes);
            const int end = start + int(g->shifts[s].length);
            const int to0 = std::min(end, kDayMinutes);
            std::int64_t total = sum(d, start, to0);
            int minutes = to0 - start;
            if (end > kDayMinutes && d + 1 < days) {
                const int to1 = std::min(end - kDayMinutes, kDayMinutes);
                total += sum(d + 1, 0, to1);
                minutes += to1;
            }
            plan.days[d].averageStaffing[s] = minutes > 0 ? float(double(total) / minutes) : 0.0f;
        }
    }
}

void zmien_iledy_dyzuru(Plan& plan, int worker, int dayIndex, const dyzur& duty, int sign) {
    const grupa* g = counted_group(plan);
    const int days = day_count(plan);
    if (!g || dayIndex < 0 || dayIndex >= days) return;
    const ms_* m = worker_period_month(plan, worker, plan.currentMonth);
    if (!m || !plan.workers[worker].inGroup(g->id) || !counts_for(plan, *g, duty)) return;
    const int shifts = int(g->shifts.size());
    const bool hidden = day_off_hides_duties(*m, dayIndex);
    const int s = int(duty.shift) - 1;
    if (s >= 0 && s < shifts) {
        day& dd = plan.days[dayIndex];
        size_shift_arrays(dd, shifts);
        dd.shiftHeadcount[s] = add_count(dd.shiftHeadcount[s], sign);
        if (!hidden) dd.shiftMinutes[s] += sign * (int(duty.length) + int(duty.overtime));
    }
    if (hidden) return;
    minute_span spans[2];
    const int n = duty_spans(duty, dayIndex == days - 1, spans);
    for (int i = 0; i < n; ++i)
        add_minutes(plan.days[dayIndex + spans[i].offset], spans[i].from, spans[i].to, sign);
}

std::pair<int, int> znajdz_puste_iledy(const Plan& plan) {
    const grupa* g = counted_group(plan);
    if (!g) return {-1, -1};
    const int days = day_count(plan);
    for (int d = 0; d < days; ++d) {
        const day& dd = plan.days[d];
        for (size_t s = 0; s < g->shifts.size(); ++s) {
            const int count = s < dd.shiftHeadcount.size() ? dd.shiftHeadcount[s] : 0;
            const int need = dd.holiday ? g->shifts[s].staffMinS : g->shifts[s].staffMin;
            if (count == 0 || count < need) return {d, int(s)};
        }
    }
    return {-1, -1};
}

int zwroc_dyz(const Plan& plan, int worker, int dayIndex, const std::string& mode) {
    const ms_* m = worker_period_month(plan, worker, plan.currentMonth);
    if (!m || dayIndex < 0 || dayIndex >= day_count(plan)) return -1;
    const bool latestEnd = mode == "max";
    if (!latestEnd && mode != "min") return -1;
    const auto& list = m->duties[dayIndex];
    int best = -1;
    for (size_t i = 0; i < list.size(); ++i) {
        const dyzur& d = list[i];
        if (best < 0) {
            best = int(i);
        } else if (latestEnd) {
            const dyzur& b = list[best];
            if (d.end() + d.overtime > b.end() + b.overtime) best = int(i);
        } else if (d.start < list[best].start) {
            best = int(i);
        }
    }
    return best;
}

}  // namespace planek
