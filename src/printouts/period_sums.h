#pragma once
// The worker sums a printout over the months of a period reads.
namespace planek {

struct Plan;

// Counts every worker's sums of every period month again, over all groups
// or the current one only, then the period totals. A month's sums are made
// when its tab opens, over the groups the worker list showed then, so a
// printout must not trust the months it does not show. The window and the
// command line both call this before a printout, so their figures agree.
void count_period_for_printout(Plan& plan, bool allGroups);

}  // namespace planek
