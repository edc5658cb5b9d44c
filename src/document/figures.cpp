#include "document/figures.h"

#include <algorithm>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/staffing.h"

namespace planek {

namespace {

bool all_groups(const Plan& plan) { return plan.showWorkers == ShowWorkers::All; }

// The group shown is one in use: an archived or vanished one gives way to
// the first in use, as the group list offers no other.
void keep_group_in_use(Plan& plan) {
    if (plan.group() && !plan.group()->old) return;
    for (size_t g = 0; g < plan.groups.size(); ++g)
        if (!plan.groups[g].old) {
            plan.currentGroup = int(g);
            return;
        }
}

}  // namespace

void list_workers(Plan& plan) {
    int place = -1;
    for (size_t i = 0; i < plan.listed.size(); ++i)
        if (plan.listed[i].worker == plan.currentWorker) place = int(i);
    odswiez_liste_prac_panel(plan);
    if (plan.listed.empty()) {
        plan.currentWorker = -1;
        return;
    }
    for (const listed_worker& lw : plan.listed)
        if (lw.worker == plan.currentWorker) return;
    // Gone from the list: the one who now stands where she stood.
    const int at = std::clamp(place, 0, int(plan.listed.size()) - 1);
    plan.currentWorker = plan.listed[size_t(at)].worker;
}

void recount_figures(Plan& plan) {
    keep_group_in_use(plan);
    if (plan.currentGroup >= 0 && !plan.months.empty()) normatyw(plan, true, plan.currentMonth, true);
    list_workers(plan);
    for (const listed_worker& lw : plan.listed)
        call_odswiez_pracownika(plan, lw.worker, all_groups(plan), plan.currentMonth);
    call_odswiez_okres(plan, false, false, -1);
    odswiez_iledy_gdy_trzeba(plan);
}

void worker_figures(Plan& plan, int worker) {
    if (worker >= 0 && worker < int(plan.workers.size()))
        call_odswiez_pracownika(plan, worker, all_groups(plan), plan.currentMonth);
    call_odswiez_okres(plan, false, false, -1);
    odswiez_iledy_gdy_trzeba(plan);
}

}  // namespace planek
