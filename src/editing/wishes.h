#pragma once
// Entering and taking back a worker's wish for a day of the open month. Like
// every edit of the month, the change is told to the plan's journal first,
// so the history can put it back.
#include "calendar/wish_summary.h"
#include "core/plan.h"
#include "core/result.h"

namespace planek {

// Sets the wish (kind None takes it back). Refuses a day outside the month
// (NoSuchEntry), a weight outside 1..3 and a shift the group does not have
// (FormInvalid).
result<> ustaw_zyczenie(Plan& plan, int worker, int dayIndex, const wish& w);

}  // namespace planek
