// Days off for work on Sundays (kind "1") and on holidays (kind "9").
#include <algorithm>

#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/month_access.h"
#include "scheduler/scheduler_steps.h"

namespace planek::sched {

namespace {

constexpr int kReach = 6;  // days looked at on each side of the worked day

bool has_kind(const ms_& m, int days, char kind) {
    for (int d = 0; d < days; ++d)
        if (m.daysOff[d].used() && m.daysOff[d].symbol == kind) return true;
    return false;
}

// A working day without the worker's duties and outside every day off of
// the worker: one lying inside a leave would vanish under it in the printouts.
bool free_day(const Plan& plan, const ms_& m, int worker, int d) {
    return !plan.days[d].holiday && m.duties[d].empty() && !czy_juz_wolny(plan, d, worker);
}

// The first free day in the week after the worked day, else the nearest one
// in the week before it; -1 when there is none.
int day_off_for(const Plan& plan, const ms_& m, int worker, int worked, int days) {
    for (int d = worked + 1; d <= std::min(worked + kReach, days - 1); ++d)
        if (free_day(plan, m, worker, d)) return d;
    for (int d = worked - 1; d >= std::max(worked - kReach, 0); --d)
        if (free_day(plan, m, worker, d)) return d;
    return -1;
}

void give_kind(Plan& plan, run_state& run, int worker, char kind, bool (*worked_day)(const day&)) {
    const ms_* m = worker_month(plan, worker);
    const int days = std::min<int>(month_day_count(plan), int(plan.days.size()));
    if (!m || has_kind(*m, days, kind)) return;
    const int firstDay = first_day_of_month(plan);
    for (int d = 0; d < days; ++d) {
        if (!worked_day(plan.days[d]) || m->duties[d].empty()) continue;
        const int off = day_off_for(plan, *m, worker, d, days);
        if (off < 0) continue;
        wolne_ w;
        w.workerId = plan.workers[worker].id;
        w.groupId = run.group->id;
        w.dayFrom = w.dayTo = byte(firstDay + off);
        w.symbol = kind;
        w.normMinutes = plan.workers[worker].dailyNorm;
        w.loaded = false;
        if (dodaj_wolne(plan, w, worker, false, false)) ++run.report.daysOff;
    }
}

bool sunday(const day& dd) { return dd.dayOfWeek == 1; }
bool weekday_holiday(const day& dd) { return dd.holiday && dd.dayOfWeek != 1; }

}  // namespace

void give_days_off(Plan& plan, run_state& run) {
    if (!run.group->dayOffForHolidayWorkDistribution) return;
    for (int w : run.members)
        if (run.adjusted(plan, w)) give_kind(plan, run, w, '1', sunday);
    for (int w : run.members)
        if (run.adjusted(plan, w)) give_kind(plan, run, w, '9', weekday_holiday);
}

}  // namespace planek::sched
