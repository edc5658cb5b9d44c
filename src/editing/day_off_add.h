#pragma once
#include "core/plan.h"
#include "editing/refusal.h"

namespace planek {

// Stores a day off of a worker in the open month: the head slot of dayFrom
// holds the record, the slots of the further days point back to it.
// isNew asks the allowance questions; correctEnd cuts the range at the first
// day already taken by another blocking day off (stored, with a notice of the
// new end). A refusal or notice comes back for the caller to show.
result<> dodaj_wolne(Plan& plan, wolne_ w, int worker, bool isNew, bool correctEnd);

}  // namespace planek
