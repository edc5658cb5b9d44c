#include "editing/month_access.h"

#include <algorithm>
#include <utility>

namespace planek {

int first_day_of_month(const Plan& plan) {
    // The day list's own numbering wins: day 1, or in week mode the first
    // column's number, the one its duties and days off are stored under.
    if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size())) {
        const miesiac& m = plan.months[plan.currentMonth];
        if (!m.days.empty() && m.days[0].dayNumber > 0) return m.days[0].dayNumber;
    }
    return plan.weekMode ? std::max(1, plan.weekModeFrom) : 1;
}

int month_day_count(const Plan& plan) {
    int n = 0;
    if (!plan.days.empty()) {
        n = int(plan.days.size());
    } else if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size())) {
        n = plan.months[plan.currentMonth].dayCount;
    }
    return std::clamp(n, 0, kMaxDays);
}

const ms_* worker_month(const Plan& plan, int worker) {
    if (worker < 0 || worker >= int(plan.workers.size())) return nullptr;
    const prac& w = plan.workers[worker];
    if (plan.currentMonth < 0 || plan.currentMonth >= int(w.months.size())) return nullptr;
    return &w.months[plan.currentMonth];
}

ms_* worker_month(Plan& plan, int worker) {
    const ms_* m = worker_month(std::as_const(plan), worker);
    // Whoever asks for the entry to write is about to change it.
    if (m) note_worker_edit(plan, worker);
    return const_cast<ms_*>(m);
}

worker_snapshot::worker_snapshot(const Plan& plan, int w)
    : worker(w),
      month(*worker_month(plan, w)),
      holidayCurrentYear(plan.workers[w].holidayCurrentYear),
      holidayPreviousYear(plan.workers[w].holidayPreviousYear),
      careDays(plan.workers[w].careDays),
      rehaDays(plan.workers[w].rehaDays) {}

void worker_snapshot::restore(Plan& plan) const {
    *worker_month(plan, worker) = month;
    prac& p = plan.workers[worker];
    p.holidayCurrentYear = holidayCurrentYear;
    p.holidayPreviousYear = holidayPreviousYear;
    p.careDays = careDays;
    p.rehaDays = rehaDays;
}

}  // namespace planek
