// Covering under-staffed shifts with proposals from over-staffed ones, and
// the top-up duties of workers still below their norm.
#include <algorithm>
#include <utility>
#include <vector>

#include "calendar/staffing.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/duty_remove.h"
#include "editing/month_access.h"
#include "scheduler/scheduler_steps.h"

namespace planek::sched {

namespace {

constexpr int kMaxGapTries = 200;

// The move of the excess-staff search: the donor duty leaves its day and its
// copy joins the target. When the copy is refused (an overlap the search did
// not foresee), the donor goes back where it was, so a run never loses a
// duty it placed. A worker who is off on the target day keeps the duty: the
// search does not look at days off.
bool move_duty(Plan& plan, int worker, int dayIndex, int position, const dyzur& copy) {
    if (czy_juz_wolny(plan, copy.dayIndex, worker)) return false;
    const worker_snapshot before(plan, worker);
    usun_dyzur_dx(plan, worker, dayIndex, dayIndex, true, false, false, false, position);
    if (dodaj_dyzur(plan, copy, -1, false, worker)) return true;
    before.restore(plan);
    odswiez_iledy(plan);
    return false;
}

int headcount(const day& dd, int shiftIndex) {
    return shiftIndex < int(dd.shiftHeadcount.size()) ? dd.shiftHeadcount[shiftIndex] : 0;
}

bool holds_shift(const std::vector<dyzur>& list, int shift) {
    return std::any_of(list.begin(), list.end(), [&](const dyzur& d) { return d.shift == shift; });
}

// The last day that can take the worker's top-up: free of duties and days
// off, not right after a last-shift duty, with the first shift staffed but
// not above its target.
int top_up_day(const Plan& plan, const grupa& g, int worker, double target) {
    const ms_* m = worker_month(plan, worker);
    const int lastShift = int(g.shifts.size());
    const int days = std::min<int>(month_day_count(plan), int(plan.days.size()));
    for (int d = days - 1; d >= 0; --d) {
        if (!m->duties[d].empty() || czy_juz_wolny(plan, d, worker)) continue;
        if (d > 0 && holds_shift(m->duties[d - 1], lastShift)) continue;
        const int count = headcount(plan.days[d], 0);
        if (count >= 1 && count <= target) return d;
    }
    return -1;
}

}  // namespace

void cover_gaps(Plan& plan, run_state& run) {
    std::vector<std::pair<int, int>> tried;
    for (int i = 0; i < kMaxGapTries; ++i) {
        const std::pair<int, int> cell = znajdz_puste_iledy(plan);
        if (cell.first < 0 || std::find(tried.begin(), tried.end(), cell) != tried.end()) break;
        tried.push_back(cell);
        // A successful move leaves the counts recounted, the moved duty in
        // its new cell included.
        if (znajdz_nadmiarowe_iledy(plan, cell.first, cell.second, move_duty).first < 0) continue;
        ++run.report.moved;
        uloz_planek_set_prio_staff(plan, kAllWorkers, kAllDays);
    }
}

void place_top_ups(Plan& plan, run_state& run) {
    const grupa& g = *run.group;
    if (g.residueDistribution != 0 || g.shifts.empty()) return;
    for (int w : run.members) {
        if (!run.adjusted(plan, w)) continue;
        refresh_worker(plan, w);
        const int open = worker_norm(plan, w) - planned_minutes(plan, w);
        if (open <= 0) continue;
        const int d = top_up_day(plan, g, w, cele_obsady(plan).working[0]);
        if (d < 0) continue;
        // A top-up is the rest of a month, never more than a whole first shift.
        const int length = std::min(open, int(g.shifts[0].length));
        if (!place_proposal(plan, run, new_proposal(plan, g, w, 1, length), w, d)) continue;
        const ms_* m = worker_month(plan, w);
        zmien_iledy_dyzuru(plan, w, d, m->duties[d].back(), +1);
        ++run.report.topUps;
        uloz_planek_set_prio_staff(plan, kAllWorkers, kAllDays);
        refresh_worker(plan, w);
    }
}

}  // namespace planek::sched
