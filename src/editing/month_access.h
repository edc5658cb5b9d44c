#pragma once
// Small accessors for the open month that every editing rule needs.
#include "core/plan.h"

namespace planek {

// Day of month of the first entry of the shown day list (1, or the first day
// of the shown week span in week mode).
int first_day_of_month(const Plan& plan);
// Number of days of the open month's day list.
int month_day_count(const Plan& plan);
// The worker's record for the open period month; null when out of range.
ms_* worker_month(Plan& plan, int worker);
const ms_* worker_month(const Plan& plan, int worker);

// What a refused operation puts back: a worker's month of the open period
// month and the allowance balances the rules may have touched on the way.
struct worker_snapshot {
    int worker;
    ms_ month;
    std::int32_t holidayCurrentYear, holidayPreviousYear, careDays, rehaDays;

    worker_snapshot(const Plan& plan, int w);
    void restore(Plan& plan) const;
};

}  // namespace planek
