#pragma once
#include <optional>

namespace planek {

struct Plan;
struct grupa;

// The night on the duty timeline: [start, end) in minutes from midnight of
// the duty's day; end may lie past 1440.
struct night_window {
    int start = 1320;
    int end = 1800;
};
// From the options noc_od (start) and noc_do (length), moved past the
// current group's first shift as the summaries expect.
night_window okno_nocy(const Plan& plan);

// A group's day-off-for-Saturday-holiday and typed-in norm for a period
// month: the group's own fields for the shown month, the values read from
// that month's file for the other tabs.
bool wolne_za_sobote(const Plan& plan, const grupa& g, int periodMonth);
bool wlasny_normatyw(const Plan& plan, const grupa& g, int periodMonth);
int wlasny_normatyw_minuty(const Plan& plan, const grupa& g, int periodMonth);

// Recomputes the calendar of the shown month, the night window, the working
// days and the norm of every group and of the current group, stores them in
// period month periodMonth and in plan.calendar, and rebuilds the captions.
// It only derives: the plan is not marked modified, since showing another
// group or month changes nothing the user would save.
void normatyw(Plan& plan, bool clearStaffing, int periodMonth, bool renumberCalendar);

// The settings of a day off that decide its value: those of the day-off
// dialog while it is open, else those stored with the entry.
struct day_off_norm_settings {
    bool customNorm = false;
    int customNormMinutes = 0;
    bool normWithPartTime = false;
};

// Minutes a day off over day indexes fromDay..toDay of the shown month is
// worth for a worker: the typed value, else the length of the duties it
// replaces, else working days × the daily norm.
int normatyw_wolnego(const Plan& plan, int fromDay, int toDay, int worker, int periodMonth,
                     const std::optional<day_off_norm_settings>& dialog = std::nullopt);

}  // namespace planek
