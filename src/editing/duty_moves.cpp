#include "calendar/staffing.h"
#include "editing/duty_moves.h"

#include <optional>

#include "editing/calendar_calls.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"

namespace planek {

namespace {

drop_result refused_drop(refusal said = {}) {
    drop_result r;
    r.outcome = drop_outcome::Refused;
    r.said = std::move(said);
    return r;
}

// The checks every drop makes first: nothing when the worker may take the
// entry, else the refusal (with no text for a worker that is not there).
std::optional<refusal> worker_refusal(const Plan& plan, int worker) {
    if (plan.workers.empty())
        return refusal{refusal_kind::NoWorker, message(plan, "msg_WorkerNeed", "Najpierw należy dodać pracownika.")};
    if (worker < 0 || worker >= int(plan.workers.size()) || !worker_month(plan, worker)) return refusal{};
    if (plan.workers[worker].old)
        return refusal{refusal_kind::WorkerBlocked,
                       message(plan, "msg_WorkerBlocked",
                               "Wybrany pracownik jest zablokowany. Nie można wykonać polecenia.")};
    return std::nullopt;
}

refusal day_off_taken(const Plan& plan) {
    return {refusal_kind::DayOffTaken,
            message(plan, "msg_DayOffAlreadyExists", "Wybrany pracownik ma już wstawione wolne w wybranym dniu.")};
}

const zmiana_* shift_of(const Plan& plan, int shift) {
    const grupa* g = plan.group();
    if (!g || shift < 1 || shift > int(g->shifts.size())) return nullptr;
    return &g->shifts[shift - 1];
}

bool in_month(const Plan& plan, int dayIndex) { return dayIndex >= 0 && dayIndex < month_day_count(plan); }

// The worker asked not to be given this shift on this day.
bool duty_not_wanted(const ms_& m, int dayIndex, int shift) {
    const wolne_& s = m.daysOff[dayIndex];
    return s.used() && byte(s.symbol) == kNoDutyWanted && (s.normMinutes == 0 || s.normMinutes == shift);
}

void settle_blocked_day(Plan& plan, int worker, int dayIndex) {
    const ms_* m = worker_month(plan, worker);
    if (m && dayIndex >= 0 && dayIndex < kMaxDays && m->daysOff[dayIndex].blocks)
        aktualizuj_urlop(plan, worker, dayIndex);
}

}  // namespace

drop_result przygotuj_dyzur(const Plan& plan, int worker, int dayIndex, int shift) {
    if (std::optional<refusal> no = worker_refusal(plan, worker)) return refused_drop(*no);
    if (!in_month(plan, dayIndex)) return refused_drop();
    const ms_& m = *worker_month(plan, worker);
    if (duty_not_wanted(m, dayIndex, shift) &&
        !ask_yes_no(plan, "msg_WorkerDoesNotWantWorks",
                    "Wybrany pracownik nie chce pracować na tej zmianie. %s%sZignorować to i wstawić dyżur?",
                    {kLineBreak, kLineBreak})) {
        drop_result r;
        r.outcome = drop_outcome::Cancelled;
        return r;
    }
    drop_result r;
    r.outcome = drop_outcome::OpenDutyDialog;
    r.worker = worker;
    r.dayIndex = dayIndex;
    dyzur& d = r.duty;
    d.workerId = plan.workers[worker].id;
    d.dutyAs = byte(plan.workers[worker].employmentFrom + 1);
    d.groupId = plan.group() ? plan.group()->id : 0;
    d.day = word(dayIndex + first_day_of_month(plan));
    d.shift = byte(shift);
    if (const zmiana_* s = shift_of(plan, shift)) {
        d.start = s->start;
        d.length = s->length;
    }
    d.overtime = 0;
    d.loaded = true;
    return r;
}

drop_result upusc_dyzur(Plan& plan, int worker, int dayIndex, int shift, bool ctrl) {
    drop_result r = przygotuj_dyzur(plan, worker, dayIndex, shift);
    if (r.outcome != drop_outcome::OpenDutyDialog || !ctrl) return r;
    const worker_staffing_share share(plan, worker);
    const result<> added = dodaj_dyzur(plan, r.duty, -1, true, worker);
    if (!added) return refused_drop(added.error());
    r.outcome = drop_outcome::Added;
    r.panel = duty_panel_name(worker, dayIndex, int(worker_month(plan, worker)->duties[dayIndex].size()) - 1);
    settle_blocked_day(plan, worker, dayIndex);
    refresh_worker(plan, worker);
    return r;
}

drop_result upusc_panel_dyzuru(Plan& plan, const std::string& panel, int dayIndex, int shift, bool ctrl) {
    const std::optional<panel_ref> ref = parse_panel_name(panel);
    if (!ref || !ref->duty) return {};
    if (std::optional<refusal> no = worker_refusal(plan, ref->worker)) return refused_drop(*no);
    if (!in_month(plan, dayIndex)) return refused_drop();
    const int w = ref->worker;
    ms_* m = worker_month(plan, w);
    if (ref->day >= kMaxDays || ref->position >= int(m->duties[ref->day].size())) return refused_drop();
    const dyzur dragged = m->duties[ref->day][ref->position];
    if (dayIndex == ref->day && shift == dragged.shift) return {};

    dyzur copy = dragged;
    copy.day = word(dayIndex + first_day_of_month(plan));
    if (shift != dragged.shift) {
        const zmiana_* s = shift_of(plan, shift);
        copy.start = s ? s->start : 0;
    }
    copy.shift = byte(shift);

    drop_result r;
    r.worker = w;
    r.dayIndex = dayIndex;
    const worker_staffing_share share(plan, w);
    const worker_snapshot before(plan, w);
    if (!ctrl) r.renames = usun_dyzur_dx(plan, w, ref->day, ref->day, true, false, false, false, ref->position);
    const result<> added = dodaj_dyzur(plan, copy, -1, false, w);
    if (!added) {
        // The refused move leaves the duty where it was, with its number and
        // its place in the day's list.
        before.restore(plan);
        refresh_worker(plan, w);
        return refused_drop(added.error());
    }
    r.outcome = ctrl ? drop_outcome::Copied : drop_outcome::Moved;
    r.panel = duty_panel_name(w, dayIndex, int(m->duties[dayIndex].size()) - 1);
    if (ctrl) plan.currentWorker = w;
    settle_blocked_day(plan, w, dayIndex);
    refresh_worker(plan, w);
    return r;
}

drop_result upusc_wolne(const Plan& plan, int worker, int dayIndex) {
    if (std::optional<refusal> no = worker_refusal(plan, worker)) return refused_drop(*no);
    if (!in_month(plan, dayIndex)) return refused_drop();
    const ms_& m = *worker_month(plan, worker);
    if (m.daysOff[dayIndex].used() || czy_juz_wolny(plan, dayIndex, worker)) return refused_drop(day_off_taken(plan));
    drop_result r;
    r.outcome = drop_outcome::OpenDayOffDialog;
    r.worker = worker;
    r.dayIndex = dayIndex;
    return r;
}

drop_result upusc_panel_wolnego(Plan& plan, const std::string& panel, int dayIndex) {
    const std::optional<panel_ref> ref = parse_panel_name(panel);
    if (!ref || ref->duty) return {};
    if (std::optional<refusal> no = worker_refusal(plan, ref->worker)) return refused_drop(*no);
    if (!in_month(plan, dayIndex)) return refused_drop();
    const int w = ref->worker;
    ms_* m = worker_month(plan, w);
    if (ref->day >= kMaxDays || !m->daysOff[ref->day].used()) return refused_drop();
    if (m->daysOff[dayIndex].used() || dayIndex == ref->day) return refused_drop(day_off_taken(plan));
    const worker_snapshot before(plan, w);
    wolne_ moved = m->daysOff[ref->day];
    const int span = int(moved.dayTo) - int(moved.dayFrom);
    const int firstDay = first_day_of_month(plan);
    const int lastIndex = std::min(dayIndex + span, month_day_count(plan) - 1);
    moved.dayFrom = byte(dayIndex + firstDay);
    moved.dayTo = byte(lastIndex + firstDay);
    moved.firstIndex = byte(dayIndex);
    const bool noDuty = byte(moved.symbol) == kNoDutyWanted;
    const int oldNorm = moved.normMinutes;
    if (!noDuty) moved.normMinutes = word(std::max(0, day_off_norm_for(plan, dayIndex, lastIndex, w, moved)));

    free_day_off(*m, ref->day);
    const result<> added = dodaj_wolne(plan, moved, w, false, true);
    if (!added) {
        before.restore(plan);
        return refused_drop(added.error());
    }
    if (!noDuty && oldNorm != moved.normMinutes) korekta_wolne(plan, w, oldNorm - int(moved.normMinutes), false, moved.symbol);
    refresh_worker(plan, w);
    drop_result r;
    r.outcome = drop_outcome::Moved;
    r.worker = w;
    r.dayIndex = dayIndex;
    r.panel = day_off_panel_name(w, dayIndex);
    r.said = said_of(added);  // the notice of a cut range
    return r;
}

namespace {

bool selected_cell_valid(const Plan& plan) {
    return in_month(plan, plan.selectedCellDay) && plan.selectedCellShift >= 1;
}

drop_result no_cell_selected(const Plan& plan) {
    return refused_drop({refusal_kind::NoCellSelected,
                    message(plan, "msg_CheckValidDay",
                            "Zaznacz na kalendarzu prawidłowy dzień lub noc, %s w którym ma być wstawiony dyżur.",
                            {kLineBreak})});
}

}  // namespace

result<> selected_cell(const Plan& plan) {
    if (!selected_cell_valid(plan)) return no_cell_selected(plan).said;
    return {};
}

drop_result a_DutyAddExecute(Plan& plan) {
    if (!selected_cell_valid(plan)) return no_cell_selected(plan);
    return upusc_dyzur(plan, plan.currentWorker, plan.selectedCellDay, plan.selectedCellShift, false);
}

drop_result a_DayOffAddExecute(Plan& plan) {
    if (!selected_cell_valid(plan)) return no_cell_selected(plan);
    return upusc_wolne(plan, plan.currentWorker, plan.selectedCellDay);
}

std::string split_dialog_range(const Plan& plan, const dyzur& d) {
    return fill_placeholders(plan.tr.tr("f_DutySplit", "l_DutyRange", "%s - %s"),
                             {hm_text(d.start, true), hm_text(d.start + d.length, true)});
}

split_result podziel_dyzur(Plan& plan, const std::string& panel, int splitMinute) {
    split_result res;
    const std::optional<panel_ref> ref = parse_panel_name(panel);
    if (!ref || !ref->duty || splitMinute < 0 || splitMinute >= 1440) return res;
    ms_* m = worker_month(plan, ref->worker);
    if (!m || ref->day >= kMaxDays || ref->position >= int(m->duties[ref->day].size())) return res;
    dyzur& first = m->duties[ref->day][ref->position];
    const int S = first.start, L = first.length, mm = splitMinute;
    const int M = S > mm ? mm + 1440 : mm;
    if (M >= 1440 && ref->day >= month_day_count(plan) - 1) {
        res.said = {refusal_kind::SplitOnLastDay,
                    message(plan, "msg_CantSplitDutyOnLastMonthDay",
                            "Nie można podzielić dyżuru w ostatnim dniu miesiąca, jeżeli godzina podziału wypada o "
                            "północy lub później.")};
        res.outcome = split_outcome::RefusedLastDay;
        return res;
    }
    if (!(S < M && M < S + L)) return res;
    const worker_staffing_share share(plan, ref->worker);

    const dyzur whole = first;
    dyzur second = whole;
    second.start = word(mm);
    second.length = word(S + L - M);
    // The overtime follows the end of the duty, so it goes with the second
    // part; left on the first it would run into the second.
    first.length = word(M - S);
    first.overtime = 0;
    if (M == 1440) {
        // A split at midnight: start 0 would read as "the shift's start", so
        // the second part stays on this day starting at 24:00.
        second.start = 1440;
    } else if (M > 1440) {
        second.day = word(second.day + 1);
        second.dayIndex = byte(second.dayIndex + 1);
        second.shift = 1;
    }
    const result<> added = dodaj_dyzur(plan, second, -1, true, ref->worker);
    if (!added) {
        worker_month(plan, ref->worker)->duties[ref->day][ref->position] = whole;
        res.outcome = split_outcome::Refused;
        res.said = added.error();
        return res;
    }
    const int secondDay = M > 1440 ? ref->day + 1 : ref->day;
    res.outcome = split_outcome::Split;
    res.secondPanel = duty_panel_name(ref->worker, secondDay, int(m->duties[secondDay].size()) - 1);
    return res;
}

}  // namespace planek
