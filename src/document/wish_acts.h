#pragma once
// The workers' wishes for the open month: a day off, a shift she wants or
// one she would rather not work, with its weight.
#include "core/result.h"
#include "core/wish.h"
#include "document/roster_document.h"

namespace planek {

// The wish for a day of the shown month (kind None takes it back): one step
// of the history. Refused for a day outside the month, a weight outside 1..3
// and a shift the group does not have.
result<> set_wish(roster_document& doc, int worker, int dayIndex, const wish& w);

}  // namespace planek
