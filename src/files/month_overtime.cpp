#include "files/month_overtime.h"

#include "calendar/refresh_hooks.h"
#include "calendar/summaries.h"

namespace planek {

namespace {

// A month with neither a duty nor a day off carries nothing on: its worked
// and credited minutes are both nought.
bool holds_entries(const ms_& m) {
    for (size_t d = 0; d < kMaxDays; ++d)
        if (m.daysOff[d].used() || !m.duties[d].empty()) return true;
    return false;
}

}  // namespace

std::vector<std::optional<long>> month_overtime_balances(const Plan& plan) {
    std::vector<std::optional<long>> balances(plan.workers.size());
    if (plan.currentMonth < 0) return balances;
    // Only they are counted again: a ward's save in a whole hospital's month
    // holds the entries of one ward, and the rest would be counted for nought.
    std::vector<size_t> counted;
    for (size_t i = 0; i < plan.workers.size(); ++i) {
        const prac& w = plan.workers[i];
        if (plan.currentMonth < int(w.months.size()) && holds_entries(w.months[plan.currentMonth])) counted.push_back(i);
    }
    if (counted.empty()) return balances;
    // The balance carried on is the worker's whole month, whatever group the
    // duties were planned in: the shown figures hold one group only.
    Plan scratch = plan;
    scratch.hooks = plan_hooks{};
    scratch.ui = std::make_shared<SilentInteraction>();
    for (const size_t i : counted) {
        prac& w = scratch.workers[i];
        ms_& m = w.months[plan.currentMonth];
        m.sum.computed = false;
        odswiez_pracownika(scratch, int(i), true, plan.currentMonth);
        if (!m.sum.computed) continue;
        const category_sum& all = m.sum.total[0];
        const long worked = long(all.dayMinutes) + all.nightMinutes + all.holidayMinutes + m.sum.creditedMinutes;
        if (worked != 0 && worked != m.workerNorm) balances[i] = worked - m.workerNorm;
    }
    return balances;
}

void refresh_period_views(Plan& plan) {
    call_odswiez_okres(plan, false, plan.showWorkers == ShowWorkers::All, -1);
}

}  // namespace planek
