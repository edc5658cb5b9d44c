#pragma once
// Moving the selected cell of the calendar with the keyboard, and keeping
// it when the calendar shows another month.
#include <optional>

namespace planek {

struct Plan;

// A cell as the selection holds it: a day index and a 1-based shift slot.
struct grid_cell {
    int dayIndex = -1;
    int slot = 0;
    bool operator==(const grid_cell&) const = default;
};

enum class grid_move { Left, Right, Up, Down };

// Where a move takes the selection: left and right step through the shift
// slots of a day and on into the day before or after, up and down go a week
// (a column in week mode) back or forward in the same slot. Nothing is
// selected yet: the first day's first slot. Empty when the move would leave
// the shown days.
std::optional<grid_cell> moved_cell(const Plan& plan, grid_cell from, grid_move move);

// The selection once the grid shows another month (or the same one laid out
// anew): the same day number and slot, the month's last day when it is
// shorter, the day's first slot when that slot is not shown. Empty when
// nothing was selected or no day is shown.
std::optional<grid_cell> kept_cell(const Plan& plan, grid_cell selected);

}  // namespace planek
