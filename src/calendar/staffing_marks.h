#pragma once
// Which shift cells of the shown month are staffed below their target or
// above the upper rule of the roster warnings, for marking them in the
// calendar.
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

enum class staffing_level { Enough, Under, Over };

struct cell_staffing {
    staffing_level level = staffing_level::Enough;
    int headcount = 0;
    int required = 0;  // the working-day or the holiday target
};

// The mark of every day index and shift index of the current group,
// counting the shifts anew only when the counts are stale. Empty without
// a group with shifts.
std::vector<std::vector<cell_staffing>> oznacz_obsady(Plan& plan);
// The same from the counts as they stand (a document keeps them current).
std::vector<std::vector<cell_staffing>> oznacz_obsady(const Plan& plan);

// The level a head count has against its target: under below it, over
// when it passes it by the warnings' threshold while that warning is on.
staffing_level staffing_level_of(const Plan& plan, int headcount, int required);

// "D: 2 z 3": the shift's symbol (or number), head count and target.
std::string staffing_mark_text(const Plan& plan, int shiftIndex, const cell_staffing& mark);

}  // namespace planek
