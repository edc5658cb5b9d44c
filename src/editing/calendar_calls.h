#pragma once
// The calendar routines the editing rules lean on, behind one small seam so
// the rules read the same whichever way the calendar computes them.
#include <string>

#include "core/plan.h"

namespace planek {

// Recomputes the worker's month summary (and the worker boxes).
void refresh_worker(Plan& plan, int worker);
// Working days (Monday to Friday, not a holiday) of day indexes from..to;
// in week mode the number of columns.
int working_days(const Plan& plan, int fromIndex, int toIndex);
// Norm minutes of a day off spanning day indexes from..to for the worker,
// read from the worker's head slot of fromIndex.
int day_off_norm(const Plan& plan, int fromIndex, int toIndex, int worker);
// The same with the custom-norm and part-time settings given (the dialog's
// controls, or a record not yet stored).
int day_off_norm_for(const Plan& plan, int fromIndex, int toIndex, int worker, const wolne_& settings);
// Minutes as "hh:mm" text; wrapDay folds times past midnight into the day.
std::string hm_text(int minutes, bool wrapDay = false);
// The same in a given style of the time formatter ("txt", "htm", ...).
std::string hm_text_styled(int minutes, const std::string& style, bool wrapDay);
// Minutes of a "h:mm" text.
int hm_minutes(const std::string& text);
// Minutes still open to the worker's norm this month (may be negative).
int worker_top_up(const Plan& plan, int worker);
// The group top-up length: the month's norm remainder.
int group_top_up(const Plan& plan);

}  // namespace planek
