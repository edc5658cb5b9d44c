#pragma once
// The second algorithm's search over the model: a greedy construction that
// staffs every shift it can, then late acceptance over the moves add,
// remove, move, change shift, hand over and swap. Deterministic: the seed
// and the model decide every step; time only cuts a run short.
#include <cstdint>
#include <functional>

#include "scheduler/search_model.h"

namespace planek::sched {

struct search_limits {
    std::uint64_t seed = 1;
    double seconds = 5;  // upper bound; a normal run ends on its step count first
    std::int64_t steps = 0;  // 0: scaled to the ward
};

// Told now and then how the best roster so far stands; false stops the
// search, keeping that roster.
struct search_status {
    std::int64_t step = 0, steps = 0;
    std::int64_t bestCost = 0;
    int bestFindings = 0;
};
using search_watch = std::function<bool(const search_status&)>;

struct search_result {
    std::int64_t steps = 0;  // steps taken
    std::int64_t cost = 0;
    int findings = 0;
    bool stopped = false;   // by the watcher
    bool timedOut = false;  // by the time bound
};

// Leaves the best roster found in the model's proposals.
search_result search_roster(search_model& m, const search_limits& limits, const search_watch& watch = {});

// The model's expected findings as it stands.
int model_findings(const search_model& m);

// The step count of a run over this model when none is given.
std::int64_t scaled_steps(const search_model& m);

}  // namespace planek::sched
