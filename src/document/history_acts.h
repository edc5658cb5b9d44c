#pragma once
// Undo and redo of the month's history as acts: the states put back, every
// figure counted again, the views told.
#include "core/result.h"
#include "document/roster_document.h"

namespace planek {

// One step back or forth; refused when there is none.
result<> undo(roster_document& doc);
result<> redo(roster_document& doc);

}  // namespace planek
