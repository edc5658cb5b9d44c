#pragma once
// The steps of one scheduler run and what they share; used only by the
// scheduler's own sources.
#include <vector>

#include "core/plan.h"
#include "scheduler/scheduler.h"

namespace planek::sched {

// One run over the selected group.
struct run_state {
    const grupa* group = nullptr;
    std::vector<int> members;     // workers of the group, not archived, table order
    std::vector<bool> inAutoRun;  // per worker of the table
    std::vector<int> patternPos;  // per worker of the table
    scheduler_report report;

    // Workers that are trimmed, topped up and given days off: those in the
    // run, except full-time eight-hour workers.
    bool adjusted(const Plan& plan, int worker) const;
};

// Workers of the group, not archived, with an entry in the open month, in
// table order.
std::vector<int> group_members(const Plan& plan, const grupa& g);

// Staffing targets of the group's shifts: working days and holidays.
struct shift_targets {
    std::vector<double> working;
    std::vector<double> holiday;
};
shift_targets cele_obsady(const Plan& plan);

// Planned time of the worker's open month as counted for the norm: worked
// minutes and the credited days off.
int planned_minutes(const Plan& plan, int worker);
int worker_norm(const Plan& plan, int worker);

// A new proposal of the group for the worker: start 0 (the shift's start),
// no overtime, duty-as 1, all flags clear, loaded = 0.
dyzur new_proposal(const Plan& plan, const grupa& g, int worker, int shift, int length);

// Adds a proposal on a day index; counts it placed or refused.
bool place_proposal(Plan& plan, run_state& run, dyzur d, int worker, int dayIndex);

// Removes one duty of a worker, keeping the staffing counts by the change
// alone (a full recount per removal would make the run quadratic).
void remove_duty(Plan& plan, int worker, int dayIndex, int position);

// Step 1, pattern mode: places the worker's cyclic pattern from day index
// `offset` on; returns the next pattern position.
int place_pattern(Plan& plan, run_state& run, int worker, int offset);

// Step 2: takes proposals back while the worker's planned time exceeds the norm.
void trim_to_norm(Plan& plan, run_state& run, int worker);

// Step 3: moves proposals from over-staffed into under-staffed cells.
void cover_gaps(Plan& plan, run_state& run);

// Step 4: one top-up duty for each worker still below the norm.
void place_top_ups(Plan& plan, run_state& run);

// Step 5: days off of kinds "1" and "9" for Sunday and holiday duties.
void give_days_off(Plan& plan, run_state& run);

// The second algorithm in place of steps 1 to 5: a search over the month
// that breaks none of the hard rules and places the residue duties and the
// days off for holiday work under the same cost as every other duty.
void plan_by_search(Plan& plan, run_state& run, const scheduler_choice& choice);

}  // namespace planek::sched
