#pragma once
// The judge of the second algorithm: breaches of the rules that are never
// broken, and the cost of everything else, for one worker or one shift cell
// of the model. The search keeps both per worker and per cell, so a step
// re-evaluates only what it touched.
#include <cstdint>

#include "scheduler/search_model.h"

namespace planek::sched {

// Breaches of the never-broken rules, by rule letter.
struct hard_breaches {
    int rest = 0;      // a: rest between duties too short
    int nights = 0;    // b: nights on two days in a row
    int weekRest = 0;  // h: longest weekly rest too short
    int norm = 0;      // f: planned above the norm by more than allowed
    int total() const { return rest + nights + weekRest + norm; }
};

hard_breaches count_breaches(const search_model& m, const search_worker& w);
std::int64_t worker_cost(const search_model& m, const search_worker& w);
std::int64_t cell_cost(const search_model& m, int day, int shift);

// Findings of the warnings check the model expects from a worker and from
// a shift cell; what the window shows while the search runs.
int worker_findings(const search_model& m, const search_worker& w);
int cell_findings(const search_model& m, int day, int shift);

}  // namespace planek::sched
