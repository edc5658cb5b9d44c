#pragma once
// The second algorithm's search over the model: a greedy construction that
// staffs every shift it can, then late acceptance over small moves (add,
// remove, move, change shift, hand over, swap, trade shifts on a day, shorten
// a duty to the rest of the norm, place a day off for holiday work), broken
// up, whenever it stalls, by taking a stretch of days or a few workers out
// of the best roster found and staffing them again; a few short runs first,
// of which the best goes on. Deterministic: the
// seed, the model and the time granted decide every step; the clock only
// stops a machine too slow for the steps granted.
#include <cstdint>
#include <functional>

#include "scheduler/search_model.h"

namespace planek::sched {

struct search_limits {
    std::uint64_t seed = 1;
    double seconds = 5;      // the time granted: sets the step budget
    std::int64_t steps = 0;  // 0: from the seconds
};

// Steps of search granted for each second: a step takes well under a
// microsecond on an ordinary computer, so a run ends on its budget before
// the clock, and the same seed and time give the same roster anywhere.
inline constexpr std::int64_t kStepsPerSecond = 500000;

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
    bool timedOut = false;  // by the clock, on a machine too slow for the budget
};

// Leaves the best roster found in the model's proposals.
search_result search_roster(search_model& m, const search_limits& limits, const search_watch& watch = {});

// The model's expected findings as it stands.
int model_findings(const search_model& m);

// Recounts the roster the model holds, gives its worked Sundays and
// holidays their days off where they cost least, and returns its cost.
std::int64_t complete_roster(search_model& m);

// The step budget of a run granted these seconds.
std::int64_t budget_steps(double seconds);

}  // namespace planek::sched
