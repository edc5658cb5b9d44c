#pragma once
// The places where a view takes part in what the libraries do: a repaint
// after a project was opened, the save dialog, the wait cursor of a long
// run. The plan holds them, so each front end (and each test) sets its own
// and nothing outlives the plan it was set for. An empty slot means the
// libraries' own behaviour.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace planek {

struct Plan;

// The calendar calls into the staffing counts and the worker summaries,
// which sit beside it and are built on what it computes; an empty slot calls
// the library's own czysc_iledy, odswiez_okres and odswiez_pracownika.
struct calendar_refresh_hooks {
    // Staffing counts: czysc_iledy (resetCounts, resetWorkFlag).
    std::function<void(Plan&, bool resetCounts, bool resetWorkFlag)> czysc_iledy;
    // Period totals: odswiez_okres (fromNorm, allGroups, worker or -1).
    std::function<void(Plan&, bool fromNorm, bool allGroups, int worker)> odswiez_okres;
    // One worker's summary: odswiez_pracownika (worker, allGroups, periodMonth).
    std::function<void(Plan&, int worker, bool allGroups, int periodMonth)> odswiez_pracownika;
};

struct project_hooks {
    // The save dialog: initial folder and proposed name in, the chosen path
    // out (nothing = cancelled). Without a hook a save with no file name is
    // cancelled.
    std::function<std::optional<std::string>(const std::string& folder, const std::string& proposed)> chooseSaveFile;
    // Repaint after a project was opened, created or saved (view only).
    std::function<void(const Plan&)> refreshViews;
};

// Views the scheduler tells about its work: busy(true) before it starts
// (hourglass, painting frozen), busy(false) and redraw before the accept
// question, redraw again after the answer.
// The second algorithm also tells, now and then, how its best roster so far
// stands; answering false stops it with that roster.
struct scheduler_progress {
    double done = 0;  // 0..1 of the planned steps
    long long bestFindings = 0;
};
struct scheduler_hooks {
    std::function<void(const Plan&, bool busy)> busy;
    std::function<void(const Plan&)> redraw;
    std::function<bool(const Plan&, const scheduler_progress&)> progress;
    // The accept question, asked by the view itself so that what the run
    // could not meet (one line each) is in sight while the user decides;
    // true keeps the proposals. Without it the question goes to plan.ui.
    std::function<bool(const Plan&, const std::string& question, const std::vector<std::string>& unmet)> accept;
};

// Options the view holds in its own objects (the autosave timer) are set
// again from plan.options when the options are saved, not at the next start.
struct options_hooks {
    std::function<void(const Plan&)> applied;
};

struct plan_hooks {
    calendar_refresh_hooks calendar;
    project_hooks project;
    scheduler_hooks scheduler;
    options_hooks options;
};

}  // namespace planek
