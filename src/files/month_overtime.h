#pragma once
// What the month file needs of the summaries: the overtime balance carried
// into the next month, and the refresh of the combined period views.
#include <optional>
#include <vector>

#include "core/plan.h"

namespace planek {

// Each worker's balance of the shown month to carry into the next one:
// worked minutes plus credited day-off minutes minus the worker's norm, over
// every group. Nothing for a worker who worked and was credited nothing, or
// whose balance is 0. Worked out on a copy, so the figures the view shows
// (of the shown group only) stay as they are.
std::vector<std::optional<long>> month_overtime_balances(const Plan& plan);

// Recomputes the combined figures of the settlement period.
void refresh_period_views(Plan& plan);

}  // namespace planek
