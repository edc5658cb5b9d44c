// Shortened duties for the residue of the norm, chosen on the search model.
#include "scheduler/search_residue.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "scheduler/search_cost.h"

namespace planek::sched {

namespace {

enum residue_setting { Always = 0, AtPeriodEnd = 1 };

// Puts (sign +1) or takes back (-1) a residue duty in the model.
void apply(search_model& m, search_worker& w, const residue_duty& r, int sign) {
    const search_shift& s = m.shifts[size_t(r.shift - 1)];
    auto& list = w.kept[size_t(r.day + kSearchPad)];
    const timed_duty t{s.start, s.start + r.length, r.length};
    if (sign > 0) {
        list.insert(std::upper_bound(list.begin(), list.end(), t,
                                     [](const timed_duty& a, const timed_duty& b) { return a.start < b.start; }),
                    t);
    } else {
        list.erase(std::find_if(list.begin(), list.end(), [&](const timed_duty& k) {
            return k.start == t.start && k.end == t.end;
        }));
    }
    w.proposedMinutes += sign * r.length;
    m.count[size_t(r.day)][size_t(r.shift - 1)] += sign;
}

// What the roster's cost grows by with the residue duty in place, or
// nothing when it would break a hard rule.
bool cost_with(search_model& m, search_worker& w, const residue_duty& r, std::int64_t& delta) {
    const std::int64_t before = worker_cost(m, w) + cell_cost(m, r.day, r.shift - 1);
    apply(m, w, r, +1);
    const bool allowed = count_breaches(m, w).total() <= w.hardBase;
    if (allowed) delta = worker_cost(m, w) + cell_cost(m, r.day, r.shift - 1) - before;
    apply(m, w, r, -1);
    return allowed;
}

// The residue duty's length: the rest, but never a duty too short for the
// warnings check; a rest under half of that shortest duty is left, as it
// is nearer the norm than the duty would bring the worker.
int residue_length(const search_model& m, int rest) {
    if (!m.rules.DutyTooShort || rest >= m.rules.vDutyTooShort) return rest;
    return 2 * rest > m.rules.vDutyTooShort ? m.rules.vDutyTooShort : 0;
}

void add_for(search_model& m, search_worker& w) {
    const int rest = residue_length(m, w.remaining - w.proposedMinutes);
    if (rest <= 0) return;
    residue_duty best;
    std::int64_t bestDelta = std::numeric_limits<std::int64_t>::max();
    for (int d = 0; d < m.days; ++d) {
        if (!w.open[size_t(d)] || w.shift[size_t(d)] != 0) continue;
        for (int s = 1; s <= int(m.shifts.size()); ++s) {
            const residue_duty r{d, s, std::min(rest, m.shiftMinutes(s - 1))};
            std::int64_t delta = 0;
            if (r.length > 0 && cost_with(m, w, r, delta) && delta < bestDelta) {
                bestDelta = delta;
                best = r;
            }
        }
    }
    if (best.day < 0) return;
    apply(m, w, best, +1);
    w.residue = best;
}

}  // namespace

bool residue_planned_now(const Plan& plan, const grupa& g) {
    if (g.residueDistribution == Always) return true;
    return g.residueDistribution == AtPeriodEnd && plan.currentMonth == int(plan.months.size()) - 1;
}

void add_residue_duties(search_model& m) {
    if (!m.residueNow || m.shifts.empty()) return;
    for (search_worker& w : m.workers) add_for(m, w);
}

}  // namespace planek::sched
