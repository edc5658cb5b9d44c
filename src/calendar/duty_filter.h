#pragma once
// Which duties count: the duty-as filter of the main window and the day-off
// rule. Shared by the staffing counts and the worker summaries.
#include "core/plan.h"

namespace planek {

// The duty-as kind 1..4 of a duty. A duty without a kind (0) or with one
// outside the list is taken as kind 1, the kind older month files default to.
inline int duty_kind(const dyzur& d) { return (d.dutyAs >= 1 && d.dutyAs <= 4) ? d.dutyAs : 1; }

inline bool duty_kind_ticked(const Plan& plan, const dyzur& d) {
    return plan.dutyAsFilter[duty_kind(d) - 1];
}

// True when the day-off slot of a day hides that day's duties from minutes
// and coverage: the day lies in a blocking day off that has no own norm. The
// own-norm flag is read from the day off's head slot, so every day of a
// multi-day entry is judged alike.
inline bool day_off_hides_duties(const ms_& month, int dayIndex) {
    if (dayIndex < 0 || dayIndex >= kMaxDays) return false;
    const wolne_& slot = month.daysOff[dayIndex];
    if (!slot.blocks) return false;
    bool customNorm = slot.customNorm;
    if (slot.headIndex != kNoHead && slot.headIndex < kMaxDays) {
        const wolne_& head = month.daysOff[slot.headIndex];
        if (head.used()) customNorm = head.customNorm;
    }
    return !customNorm;
}

// The worker's record of a period month, or nullptr when the worker or the
// month is outside the tables.
inline const ms_* worker_period_month(const Plan& plan, int worker, int m) {
    if (worker < 0 || worker >= int(plan.workers.size())) return nullptr;
    const prac& w = plan.workers[worker];
    if (m < 0 || m >= int(w.months.size())) return nullptr;
    return &w.months[m];
}
inline ms_* worker_period_month(Plan& plan, int worker, int m) {
    if (worker < 0 || worker >= int(plan.workers.size())) return nullptr;
    prac& w = plan.workers[worker];
    if (m < 0 || m >= int(w.months.size())) return nullptr;
    return &w.months[m];
}

}  // namespace planek
