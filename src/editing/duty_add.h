#pragma once
#include "core/plan.h"

namespace planek {

// The one door through which every duty enters the roster. editIndex -1
// appends, 0 or more replaces that position of the day's list. Returns true
// when the duty was stored in a worker's day list; a refusal is shown through
// plan.ui and leaves every list unchanged (only the duty counter advances).
bool dodaj_dyzur(Plan& plan, dyzur d, int editIndex, bool refresh, int worker);

}  // namespace planek
