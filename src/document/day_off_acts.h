#pragma once
// The day-off acts: add, change, move and remove a day off. A day off is
// named by its id in the open month; its days are days of the month and its
// norm minutes.
#include "core/result.h"
#include "document/roster_document.h"
#include "editing/entry_args.h"

namespace planek {

// Whether the worker may take a day off on the day (a worker, not archived,
// the day free of another day off).
result<> day_off_for_cell(const roster_document& doc, int worker, int dayIndex);

// A new day off, with the allowance questions; a range that runs into
// another day off is cut short (stored, with a notice).
result<day_off_id> add_day_off(roster_document& doc, const day_off_args& dayOff);
// The day off replaced by what the arguments give (its kind stays).
result<day_off_id> edit_day_off(roster_document& doc, day_off_id dayOff, const day_off_args& changed);
// To another first day, with its length in days.
result<day_off_id> move_day_off(roster_document& doc, day_off_id dayOff, int dayIndex);
// Removed; its allowance is offered back.
result<> remove_day_off(roster_document& doc, day_off_id dayOff);

}  // namespace planek
