#include "editing/undo_step.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/staffing.h"
#include "core/stored_fields.h"
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

std::size_t entry_bytes(const ms_& m) {
    std::size_t n = 0;
    const ms_summary& sum = m.sum;
    n += sum.days.capacity() * sizeof(day_summary) + sum.parts.capacity() * sizeof(duty_parts);
    for (const duty_parts& p : sum.parts)
        n += text_bytes(p.text) + p.minutes.capacity() * sizeof(std::int32_t) +
             p.duties.capacity() * sizeof(duty_split);
    for (const std::vector<dyzur>& list : m.duties) {
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
    if (m.groups)
        for (const grupa& g : *m.groups)
            n += sizeof g + (g.shifts.capacity() + g.shifts2.capacity()) * sizeof(zmiana_) +
                 g.monthSettings.capacity() * sizeof(group_month_settings) + text_bytes(g.name) + text_bytes(g.nick);
    return n;
}

// The worker as the staff file keeps her: the months and the figures over
// the period are left out, they are the month's part or follow from it.
prac record_part(const prac& p) {
    prac r = p;
    r.months.clear();
    r.dayExcluded.clear();
    r.dayDuties.clear();
    r.dutyLists.clear();
    r.work32 = 0;
    r.sum = prac_summary{};
    return r;
}

// Moves the parts record_part leaves out from `from` into `to`.
void keep_period_part(prac& from, prac& to) {
    to.months = std::move(from.months);
    to.dayExcluded = std::move(from.dayExcluded);
    to.dayDuties = std::move(from.dayDuties);
    to.dutyLists = std::move(from.dutyLists);
    to.work32 = from.work32;
    to.sum = std::move(from.sum);
}

std::size_t record_bytes(const prac& p) {
    std::size_t n = 0;
    for (const std::string* s : {&p.nick, &p.groups, &p.firstName, &p.surname, &p.address, &p.postOffice, &p.zipCode,
                                 &p.phone, &p.email, &p.occupation, &p.pesel, &p.education, &p.courses, &p.user1,
                                 &p.user2, &p.user3, &p.systemPattern, &p.systemPattern8, &p.automatDays})
        n += text_bytes(*s);
    return n;
}

// What an act may change of a worker's record is what the staff file keeps
// of her, and her daily norm, which is the month's and not in the file;
// `work` is scratch of the scheduler and no change of her.
bool same_record(const prac& a, const prac& b) {
    return same_fields(a, b, kStaffFields) && a.dailyNorm == b.dailyNorm;
}

auto month_fields(const ms_& m) {
    return std::tie(m.sum, m.daysOff, m.duties, m.wishes, m.workerNorm, m.ownNormValue, m.ownNorm, m.ownNormCalculated,
                    m.overtimeTotal, m.overtimeFromPrevious, m.overtimeManual, m.partTime);
}

// A group as its file keeps it, and the month's own norm settings, which
// are the month's; a shift's `work` and the group's `shifts2` are scratch of
// the counts.
bool same_group_record(const grupa& a, const grupa& b) {
    return same_fields(a, b, kGroupFields) && a.customNorm == b.customNorm &&
           a.customNormMinutes == b.customNormMinutes && a.monthNorm == b.monthNorm;
}

bool same_group(const grupa& a, const grupa& b) {
    if (!same_group_record(a, b) || a.shifts.size() != b.shifts.size() ||
        a.monthSettings.size() != b.monthSettings.size())
        return false;
    for (size_t i = 0; i < a.shifts.size(); ++i)
        if (!same_fields(a.shifts[i], b.shifts[i], kShiftFields)) return false;
    for (size_t i = 0; i < a.monthSettings.size(); ++i) {
        const group_month_settings &x = a.monthSettings[i], &y = b.monthSettings[i];
        if (std::tie(x.customNorm, x.dayOffForSaturdayHoliday, x.customNormMinutes) !=
            std::tie(y.customNorm, y.dayOffForSaturdayHoliday, y.customNormMinutes))
            return false;
    }
    return true;
}

bool same_groups(const std::vector<grupa>& a, const std::vector<grupa>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), same_group);
}

std::size_t state_bytes(const worker_state& s) { return sizeof s + record_bytes(s.record) + entry_bytes(s.month); }

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
    s.record = record_part(p);
    return s;
}

bool same_worker_state(const worker_state& a, const worker_state& b) {
    return month_fields(a.month) == month_fields(b.month) && same_record(a.record, b.record);
}

bool moves_worker_lists(const worker_state& a, const worker_state& b) {
    return a.record.groups != b.record.groups || a.record.old != b.record.old;
}

void put_worker_state(Plan& plan, int worker, const worker_state& s) {
    if (!open_entry(plan, worker)) return;
    {
        // The share the worker had goes out of the staffing counts and the
        // restored one comes in, as with any edit of one worker.
        const worker_staffing_share share(plan, worker);
        prac& p = plan.workers[size_t(worker)];
        prac record = s.record;
        keep_period_part(p, record);
        p = std::move(record);
        *open_entry(plan, worker) = s.month;
    }
    call_odswiez_okres(plan, false, false, worker);
}

month_state take_month_state(const Plan& plan) {
    month_state m;
    if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size()))
        m.days = plan.months[size_t(plan.currentMonth)].days;
    m.orphanDuties = plan.orphanDuties;
    m.orphanDaysOff = plan.orphanDaysOff;
    m.groups = plan.groups;
    m.currentGroup = plan.currentGroup;
    m.workerCount = plan.workers.size();
    m.dutyCounter = plan.dutyCounter;
    m.dayOffCounter = plan.dayOffCounter;
    m.patternsReset = plan.patternsReset;
    return m;
}

void keep_month_changes(month_state& before, month_state& after) {
    keep_if_changed(before.days, after.days);
    keep_if_changed(before.orphanDuties, after.orphanDuties);
    keep_if_changed(before.orphanDaysOff, after.orphanDaysOff);
    if (before.groups && after.groups && same_groups(*before.groups, *after.groups)) {
        before.groups.reset();
        after.groups.reset();
    }
}

bool month_changed(const month_state& before, const month_state& after) {
    return before.days != after.days || before.orphanDuties != after.orphanDuties ||
           before.orphanDaysOff != after.orphanDaysOff || before.patternsReset != after.patternsReset ||
           before.workerCount != after.workerCount || before.groups.has_value() != after.groups.has_value() ||
           (before.groups && !same_groups(*before.groups, *after.groups));
}

void put_month_state(Plan& plan, const month_state& m) {
    const bool shownMonth = plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size());
    if (m.days && shownMonth) plan.months[size_t(plan.currentMonth)].days = *m.days;
    if (m.groups) {
        plan.groups = *m.groups;
        plan.currentGroup = m.currentGroup;
        uniewaznij_iledy(plan);  // the shifts and their targets may differ
    }
    // The day table, the norm and the calendar follow the day parameters
    // and the groups.
    if ((m.days || m.groups) && shownMonth) normatyw(plan, false, plan.currentMonth, true);
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
    for (const prac& p : added) {
        n += sizeof p + record_bytes(p) + p.months.capacity() * sizeof(ms_);
        for (const ms_& m : p.months) n += entry_bytes(m);
    }
    return n + month_bytes(monthBefore) + month_bytes(monthAfter) - 2 * sizeof(month_state);
}

void apply_step(Plan& plan, const undo_step& step, bool redo) {
    const month_state& month = redo ? step.monthAfter : step.monthBefore;
    const std::vector<worker_state>& states = redo ? step.after : step.before;
    // Workers added by the act leave the end of the list, or come back to it.
    const size_t count = redo ? step.monthBefore.workerCount : step.monthAfter.workerCount;
    if (!step.added.empty() && plan.workers.size() == count) {
        if (redo)
            plan.workers.insert(plan.workers.end(), step.added.begin(), step.added.end());
        else
            plan.workers.resize(step.monthBefore.workerCount);
        plan.rebuildWorkerIds();
    }
    put_month_state(plan, month);
    for (size_t i = 0; i < step.workers.size(); ++i) put_worker_state(plan, step.workers[i], states[i]);
    if (!step.movesLists) return;
    if (plan.currentWorker >= int(plan.workers.size())) plan.currentWorker = int(plan.workers.size()) - 1;
    // Whom the counts and totals take in changed with the lists.
    odswiez_liste_prac_panel(plan);
    uniewaznij_iledy(plan);
    call_odswiez_okres(plan, false, false, -1);
}

}  // namespace planek
