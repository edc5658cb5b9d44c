// Removal priorities and the trimming of workers back to their norm.
#include <algorithm>
#include <cmath>
#include <vector>

#include "calendar/staffing.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"
#include "editing/month_access.h"
#include "scheduler/scheduler_steps.h"

namespace planek {

namespace {

// Priorities are sums of a few tenths; values this close are the same tie.
constexpr double kTie = 1e-9;

double leaning(int preference) { return 0.2 * std::abs(3 - preference); }

int headcount(const day& dd, int shiftIndex) {
    return shiftIndex < int(dd.shiftHeadcount.size()) ? dd.shiftHeadcount[shiftIndex] : 0;
}

bool is_member(const Plan& plan, const grupa& g, int worker) {
    const prac& p = plan.workers[worker];
    return !p.old && p.inGroup(g.id);
}

void set_staff_priorities(Plan& plan, const grupa& g, const sched::shift_targets& t, int worker, int from, int to) {
    ms_* m = worker_month(plan, worker);
    if (!m) return;
    const int shifts = int(g.shifts.size());
    for (int d = from; d <= to; ++d) {
        const day& dd = plan.days[d];
        for (dyzur& duty : m->duties[d]) {
            if (duty.loaded || shifts == 0) {
                duty.prioStaff = 0.0;
                continue;
            }
            const int s = std::clamp(int(duty.shift), 1, shifts) - 1;
            const double target = dd.holiday ? t.holiday[s] : t.working[s];
            duty.prioStaff = headcount(dd, s) / std::max(1.0, target);
        }
    }
}

}  // namespace

void uloz_planek_set_prio(Plan& plan, int worker) {
    ms_* m = worker_month(plan, worker);
    const grupa* g = plan.group();
    if (!m || !g) return;
    const prac& p = plan.workers[worker];
    const bool manyShifts = g->shifts.size() > 1;
    const int days = std::min<int>(month_day_count(plan), int(plan.days.size()));
    for (int d = 0; d < days; ++d) {
        const bool holiday = plan.days[d].holiday != 0;
        for (dyzur& duty : m->duties[d]) {
            if (duty.loaded) {
                duty.prioWorker = 0.0;
                continue;
            }
            double prio = 1.0;
            if (manyShifts) {
                const bool preferred = duty.shift == 1 ? p.prefDayNight < 3 : p.prefDayNight >= 3;
                prio += leaning(p.prefDayNight) * (preferred ? -1.0 : 1.0);
            }
            const bool against = holiday ? p.prefNormalHoliday < 3 : p.prefNormalHoliday >= 3;
            prio += leaning(p.prefNormalHoliday) * (against ? 1.0 : -1.0);
            duty.prioWorker = prio;
        }
    }
}

void uloz_planek_set_prio_staff(Plan& plan, int worker, int dayIndex) {
    const grupa* g = plan.group();
    const int days = std::min<int>(month_day_count(plan), int(plan.days.size()));
    if (!g || days == 0) return;
    const sched::shift_targets t = sched::cele_obsady(plan);
    int from = 0, to = days - 1;
    if (dayIndex != kAllDays) {
        if (dayIndex < 0 || dayIndex >= days) return;
        from = to = dayIndex;
    }
    if (worker != kAllWorkers) {
        if (worker >= 0 && worker < int(plan.workers.size()) && is_member(plan, *g, worker))
            set_staff_priorities(plan, *g, t, worker, from, to);
        return;
    }
    for (int w = 0; w < int(plan.workers.size()); ++w)
        if (is_member(plan, *g, w)) set_staff_priorities(plan, *g, t, w, from, to);
}

namespace sched {

shift_targets cele_obsady(const Plan& plan) {
    shift_targets t;
    const grupa* g = plan.group();
    if (!g) return t;
    const size_t shifts = g->shifts.size();
    t.working.assign(shifts, 0.0);
    t.holiday.assign(shifts, 0.0);
    const int days = std::min<int>(month_day_count(plan), int(plan.days.size()));
    for (size_t s = 0; s < shifts; ++s) {
        const zmiana_& z = g->shifts[s];
        if (z.staffMin != 0) {
            t.working[s] = z.staffMin;
            t.holiday[s] = z.staffMinS;
            continue;
        }
        double sumWorking = 0, sumHoliday = 0;
        int nWorking = 0, nHoliday = 0;
        for (int d = 0; d < days; ++d) {
            const day& dd = plan.days[d];
            (dd.holiday ? sumHoliday : sumWorking) += headcount(dd, int(s));
            ++(dd.holiday ? nHoliday : nWorking);
        }
        if (nWorking > 0) t.working[s] = sumWorking / nWorking;
        if (nHoliday > 0) t.holiday[s] = sumHoliday / nHoliday;
    }
    return t;
}

void remove_duty(Plan& plan, int worker, int dayIndex, int position) {
    ms_* m = worker_month(plan, worker);
    std::vector<dyzur>& list = m->duties[dayIndex];
    zmien_iledy_dyzuru(plan, worker, dayIndex, list[position], -1);
    list.erase(list.begin() + position);
    if (m->daysOff[dayIndex].blocks) aktualizuj_urlop(plan, worker, dayIndex);
}

namespace {

struct duty_ref {
    int day;
    int position;
};

// The group's proposals of the worker with the highest removal priority.
std::vector<duty_ref> first_to_go(const Plan& plan, const grupa& g, int worker) {
    std::vector<duty_ref> ties;
    const ms_* m = worker_month(plan, worker);
    double best = 0;
    const int days = std::min<int>(month_day_count(plan), int(plan.days.size()));
    for (int d = 0; d < days; ++d) {
        const std::vector<dyzur>& list = m->duties[d];
        for (int i = 0; i < int(list.size()); ++i) {
            const dyzur& duty = list[i];
            if (duty.loaded || duty.groupId != g.id) continue;
            const double prio = duty.prioWorker + duty.prioStaff;
            if (ties.empty() || prio > best + kTie) {
                ties.clear();
                best = prio;
            } else if (prio < best - kTie) {
                continue;
            }
            ties.push_back({d, i});
        }
    }
    return ties;
}

}  // namespace

void trim_to_norm(Plan& plan, run_state& run, int worker) {
    refresh_worker(plan, worker);
    if (worker_norm(plan, worker) <= 0) return;
    while (planned_minutes(plan, worker) > worker_norm(plan, worker)) {
        uloz_planek_set_prio_staff(plan, worker, kAllDays);
        uloz_planek_set_prio(plan, worker);
        const std::vector<duty_ref> ties = first_to_go(plan, *run.group, worker);
        if (ties.empty()) break;
        const duty_ref pick = ties[size_t(plan.random.below(int(ties.size())))];
        remove_duty(plan, worker, pick.day, pick.position);
        ++run.report.removed;
        refresh_worker(plan, worker);
    }
}

}  // namespace sched

}  // namespace planek
