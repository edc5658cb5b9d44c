#include "editing/entry_store.h"

#include <algorithm>

#include "calendar/staffing.h"
#include "core/text.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/duty_remove.h"
#include "editing/message_text.h"
#include "editing/month_access.h"

namespace planek {

namespace {

int month_duty_minutes(const ms_& m) {
    int total = 0;
    for (const auto& list : m.duties)
        for (const dyzur& d : list) total += d.length;
    return total;
}

// A day off lying under the day takes the duty's minutes into its norm.
void settle_day_off_under(Plan& plan, int worker, int dayIndex) {
    const ms_* m = worker_month(plan, worker);
    if (m && dayIndex >= 0 && dayIndex < kMaxDays && m->daysOff[size_t(dayIndex)].blocks)
        aktualizuj_urlop(plan, worker, dayIndex);
}

refusal no_length(const Plan& plan) {
    return refused(refusal_kind::NoDutyLength,
                   message(plan, "msg_DutyDurationNeeded", "Aby dodać dyżur należy określić jego czas trwania!"));
}

bool no_duty_kind(char kind) { return byte(kind) == kNoDutyWanted; }

}  // namespace

dyzur duty_record(const Plan& plan, const duty_args& a, const dyzur* replaced) {
    dyzur d = replaced ? *replaced : dyzur{};
    d.length = word(std::clamp(a.length, 0, 65535));
    d.start = word(std::clamp(a.start, 0, 1440));
    d.overtime = smallint(a.alsoOvertime ? 0 : std::clamp(a.overtime, -32768, 32767));
    d.workerId = a.worker;
    if (a.group) {
        d.groupId = *a.group;
    } else if (!replaced && plan.group()) {
        d.groupId = plan.group()->id;
    }
    d.day = word(std::clamp(a.day, 0, 65535));
    d.shift = byte(std::clamp(a.shift, 0, 255));
    d.dutyAs = byte(std::clamp(a.dutyAs, 1, 4));
    d.note = utf8_left(a.note, 30);
    d.onRequest = a.onRequest;
    d.medical = a.medical;
    d.alsoOvertime = a.alsoOvertime;
    d.loaded = true;
    return d;
}

result<duty_stored> store_dialog_duty(Plan& plan, const duty_args& a, const std::optional<duty_place>& edited,
                                      const fill_month_fn& fillMonth) {
    const int worker = edited ? edited->worker : plan.workerIndexById(a.worker);
    ms_* month = worker_month(plan, worker);
    // A negative typed length has no duty behind it (and would wrap round).
    if (a.length < 0 || !month) return no_length(plan);
    const dyzur* replaced = nullptr;
    if (edited) {
        if (edited->dayIndex < 0 || edited->dayIndex >= kMaxDays ||
            edited->position < 0 || edited->position >= int(month->duties[size_t(edited->dayIndex)].size()))
            return no_length(plan);
        replaced = &month->duties[size_t(edited->dayIndex)][size_t(edited->position)];
    }
    const dyzur d = duty_record(plan, a, replaced);
    const prac& p = plan.workers[size_t(worker)];
    const worker_staffing_share share(plan, worker);
    if (!edited && fillMonth && a.length > 0 && a.length == p.dailyNorm && month_duty_minutes(*month) == 0 &&
        ask_yes_no(plan, "msg_SetDutyForEntireMonth", "Czy rozpisać wybrany dyżur na cały miesiąc?")) {
        fillMonth(plan, d, worker);
        return duty_stored{{}, true};
    }
    const int target = int(d.day) - first_day_of_month(plan);
    result<> stored;
    if (!edited) {
        stored = dodaj_dyzur(plan, d, -1, true, worker);
    } else if (target == edited->dayIndex) {
        stored = dodaj_dyzur(plan, d, edited->position, true, worker);
    } else {
        // A new day for the edited duty: it leaves its old day, and comes back
        // there unchanged when the new day refuses it.
        const worker_snapshot before(plan, worker);
        usun_dyzur_dx(plan, worker, edited->dayIndex, edited->dayIndex, true, false, false, false, edited->position);
        stored = dodaj_dyzur(plan, d, -1, true, worker);
        if (!stored) before.restore(plan);
    }
    if (!stored) return failed_as<duty_stored>(stored);
    settle_day_off_under(plan, worker, target);
    refresh_worker(plan, worker);
    const int position = edited && target == edited->dayIndex
                             ? edited->position
                             : int(worker_month(plan, worker)->duties[size_t(target)].size()) - 1;
    result<duty_stored> done(duty_stored{{worker, target, position}, false});
    done.note_all(stored.notes);
    return done;
}

namespace {

struct day_range {
    int from, to;
};

day_range range_indexes(const Plan& plan, const day_off_args& a) {
    const int base = first_day_of_month(plan);
    const int last = std::max(0, month_day_count(plan) - 1);
    return {std::clamp(std::min(a.firstDay, a.lastDay) - base, 0, last),
            std::clamp(std::max(a.firstDay, a.lastDay) - base, 0, last)};
}

}  // namespace

int day_off_range_norm(const Plan& plan, int worker, const day_off_args& a) {
    if (plan.weekMode) {
        const day_range r = range_indexes(plan, a);
        return working_days(plan, r.from, r.to);
    }
    return day_off_range_minutes(plan, worker, a);
}

int day_off_range_minutes(const Plan& plan, int worker, const day_off_args& a) {
    const day_range r = range_indexes(plan, a);
    wolne_ settings;
    settings.customNorm = a.customNorm.has_value();
    settings.customNormMinutes = word(std::max(0, a.customNorm.value_or(0)));
    settings.normWithPartTime = a.normWithPartTime;
    return day_off_norm_for(plan, r.from, r.to, worker, settings);
}

wolne_ day_off_record(const Plan& plan, int worker, const day_off_args& a) {
    wolne_ w;
    w.customNorm = a.customNorm.has_value();
    w.customNormMinutes = word(std::max(0, a.customNorm.value_or(0)));
    w.normWithPartTime = a.normWithPartTime;
    w.workerId = a.worker;
    w.groupId = plan.group() ? plan.group()->id : 0;
    w.dayFrom = byte(std::clamp(a.firstDay, 0, 255));
    w.symbol = a.kind;
    if (no_duty_kind(a.kind)) {
        w.dayTo = w.dayFrom;
        w.normMinutes = word(std::max(0, a.shift));
    } else {
        w.dayTo = byte(std::clamp(std::max(a.firstDay, a.lastDay), 0, 255));
        w.normMinutes = word(std::max(0, day_off_range_minutes(plan, worker, a)));
    }
    w.loaded = true;
    return w;
}

result<day_off_place> store_dialog_day_off(Plan& plan, const day_off_args& args,
                                           const std::optional<day_off_place>& edited) {
    const int worker = edited ? edited->worker : plan.workerIndexById(args.worker);
    ms_* month = worker_month(plan, worker);
    if (!month) return refusal{};
    if (!edited) {
        const wolne_ w = day_off_record(plan, worker, args);
        const result<> added = dodaj_wolne(plan, w, worker, true, true);
        if (!added) return failed_as<day_off_place>(added);
        refresh_worker(plan, worker);
        result<day_off_place> done(day_off_place{worker, int(w.dayFrom) - first_day_of_month(plan)});
        done.note_all(added.notes);
        return done;
    }
    if (edited->dayIndex < 0 || edited->dayIndex >= kMaxDays || !month->daysOff[size_t(edited->dayIndex)].used())
        return refusal{};
    const wolne_ old = month->daysOff[size_t(edited->dayIndex)];
    day_off_args kept = args;
    kept.kind = old.symbol;
    kept.worker = plan.workers[size_t(worker)].id;
    const wolne_ w = day_off_record(plan, worker, kept);
    const worker_snapshot before(plan, worker);
    const int newHead = int(w.dayFrom) - first_day_of_month(plan);
    // A day off given a new first day leaves its old head slot.
    if (newHead != edited->dayIndex) free_day_off(*month, edited->dayIndex);
    const result<> added = dodaj_wolne(plan, w, worker, false, true);
    if (!added) {
        before.restore(plan);
        return failed_as<day_off_place>(added);
    }
    const int stored = worker_month(plan, worker)->daysOff[size_t(newHead)].normMinutes;
    if (!no_duty_kind(w.symbol) && stored != old.normMinutes)
        korekta_wolne(plan, worker, int(old.normMinutes) - stored, false, w.symbol);
    refresh_worker(plan, worker);
    result<day_off_place> done(day_off_place{worker, newHead});
    done.note_all(added.notes);
    return done;
}

}  // namespace planek
