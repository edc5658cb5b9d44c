#pragma once
// Days off: storing, removing, the allowance bookkeeping and the coverage test.
#include "core/plan.h"
#include "editing/refusal.h"

namespace planek {

// Kind code of "Dzień bez dyżuru" (no duty wanted on a shift of that day).
inline constexpr byte kNoDutyWanted = 0xBF;

// Days off for work on a Sunday, Saturday or holiday may lie under other days
// off; every other kind (except the no-duty day) excludes others.
bool day_off_blocks(char kind);

// Next number of the day-off counter; 0 is skipped because it marks a free slot.
word next_day_off_id(Plan& plan);

// Writes the record into its head slot and marks the slots it covers.
void store_day_off(Plan& plan, ms_& m, wolne_ w);

// Frees the head slot and takes back the marks its day off set.
void free_day_off(ms_& m, int head);

// Asks for and takes the allowance a new day off uses (leave, care,
// rehabilitation). A limit that refuses the day off comes back as the
// refusal, with nothing changed; kind None when the day off may go in.
refusal take_allowance(Plan& plan, int worker, wolne_& w);

// Removes every day off whose head slot lies in first..last.
void usun_wolne(Plan& plan, int worker, int firstIndex, int lastIndex, bool noConfirm, bool onlySelectedGroup,
                bool keepLoaded, bool askAllowances);

// True when a day off of the worker starts on or before the day and reaches it.
bool czy_juz_wolny(const Plan& plan, int dayIndex, int worker);

// Recomputes the norm of the leave covering the day and settles the difference
// with the worker's leave balance.
void aktualizuj_urlop(Plan& plan, int worker, int dayIndex);

// Settles a changed norm (old - new, minutes) with the allowance of the kind.
void korekta_wolne(Plan& plan, int worker, int difference, bool noQuestion, char kind);

}  // namespace planek
