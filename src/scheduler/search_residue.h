#pragma once
// The residue of a worker's norm (what whole shifts cannot reach) as the
// group's setting wants it: planned every month, only in the last month of
// the settlement period, or never. Where it is planned, the search may
// shorten one duty of each worker to the rest of her norm.
#include "core/plan.h"

namespace planek::sched {

// Whether the residue is planned in the shown month.
bool residue_planned_now(const Plan& plan, const grupa& g);

}  // namespace planek::sched
