#pragma once
// A duty put straight into a worker's day list of the current month, for the
// tests whose subject is what is shown or counted, not the placement rules.
#include "core/plan.h"

namespace planek::test {

// The whole shift `shift` (1-based) of `group` (the current one when -1).
inline dyzur& put_duty(Plan& plan, int worker, int dayIndex, int shift, int group = -1) {
    const grupa& g = plan.groups[size_t(group < 0 ? plan.currentGroup : group)];
    dyzur d;
    d.workerId = plan.workers[size_t(worker)].id;
    d.groupId = g.id;
    d.shift = byte(shift);
    d.start = g.shifts[size_t(shift - 1)].start;
    d.length = g.shifts[size_t(shift - 1)].length;
    d.dutyAs = 1;
    d.dayIndex = byte(dayIndex);
    d.day = word(dayIndex + 1);
    auto& list = plan.workers[size_t(worker)].months[size_t(plan.currentMonth)].duties[size_t(dayIndex)];
    list.push_back(d);
    return list.back();
}

}  // namespace planek::test
