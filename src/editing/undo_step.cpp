#include "editing/undo_step.h"

#include <utility>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/staffing.h"
#include "editing/calendar_calls.h"

namespace planek {

std::string undo_label_text(const Plan& plan, const undo_label& label) {
    return plan.tr.tr("f_MainForm", label.key, label.fallback);
}

namespace {

ms_* open_entry(Plan& plan, int worker) {
    if (worker < 0 || worker >= int(plan.workers.size())) return nullptr;
    prac& p = plan.workers[worker];
    if (plan.currentMonth < 0 || plan.currentMonth >= int(p.months.size())) return nullptr;
    return &p.months[plan.currentMonth];
}

std::size_t text_bytes(const std::string& s) { return s.capacity() > 15 ? s.capacity() + 1 : 0; }

std::size_t state_bytes(const worker_state& s) {
    std::size_t n = sizeof s;
    const ms_summary& sum = s.month.sum;
    n += sum.days.capacity() * sizeof(day_summary) + sum.parts.capacity() * sizeof(duty_parts);
    for (const duty_parts& p : sum.parts)
        n += text_bytes(p.text) + p.minutes.capacity() * sizeof(std::int32_t) +
             p.duties.capacity() * sizeof(duty_split);
    for (const std::vector<dyzur>& list : s.month.duties) {
        n += list.capacity() * sizeof(dyzur);
        for (const dyzur& d : list) n += text_bytes(d.note);
    }
    return n;
}

std::size_t month_bytes(const month_state& m) {
    std::size_t n = sizeof m;
    if (m.days) {
        n += m.days->capacity() * sizeof(day_param);
        for (const day_param& d : *m.days) n += text_bytes(d.note) + text_bytes(d.dayClass);
    }
    if (m.orphanDuties) n += m.orphanDuties->capacity() * sizeof(dyzur);
    if (m.orphanDaysOff) n += m.orphanDaysOff->capacity() * sizeof(wolne_);
    return n;
}

template <class T>
void keep_if_changed(std::optional<T>& a, std::optional<T>& b) {
    if (a && b && *a == *b) {
        a.reset();
        b.reset();
    }
}

}  // namespace

worker_state take_worker_state(const Plan& plan, int worker) {
    worker_state s;
    const prac& p = plan.workers[size_t(worker)];
    if (plan.currentMonth >= 0 && plan.currentMonth < int(p.months.size()))
        s.month = p.months[size_t(plan.currentMonth)];
    s.dailyNorm = p.dailyNorm;
    s.holidayCurrentYear = p.holidayCurrentYear;
    s.holidayPreviousYear = p.holidayPreviousYear;
    s.careDays = p.careDays;
    s.rehaDays = p.rehaDays;
    s.systemStartFrom = p.systemStartFrom;
    s.systemStartFrom8 = p.systemStartFrom8;
    return s;
}

bool same_worker_state(const worker_state& a, const worker_state& b) {
    return a.month.sum == b.month.sum && a.month.daysOff == b.month.daysOff && a.month.duties == b.month.duties &&
           a.month.workerNorm == b.month.workerNorm && a.month.ownNormValue == b.month.ownNormValue &&
           a.month.ownNorm == b.month.ownNorm && a.month.ownNormCalculated == b.month.ownNormCalculated &&
           a.month.overtimeTotal == b.month.overtimeTotal &&
           a.month.overtimeFromPrevious == b.month.overtimeFromPrevious &&
           a.month.overtimeManual == b.month.overtimeManual && a.month.partTime == b.month.partTime &&
           a.dailyNorm == b.dailyNorm && a.holidayCurrentYear == b.holidayCurrentYear &&
           a.holidayPreviousYear == b.holidayPreviousYear && a.careDays == b.careDays && a.rehaDays == b.rehaDays &&
           a.systemStartFrom == b.systemStartFrom && a.systemStartFrom8 == b.systemStartFrom8;
}

void put_worker_state(Plan& plan, int worker, const worker_state& s) {
    if (!open_entry(plan, worker)) return;
    {
        // The share the worker had goes out of the staffing counts and the
        // restored one comes in, as with any edit of one worker.
        const worker_staffing_share share(plan, worker);
        *open_entry(plan, worker) = s.month;
        prac& p = plan.workers[size_t(worker)];
        p.dailyNorm = s.dailyNorm;
        p.holidayCurrentYear = s.holidayCurrentYear;
        p.holidayPreviousYear = s.holidayPreviousYear;
        p.careDays = s.careDays;
        p.rehaDays = s.rehaDays;
        p.systemStartFrom = s.systemStartFrom;
        p.systemStartFrom8 = s.systemStartFrom8;
    }
    call_odswiez_okres(plan, false, false, worker);
}

month_state take_month_state(const Plan& plan) {
    month_state m;
    if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size()))
        m.days = plan.months[size_t(plan.currentMonth)].days;
    m.orphanDuties = plan.orphanDuties;
    m.orphanDaysOff = plan.orphanDaysOff;
    m.dutyCounter = plan.dutyCounter;
    m.dayOffCounter = plan.dayOffCounter;
    m.patternsReset = plan.patternsReset;
    return m;
}

void keep_month_changes(month_state& before, month_state& after) {
    keep_if_changed(before.days, after.days);
    keep_if_changed(before.orphanDuties, after.orphanDuties);
    keep_if_changed(before.orphanDaysOff, after.orphanDaysOff);
}

bool month_changed(const month_state& before, const month_state& after) {
    return before.days != after.days || before.orphanDuties != after.orphanDuties ||
           before.orphanDaysOff != after.orphanDaysOff || before.patternsReset != after.patternsReset;
}

void put_month_state(Plan& plan, const month_state& m) {
    if (m.days && plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size())) {
        plan.months[size_t(plan.currentMonth)].days = *m.days;
        // The day table, the norm and the calendar follow the day parameters.
        normatyw(plan, false, plan.currentMonth, true);
    }
    if (m.orphanDuties) plan.orphanDuties = *m.orphanDuties;
    if (m.orphanDaysOff) plan.orphanDaysOff = *m.orphanDaysOff;
    plan.dutyCounter = m.dutyCounter;
    plan.dayOffCounter = m.dayOffCounter;
    plan.patternsReset = m.patternsReset;
}

std::size_t undo_step::bytes() const {
    std::size_t n = sizeof *this + label.key.capacity() + label.fallback.capacity() + workers.capacity() * sizeof(int);
    for (const worker_state& s : before) n += state_bytes(s);
    for (const worker_state& s : after) n += state_bytes(s);
    return n + month_bytes(monthBefore) + month_bytes(monthAfter) - 2 * sizeof(month_state);
}

void apply_step(Plan& plan, const undo_step& step, bool redo) {
    const month_state& month = redo ? step.monthAfter : step.monthBefore;
    const std::vector<worker_state>& states = redo ? step.after : step.before;
    put_month_state(plan, month);
    for (size_t i = 0; i < step.workers.size(); ++i) put_worker_state(plan, step.workers[i], states[i]);
}

}  // namespace planek
