#pragma once
// The residue of a worker's norm (what whole shifts cannot reach) as the
// group's setting wants it: planned every month, only in the last month of
// the settlement period, or never.
#include "scheduler/search_model.h"

namespace planek::sched {

// Whether the residue is planned in the shown month.
bool residue_planned_now(const Plan& plan, const grupa& g);

// After the search: for each worker still short of the norm, one shortened
// duty of the rest (at most a whole shift), where it breaks no hard rule and
// costs least. Kept in the model as the worker's `residue`.
void add_residue_duties(search_model& m);

}  // namespace planek::sched
