// The excess-staff search of the automatic scheduler: a proposed duty moves
// from a cell that can spare it into an under-staffed one.
#include <algorithm>
#include <vector>

#include "calendar/duty_filter.h"
#include "calendar/staffing.h"

namespace planek {

namespace {

constexpr int kDayMinutes = 1440;

int day_count(const Plan& plan) { return std::min<int>(int(plan.days.size()), kMaxDays); }

int headcount(const Plan& plan, int d, int s) {
    const day& dd = plan.days[d];
    return s < int(dd.shiftHeadcount.size()) ? dd.shiftHeadcount[s] : 0;
}

// A cell that keeps enough people when one of them leaves. A holiday cell at
// exactly its holiday staffing is kept; a working-day cell at exactly its
// staffing may give.
bool is_donor_cell(const Plan& plan, const grupa& g, int d, int s, bool targetEmpty) {
    const int count = headcount(plan, d, s);
    if (count <= 1) return false;
    if (targetEmpty) return true;
    return plan.days[d].holiday ? count > g.shifts[s].staffMinS : count >= g.shifts[s].staffMin;
}

// The rest a last-shift duty followed by a first-shift duty of the next day
// gets; the previous-day rule refuses exactly that pairing.
int guarded_rest(const grupa& g) {
    const zmiana_& first = g.shifts.front();
    const zmiana_& last = g.shifts.back();
    return int(first.start) + kDayMinutes - (int(last.start) + int(last.length));
}

struct worker_view {
    const ms_* month = nullptr;
    bool afterLastShift = false;  // latest duty of the day before the target is in the last shift
    const dyzur* nextEarliest = nullptr;  // earliest duty of the day after the target
};

worker_view look_around(const Plan& plan, const grupa& g, int w, int td) {
    worker_view v;
    v.month = worker_period_month(plan, w, plan.currentMonth);
    if (!v.month) return v;
    if (td > 0) {
        const int p = zwroc_dyz(plan, w, td - 1, "max");
        v.afterLastShift = p >= 0 && v.month->duties[td - 1][p].shift == g.shifts.size();
    }
    const int n = zwroc_dyz(plan, w, td + 1, "min");
    if (n >= 0) v.nextEarliest = &v.month->duties[td + 1][n];
    return v;
}

// Whether a candidate duty of shift index s may take the target shift ts.
bool rest_allows(const grupa& g, const worker_view& v, const dyzur& duty, int s, int ts) {
    const int last = int(g.shifts.size()) - 1;
    // After a last-shift duty the day before, no first-shift duty: neither a
    // candidate held there nor one that would land there.
    if ((s == 0 || ts == 0) && v.afterLastShift) return false;
    if (s == last && v.nextEarliest) {
        const int end = int(g.shifts[ts].start) + int(duty.length) + int(duty.overtime);
        const int rest = int(v.nextEarliest->start) + kDayMinutes - end;
        if (rest <= guarded_rest(g)) return false;
    }
    return true;
}

}  // namespace

staff_donor znajdz_dawce(const Plan& plan, int td, int ts) {
    staff_donor best;
    const grupa* g = plan.group();
    const int days = day_count(plan);
    if (!g || g->shifts.empty() || td < 0 || td >= days || ts < 0 || ts >= int(g->shifts.size()))
        return best;
    const int shifts = int(g->shifts.size());
    const bool targetEmpty = headcount(plan, td, ts) == 0;
    const dyzur* bestDuty = nullptr;
    std::vector<worker_view> views(plan.workers.size());
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        const prac& worker = plan.workers[w];
        if (worker.prefSystem && worker.inGroup(g->id)) views[w] = look_around(plan, *g, int(w), td);
    }
    for (int d = 0; d < days; ++d) {
        for (int s = 0; s < shifts; ++s) {
            if ((d == td && s == ts) || !is_donor_cell(plan, *g, d, s, targetEmpty)) continue;
            for (size_t w = 0; w < plan.workers.size(); ++w) {
                const prac& worker = plan.workers[w];
                const worker_view& v = views[w];
                if (!v.month) continue;  // not in the group, not in pattern mode, or no month
                if (!v.month->duties[td].empty() && d != td) continue;
                const auto& list = v.month->duties[d];
                for (size_t pos = 0; pos < list.size(); ++pos) {
                    const dyzur& duty = list[pos];
                    if (duty.shift != s + 1 || duty.loaded || duty.groupId != g->id) continue;
                    if (!rest_allows(*g, v, duty, s, ts)) continue;
                    if (bestDuty) {
                        if (duty.prioWorker + duty.prioStaff <= bestDuty->prioWorker + bestDuty->prioStaff)
                            continue;
                        if (bestDuty->shift == ts + 1 && worker.prefNormalHoliday != 3) continue;
                    }
                    best = {int(w), d, int(pos)};
                    bestDuty = &duty;
                }
            }
        }
    }
    return best;
}

bool przenies_dyzur_prosto(Plan& plan, int worker, int dayIndex, int position, const dyzur& copy) {
    const grupa* g = plan.group();
    const int days = day_count(plan);
    ms_* m = worker_period_month(plan, worker, plan.currentMonth);
    const int td = copy.dayIndex;
    if (!g || !m || dayIndex < 0 || dayIndex >= days || td >= days || position < 0 ||
        position >= int(m->duties[dayIndex].size()))
        return false;
    dyzur placed = copy;
    if (placed.start == 0 && placed.shift >= 1 && placed.shift <= g->shifts.size())
        placed.start = g->shifts[placed.shift - 1].start;
    const int from = placed.start;
    const int to = from + int(placed.length) + int(placed.overtime);
    auto clashes = [&](int d, int offset) {
        if (d < 0 || d >= days) return false;
        for (size_t i = 0; i < m->duties[d].size(); ++i) {
            if (d == dayIndex && int(i) == position) continue;
            const dyzur& q = m->duties[d][i];
            const int qFrom = int(q.start) + offset;
            const int qTo = qFrom + int(q.length) + int(q.overtime);
            if (qFrom < to && from < qTo) return true;
        }
        return false;
    };
    if (m->duties[td].size() >= 10 && td != dayIndex) return false;
    if (clashes(td - 1, -kDayMinutes) || clashes(td, 0) || clashes(td + 1, kDayMinutes)) return false;

    const dyzur donor = m->duties[dayIndex][position];
    zmien_iledy_dyzuru(plan, worker, dayIndex, donor, -1);
    m->duties[dayIndex].erase(m->duties[dayIndex].begin() + position);
    placed.id = ++plan.dutyCounter;
    m->duties[td].push_back(placed);
    zmien_iledy_dyzuru(plan, worker, td, placed, +1);
    return true;
}

std::pair<int, int> znajdz_nadmiarowe_iledy(Plan& plan, int td, int ts, const duty_mover& mover) {
    const staff_donor donor = znajdz_dawce(plan, td, ts);
    if (donor.worker < 0) return {-1, -1};
    const ms_* m = worker_period_month(plan, donor.worker, plan.currentMonth);
    dyzur copy = m->duties[donor.day][donor.position];
    copy.day = word(td + 1);
    copy.dayIndex = byte(td);
    copy.shift = byte(ts + 1);
    copy.start = 0;
    copy.dutyAs = 1;
    if (mover) {
        if (!mover(plan, donor.worker, donor.day, donor.position, copy)) return {-1, -1};
        odswiez_iledy(plan);
    } else if (!przenies_dyzur_prosto(plan, donor.worker, donor.day, donor.position, copy)) {
        return {-1, -1};
    }
    return {donor.worker, donor.day};
}

}  // namespace planek
