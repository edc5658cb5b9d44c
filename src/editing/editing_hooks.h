#pragma once
// Calls from the editing rules into neighbouring libraries. Each runs the
// real routine where it exists; the few that belong to later libraries (the
// whole-month fill of the scheduler) or to the view are settable callbacks.
#include <functional>

#include "core/plan.h"

namespace planek {

struct editing_hooks {
    // Recompute the worker's month summary and repaint the worker list.
    std::function<void(Plan&, int worker)> refreshWorker;
    // Recount the daily staffing of the open month.
    std::function<void(Plan&)> recountStaffing;
    // Redraw hooks of the calendar view (no-ops headless).
    std::function<void(Plan&, int worker, int dayIndex)> redrawDutyPanels;
    std::function<void(Plan&, int worker)> redrawDayOffPanels;
    // Renames a duty panel (old name, new name) when positions shift.
    std::function<void(Plan&, const std::string&, const std::string&)> renamePanel;
    // Fill the month with this duty (the scheduler's rozpisz_8).
    std::function<void(Plan&, const dyzur&, int worker)> fillMonth;
};

// The process-wide hooks; the GUI and the scheduler fill the view and
// whole-month entries at start.
editing_hooks& hooks();

void refresh_worker(Plan& plan, int worker);
void recount_staffing(Plan& plan);

}  // namespace planek
