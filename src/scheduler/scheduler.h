#pragma once
// The automatic duty scheduler: fills the open month for the workers of the
// selected group from their own automatic-mode settings, trims everyone back
// to the norm, moves duties into under-staffed shifts, adds top-up duties and
// days off for Sunday and holiday work, and asks whether to keep the result.
// Everything it places is a proposal (loaded = 0) until accepted.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

// The "all workers" and "all days" arguments of uloz_planek_set_prio_staff.
inline constexpr int kAllWorkers = 65535;
inline constexpr int kAllDays = 255;

// What a run did, for the command line and the tests.
struct scheduler_report {
    bool ran = false;       // false when no group or no month is open
    int placed = 0;         // proposals placed: patterns, 8-hour mode and top-ups
    int refused = 0;        // proposals the placement rules refused
    int removed = 0;        // proposals taken back to keep workers at their norm
    int moved = 0;          // proposals moved into under-staffed shifts
    int topUps = 0;         // top-up duties among the placed ones
    int daysOff = 0;        // days off given for Sunday and holiday work
    bool asked = false;     // the accept question was asked
    bool accepted = false;  // ... and answered Yes
    // The second algorithm: the steps it took, whether the user or the time
    // bound cut it short, and one line per rule it could not meet, with why.
    int algorithm = 1;
    std::int64_t steps = 0;
    std::int64_t cost = 0;  // of the roster found, by the search's own cost
    bool stopped = false;
    bool timedOut = false;
    std::vector<std::string> unmet;
    // The workers' wishes for the month: how many the roster grants, and a
    // summary line followed by one line per wish not granted, with why.
    int wishesGranted = 0;
    int wishesMade = 0;
    std::vector<std::string> wishes;
};

// Which algorithm a run uses and how long the second may search.
struct scheduler_choice {
    int algorithm = 0;     // 1 or 2; 0: the group's own choice
    double seconds = 0;    // the time granted, which sets the search's effort; 0: the options'
    std::optional<std::uint64_t> seed;  // else drawn from the plan's random source
};

// What rozpisz_8 did.
struct fill_report {
    int patternPos = 1;  // next position in the pattern (1-based)
    int placed = 0;
    int refused = 0;
};

// The current group's month planned by the second algorithm's search and
// solved as an exact model, without touching the plan: the search's cost,
// the cost of the solver's roster by the same measure, and the solver's
// bound, which no roster of whole shifts goes below.
struct exact_comparison {
    bool available = false;  // the build has the solver
    bool solved = false, optimal = false;
    std::int64_t searchCost = 0, exactCost = 0;
    double bound = 0;
    int breaches = 0;  // workers the solver's roster gives a breach the search would not
    // Minutes of shifts the solver's roster leaves short, a whole shift for
    // each missing person, as the comparison counts the algorithms'.
    std::int64_t exactShortMinutes = 0;
};
exact_comparison compare_with_exact(Plan& plan, const scheduler_choice& choice, double exactSeconds);

// a_AutomaticExecute: one run over the selected group and the open month,
// by the group's algorithm unless the choice names one.
scheduler_report uloz_planek(Plan& plan, const scheduler_choice& choice = {});

// Eight-hour mode for one worker: a copy of the template on every allowed
// free day of the month, the shift taken from the worker's eight-hour
// pattern (from the scheduler) or from the template.
fill_report rozpisz_8(Plan& plan, int worker, const dyzur& templ, bool fromScheduler, bool refresh);

// The duty dialog's whole-month offer (a fill_month_fn of the dialog model).
void rozpisz_8_z_dialogu(Plan& plan, const dyzur& templ, int worker);

// prioWorker of the worker's duties: how much a proposal goes against the
// worker's day/night and working-day/holiday leanings.
void uloz_planek_set_prio(Plan& plan, int worker);

// prioStaff of the duties of one worker (kAllWorkers: every worker of the
// group) on one day (kAllDays: every day): how crowded the duty's cell is
// against the shift's staffing target.
void uloz_planek_set_prio_staff(Plan& plan, int worker, int dayIndex);

// The group dialog's "Resetuj ustawienia początkowe": spreads the start
// positions of the group's pattern workers and marks the next run to start
// them one day apart.
void resetuj_ustawienia_poczatkowe(Plan& plan);

}  // namespace planek
