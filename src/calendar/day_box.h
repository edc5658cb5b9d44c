#pragma once
// What the day box of the main window shows for the selected day: each
// shift's headcount against its staffing target, the most and the fewest
// workers on duty at once, and the day's note.
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek {

struct shift_staffing {
    std::string symbol;
    int headcount = 0;
    int required = 0;  // the working-day or the holiday target
    std::vector<std::string> who;  // short names of those on the shift
};

struct day_box {
    bool valid = false;  // a day of the shown month, with a group that has shifts
    std::string title;   // "12.03.2027, czwartek"
    std::vector<shift_staffing> shifts;
    // Most and fewest on duty at once over the minutes the group's shifts
    // cover, each with the first minute it holds.
    int most = 0;
    int mostAt = 0;
    int fewest = 0;
    int fewestAt = 0;
    std::string note;
    // Short names of the group's workers with a day off that day: the
    // calendar may have no room to show them all.
    std::vector<std::string> daysOff;
    std::vector<std::string> lines;  // the figures as the box shows them
};

// Brings the shift counts up to date when they are stale, then sums up the
// day (day index of the shown month).
day_box podsumowanie_dnia(Plan& plan, int dayIndex);
// The same from the staffing counts as they stand (a document keeps them current).
day_box podsumowanie_dnia(const Plan& plan, int dayIndex);

}  // namespace planek
