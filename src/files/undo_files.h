#pragma once
// Undo and redo of the open month's history as the files see them. The
// staff and group files are written at once after the worker and group
// acts and with each autosave, so a step taken back may leave the tables
// unlike those files even at the month's saved state.
#include "core/plan.h"

namespace planek {

// Takes one step back (forth = false) or forth; false when there is none.
// Whether the files then stand behind the tables is the document's to say.
bool take_undo_step(Plan& plan, bool forth);

}  // namespace planek
