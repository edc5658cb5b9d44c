#pragma once
// What the month file needs of the summaries: the overtime balance carried
// into the next month, and the refresh of the combined period views.
#include <optional>

#include "core/plan.h"

namespace planek {

// The worker's balance of the shown month to carry into the next one:
// worked minutes plus credited day-off minutes minus the worker's norm, after
// recomputing the month. Nothing when nothing was worked or credited, or when
// the balance is 0.
std::optional<long> month_overtime_balance(Plan& plan, int worker);

// Recomputes the combined figures of the settlement period.
void refresh_period_views(Plan& plan);

}  // namespace planek
