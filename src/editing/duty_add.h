#pragma once
#include "core/plan.h"
#include "editing/refusal.h"

namespace planek {

// The one door through which every duty enters the roster. editIndex -1
// appends, 0 or more replaces that position of the day's list. Stored when
// the duty went into a worker's day list; a refusal comes back with its text
// for the caller to show, and leaves every list unchanged (only the duty
// counter advances).
result<> dodaj_dyzur(Plan& plan, dyzur d, int editIndex, bool refresh, int worker);

}  // namespace planek
