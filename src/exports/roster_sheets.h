#pragma once
// The shown month as payroll takes it: the roster (one row per worker, the
// cell symbol of every day, then the month totals) and the list of every
// duty. Column names come from the translator.
#include <vector>

#include "core/plan.h"
#include "exports/sheet.h"

namespace planek {

// The workers of an exported roster, the window's and the command line's
// alike: the members of the group shown that are not archived.
std::vector<int> roster_workers(const Plan& plan);

// Recomputes the summaries of these workers for the shown month (only the
// current group's duties unless allGroups), as the roster totals need them.
void compute_workers(Plan& plan, const std::vector<int>& workers, bool allGroups);

// Text of one calendar cell: the duties' symbols and the day off's symbol,
// joined by "/"; empty for a day with neither.
std::string cell_symbol(const Plan& plan, int worker, int dayIndex);

sheet roster_sheet(const Plan& plan, const std::vector<int>& workers);
// Every duty of these workers in the shown month, day by day; only the
// duties of the current group unless allGroups.
sheet duty_sheet(const Plan& plan, const std::vector<int>& workers, bool allGroups);

// "zwykły", "medyczny" or "jako nadgodziny", in the chosen language.
std::string duty_kind(const Plan& plan, const dyzur& d);

}  // namespace planek
