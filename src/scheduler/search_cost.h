#pragma once
// The judge of the second algorithm: breaches of the rules that are never
// broken, and the cost of everything else, for one worker or one day of the
// model. The search keeps both per worker and per day, so a step
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
// The same count, given up as soon as it passes `limit`: a move is refused
// on its first breach past the kept duties', without the rest of the month.
hard_breaches count_breaches(const search_model& m, const search_worker& w, int limit);
std::int64_t worker_cost(const search_model& m, const search_worker& w);
// The day's shift cells and the days off for holiday work given on it.
std::int64_t day_cost(const search_model& m, int day);

// Findings of the warnings check the model expects from a worker and from
// a shift cell; what the window shows while the search runs.
int worker_findings(const search_model& m, const search_worker& w);
int cell_findings(const search_model& m, int day, int shift);
// The cost of the whole model as it stands, counted afresh.
std::int64_t model_cost(const search_model& m);

// The worker's shift on a day as a wish sees it: the proposal, else a kept
// duty (-1: one of another group), else 0.
int shift_on(const search_worker& w, int day);
// Wishes of the worker granted and made.
struct wish_tally {
    int granted = 0, made = 0;
};
wish_tally count_wishes(const search_worker& w);

// Worked Sundays and holidays of one kind of day off ('1' or '9') that get
// no day off within reach, and days off of that kind without a worked day.
struct day_off_match {
    int missing = 0, extra = 0;
};
day_off_match match_days_off(const search_model& m, const search_worker& w, char kind);

// How far from a worked day its day off may lie, either side.
inline constexpr int kDayOffReach = 6;

}  // namespace planek::sched
