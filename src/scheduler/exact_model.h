#pragma once
// The month of the second algorithm's model as a mixed-integer program for
// CBC, to learn how good the search's rosters are: the same never-broken
// rules (rest, nights, weekly rest, norm) as constraints, and the search's
// own cost as the objective, each term exactly as the search counts it or,
// where it is not linear (the fair spread, the weekly band, Sundays in a
// row, the days off for holiday work), left out, so the solver's bound is
// a bound of the search's cost too. It plans whole shifts only; the
// roster it finds is given its days off and judged by the search's cost.
// Built only when the build found CBC (the comparison's --exact).
#include <cstdint>

#include "scheduler/search_model.h"

namespace planek::sched {

struct exact_result {
    bool solved = false;     // a roster was found within the time
    bool optimal = false;    // ... and proved the best
    std::int64_t cost = 0;   // its cost by the search's own cost
    double bound = 0;        // no roster of whole shifts costs less
    // Workers whose solver roster breaks a never-broken rule the search
    // would not: none, while the program and the search agree.
    int breaches = 0;
};

// Whether this build can solve the exact model.
bool exact_available();

// Solves the model's month within the seconds, starting from the roster the
// model holds; leaves the solver's roster in the model when it found one.
exact_result solve_exact(search_model& m, double seconds);

}  // namespace planek::sched
