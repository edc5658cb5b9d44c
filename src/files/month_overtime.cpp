#include "files/month_overtime.h"

#include "calendar/refresh_hooks.h"
#include "calendar/summaries.h"

namespace planek {

std::vector<std::optional<long>> month_overtime_balances(const Plan& plan) {
    std::vector<std::optional<long>> balances(plan.workers.size());
    if (plan.currentMonth < 0) return balances;
    // The balance carried on is the worker's whole month, whatever group the
    // duties were planned in: the shown figures hold one group only.
    Plan scratch = plan;
    scratch.hooks = plan_hooks{};
    scratch.ui = std::make_shared<SilentInteraction>();
    for (size_t i = 0; i < scratch.workers.size(); ++i) {
        prac& w = scratch.workers[i];
        if (plan.currentMonth >= int(w.months.size())) continue;
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
