#include "files/month_overtime.h"

#include "calendar/refresh_hooks.h"

namespace planek {

std::optional<long> month_overtime_balance(Plan& plan, int worker) {
    if (worker < 0 || worker >= int(plan.workers.size())) return std::nullopt;
    prac& w = plan.workers[worker];
    if (plan.currentMonth < 0 || plan.currentMonth >= int(w.months.size())) return std::nullopt;
    ms_& m = w.months[plan.currentMonth];
    m.sum.computed = false;
    // The balance carried on is the worker's whole month, whatever group the
    // duties were planned in.
    call_odswiez_pracownika(plan, worker, true, plan.currentMonth);
    if (!m.sum.computed) return std::nullopt;
    const category_sum& all = m.sum.total[0];
    const long worked = long(all.dayMinutes) + all.nightMinutes + all.holidayMinutes + m.sum.creditedMinutes;
    if (worked == 0 || worked == m.workerNorm) return std::nullopt;
    return worked - m.workerNorm;
}

void refresh_period_views(Plan& plan) {
    call_odswiez_okres(plan, false, plan.showWorkers == ShowWorkers::All, -1);
}

}  // namespace planek
