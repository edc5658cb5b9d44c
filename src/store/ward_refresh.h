#pragma once
// A ward's month kept by a program between its acts, brought up to date by
// what the store stamped since the program last read it: the month's rows
// that came, changed or went, the workers and balances others changed, the
// worked Sundays. Far less than reading the month again, and the same
// result: a refreshed month is what a fresh read would give.
#include "core/result.h"
#include "store/pg_connection.h"
#include "store/ward_month.h"

namespace planek::store {

enum class refresh_outcome {
    Unchanged,  // nobody saved since
    Refreshed,  // the changed rows taken in
    ReadAgain,  // a change the rows alone do not tell (a ward, a new worker): the month read whole
};

// Brings `m` up to what the store holds now; on a refusal `m` is as it was.
result<refresh_outcome> refresh_ward_month(pg_connection& db, ward_month& m);

}  // namespace planek::store
