#include "printouts/period_sums.h"

#include "calendar/refresh_hooks.h"
#include "core/plan.h"

namespace planek {

void count_period_for_printout(Plan& plan, bool allGroups) {
    const int shown = plan.currentMonth;
    // Months read for one ward's part hold only the listed workers' whole
    // month: the others' sums are neither printed nor whole.
    const bool listedOnly = !plan.guards.wardOnly.empty() && !allGroups;
    auto count = [&](int month) {
        if (listedOnly) {
            for (const listed_worker& lw : plan.listed) call_odswiez_pracownika(plan, lw.worker, allGroups, month);
            return;
        }
        for (size_t w = 0; w < plan.workers.size(); ++w) call_odswiez_pracownika(plan, int(w), allGroups, month);
    };
    // The shown month last: a worker's daily norm and counts are those of
    // the month on screen.
    for (int m = 0; m < int(plan.months.size()); ++m)
        if (m != shown) count(m);
    if (shown >= 0 && shown < int(plan.months.size())) count(shown);
    call_odswiez_okres(plan, false, allGroups, -1);
}

}  // namespace planek
