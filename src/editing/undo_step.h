#pragma once
// One step of the undo history: what an act changed, as the states before
// and after it, of only what it touched.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

// The name of an act as the menu shows it: a translator key of the main
// window and the built-in Polish text.
struct undo_label {
    std::string key;
    std::string fallback;
};
std::string undo_label_text(const Plan& plan, const undo_label& label);

// What an act may change of one worker: her entry of the open month with
// its sums, and her record as the staff file keeps it (name, groups,
// archived flag, balances, pattern positions). The sums are kept as they
// were, not counted again: a sum left stale by an earlier change of the
// calendar comes back stale, exactly as it was.
struct worker_state {
    ms_ month;
    prac record;  // without her months and the figures over the period
};
worker_state take_worker_state(const Plan& plan, int worker);
bool same_worker_state(const worker_state& a, const worker_state& b);
// Whether the worker's record changed beyond her month and balances in a
// way the worker list and the staffing counts follow (groups, archived).
bool moves_worker_lists(const worker_state& a, const worker_state& b);
// Puts the state back and refreshes what an edit of the worker refreshes:
// her staffing share and her share of the period totals.
void put_worker_state(Plan& plan, int worker, const worker_state& state);

// What an act may change of the open month as a whole. The day parameters,
// orphan lists and groups are kept only when the act changed them.
struct month_state {
    std::optional<std::vector<day_param>> days;
    std::optional<std::vector<dyzur>> orphanDuties;
    std::optional<std::vector<wolne_>> orphanDaysOff;
    std::optional<std::vector<grupa>> groups;
    int currentGroup = -1;  // the group shown, kept with the groups
    std::size_t workerCount = 0;
    word dutyCounter = 0;
    word dayOffCounter = 0;
    bool patternsReset = false;
};
// The whole of it, as an act starts.
month_state take_month_state(const Plan& plan);
// Keeps in `before` and `after` only the parts that differ between them.
void keep_month_changes(month_state& before, month_state& after);
bool month_changed(const month_state& before, const month_state& after);
void put_month_state(Plan& plan, const month_state& state);

struct undo_step {
    undo_label label;
    std::vector<int> workers;  // parallel to before and after
    std::vector<worker_state> before, after;
    month_state monthBefore, monthAfter;
    // Workers the act added, whole, as it left them; undo takes them off
    // the end of the list again.
    std::vector<prac> added;
    // The act changed who is listed or the groups, not only the month.
    bool movesLists = false;

    std::size_t bytes() const;
};

// Puts the plan as it was before (undo) or after (redo) the step.
void apply_step(Plan& plan, const undo_step& step, bool redo);

}  // namespace planek
