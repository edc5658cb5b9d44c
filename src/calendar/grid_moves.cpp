#include "calendar/grid_moves.h"

#include <algorithm>

#include "calendar/calendar_grid.h"
#include "core/plan.h"

namespace planek {

std::optional<grid_cell> moved_cell(const Plan& plan, grid_cell from, grid_move move) {
    const int slots = std::max(plan.calendar.gridSlots, 1);
    const int days = int(plan.days.size());
    if (days == 0) return std::nullopt;
    if (from.dayIndex < 0 || from.dayIndex >= days || from.slot < 1 || from.slot > slots) return grid_cell{0, 1};
    grid_cell to = from;
    switch (move) {
        case grid_move::Left:
            if (--to.slot < 1) {
                --to.dayIndex;
                to.slot = slots;
            }
            break;
        case grid_move::Right:
            if (++to.slot > slots) {
                ++to.dayIndex;
                to.slot = 1;
            }
            break;
        case grid_move::Up:
        case grid_move::Down: {
            // The cell above or below on the grid, whatever the layout.
            const calendar_cell* c = komorka_dnia(plan, from.dayIndex, from.slot);
            const int columns = plan.calendar.gridColumns();
            if (!c) return std::nullopt;
            const int at = int(c - plan.calendar.grid.data()) + (move == grid_move::Up ? -columns : columns);
            if (at < 0 || at >= int(plan.calendar.grid.size())) return std::nullopt;
            const calendar_cell& next = plan.calendar.grid[size_t(at)];
            to = {next.dayIndex, next.slot};
            break;
        }
    }
    if (to.dayIndex < 0 || to.dayIndex >= days || !komorka_dnia(plan, to.dayIndex, to.slot)) return std::nullopt;
    return to;
}

std::optional<grid_cell> kept_cell(const Plan& plan, grid_cell selected) {
    const int days = int(plan.days.size());
    if (selected.dayIndex < 0 || days == 0) return std::nullopt;
    grid_cell kept{std::min(selected.dayIndex, days - 1), std::max(selected.slot, 1)};
    if (!komorka_dnia(plan, kept.dayIndex, kept.slot)) kept.slot = 1;
    if (!komorka_dnia(plan, kept.dayIndex, kept.slot)) return std::nullopt;
    return kept;
}

}  // namespace planek
