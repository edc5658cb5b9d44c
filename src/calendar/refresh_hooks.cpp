#include "calendar/refresh_hooks.h"

#include "calendar/staffing.h"
#include "calendar/summaries.h"

namespace planek {

calendar_refresh_hooks& refresh_hooks() {
    static calendar_refresh_hooks hooks;
    return hooks;
}

void call_czysc_iledy(Plan& plan, bool resetCounts, bool resetWorkFlag) {
    if (refresh_hooks().czysc_iledy)
        refresh_hooks().czysc_iledy(plan, resetCounts, resetWorkFlag);
    else
        czysc_iledy(plan, resetCounts, resetWorkFlag);
}

void call_odswiez_okres(Plan& plan, bool fromNorm, bool allGroups, int worker) {
    if (refresh_hooks().odswiez_okres)
        refresh_hooks().odswiez_okres(plan, fromNorm, allGroups, worker);
    else
        odswiez_okres(plan, fromNorm, allGroups, worker);
}

void call_odswiez_pracownika(Plan& plan, int worker, bool allGroups, int periodMonth) {
    if (refresh_hooks().odswiez_pracownika)
        refresh_hooks().odswiez_pracownika(plan, worker, allGroups, periodMonth);
    else
        odswiez_pracownika(plan, worker, allGroups, periodMonth);
}

}  // namespace planek
