// When the residue of the norm is planned.
#include "scheduler/search_residue.h"

namespace planek::sched {

namespace {

enum residue_setting { Always = 0, AtPeriodEnd = 1 };

}  // namespace

bool residue_planned_now(const Plan& plan, const grupa& g) {
    if (g.residueDistribution == Always) return true;
    return g.residueDistribution == AtPeriodEnd && plan.currentMonth == int(plan.months.size()) - 1;
}

}  // namespace planek::sched
