#pragma once
// The figures the document derives from the tables for what is shown, kept
// by the acts (document/act.h) and nowhere else: no widget counts them.
#include "core/plan.h"

namespace planek {

// Everything counted afresh: the group shown (the first in use when the one
// chosen went), the calendar and norm of the shown month, who is listed
// (the chosen worker kept when she still is, else the one now at her place),
// every listed worker's sums, the period totals and the staffing counts.
void recount_figures(Plan& plan);

// The upkeep after an edit of one worker's entries: her sums, the period
// totals and the staffing counts (kept one worker at a time by the rules).
void worker_figures(Plan& plan, int worker);

// Who is listed, as the worker list shows it, with the chosen worker kept
// as recount_figures keeps her; no sums are counted.
void list_workers(Plan& plan);

}  // namespace planek
