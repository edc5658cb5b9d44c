#include "calendar/refresh_hooks.h"

#include "calendar/staffing.h"
#include "calendar/summaries.h"

namespace planek {

void call_czysc_iledy(Plan& plan, bool resetCounts, bool resetWorkFlag) {
    if (plan.hooks.calendar.czysc_iledy)
        plan.hooks.calendar.czysc_iledy(plan, resetCounts, resetWorkFlag);
    else
        czysc_iledy(plan, resetCounts, resetWorkFlag);
}

void call_odswiez_okres(Plan& plan, bool fromNorm, bool allGroups, int worker) {
    if (plan.hooks.calendar.odswiez_okres)
        plan.hooks.calendar.odswiez_okres(plan, fromNorm, allGroups, worker);
    else
        odswiez_okres(plan, fromNorm, allGroups, worker);
}

void call_odswiez_pracownika(Plan& plan, int worker, bool allGroups, int periodMonth) {
    if (plan.hooks.calendar.odswiez_pracownika)
        plan.hooks.calendar.odswiez_pracownika(plan, worker, allGroups, periodMonth);
    else
        odswiez_pracownika(plan, worker, allGroups, periodMonth);
}

}  // namespace planek
