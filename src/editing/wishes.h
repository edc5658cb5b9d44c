#pragma once
// Entering and taking back a worker's wish for a day of the open month. Like
// every edit of the month, the change is told to the plan's journal first,
// so the history can put it back.
#include <string>

#include "calendar/wish_summary.h"
#include "core/plan.h"

namespace planek {

// Why a wish was refused; empty when it was set.
struct wish_refusal {
    std::string key, fallback;  // a message of the messages section
    bool refused() const { return !key.empty(); }
};

// Sets the wish (kind None takes it back). Refuses a day outside the month,
// a weight outside 1..3 and a shift the group does not have.
wish_refusal ustaw_zyczenie(Plan& plan, int worker, int dayIndex, const wish& w);

}  // namespace planek
