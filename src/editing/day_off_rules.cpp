#include "calendar/staffing.h"
#include "editing/day_off_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "editing/calendar_calls.h"
#include "editing/message_text.h"
#include "editing/month_access.h"

namespace planek {

namespace {

bool is_leave(char kind) { return kind == 'u' || kind == 'a'; }
bool has_allowance(char kind) { return is_leave(kind) || kind == 'o' || kind == 'h'; }

// Balances may go below zero: an overdraw stays visible and is exactly undone
// by the give-back. Only the ends of the field's range (reachable through a
// damaged file) stop the sum.
void add_to(std::int32_t& balance, long long delta) {
    balance = std::int32_t(std::clamp<long long>(static_cast<long long>(balance) + delta,
                                                 std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

std::string care_unit(const Plan& plan, const prac& w) {
    return w.careDaysMode == 0 ? plan.tr.tr("f_WorkerAdd", "cb_CareDaysMode_days", "dni")
                               : plan.tr.tr("f_WorkerAdd", "cb_CareDaysMode_hours", "godzin");
}

int range_end(const wolne_& w) { return int(w.firstIndex) + (int(w.dayTo) - int(w.dayFrom)); }

// Minutes of a day, in days of the worker's daily norm, for the allowances
// kept in days.
int minutes_as_days(const Plan& plan, const prac& w, int minutes) {
    int daily = w.dailyNorm;
    if (daily <= 0 && plan.group()) daily = plan.group()->dailyNorm;
    if (daily <= 0) return 0;
    return int(std::lround(double(minutes) / daily));
}

// Leave is taken from last year's balance first, the rest from this year's;
// the day off remembers the first share so that its give-back refills both.
void take_leave(prac& p, wolne_& w) {
    const int minutes = w.normMinutes;
    const int fromPrevious = std::clamp<int>(p.holidayPreviousYear, 0, minutes);
    add_to(p.holidayPreviousYear, -fromPrevious);
    add_to(p.holidayCurrentYear, -(minutes - fromPrevious));
    w.fromPreviousYear = word(fromPrevious);
}

void give_leave_back(prac& p, const wolne_& w, int minutes) {
    const int toPrevious = std::clamp<int>(w.fromPreviousYear, 0, std::max(minutes, 0));
    add_to(p.holidayPreviousYear, toPrevious);
    add_to(p.holidayCurrentYear, minutes - toPrevious);
}

}  // namespace

bool day_off_blocks(char kind) {
    return kind != '1' && kind != '5' && kind != '7' && kind != '9' && byte(kind) != kNoDutyWanted;
}

word next_day_off_id(Plan& plan) {
    if (++plan.dayOffCounter == 0) ++plan.dayOffCounter;
    return plan.dayOffCounter;
}

void store_day_off(Plan& plan, ms_& m, wolne_ w) {
    w.id = next_day_off_id(plan);
    const int first = w.firstIndex;
    const int last = range_end(w);
    // The head slot keeps the marks of a blocking day off it lies under.
    const wolne_ before = m.daysOff[first];
    m.daysOff[first] = w;
    m.daysOff[first].headIndex = before.headIndex;
    m.daysOff[first].blocks = before.blocks;
    if (byte(w.symbol) == kNoDutyWanted) return;
    const bool blocks = day_off_blocks(w.symbol);
    for (int i = first; i <= last && i < kMaxDays; ++i) {
        wolne_& s = m.daysOff[i];
        // A slot holding its own day off keeps its own kind.
        if (i == first || s.id == 0) s.symbol = w.symbol;
        if (blocks) {
            s.headIndex = byte(first);
            s.blocks = true;
        } else if (!(s.blocks && s.headIndex != first)) {
            s.headIndex = byte(first);
            s.blocks = false;
        }
    }
}

refusal take_allowance(Plan& plan, int worker, wolne_& w) {
    note_worker_edit(plan, worker);
    prac& p = plan.workers[worker];
    const int last = range_end(w);
    if (is_leave(w.symbol)) {
        if (ask_yes_no(plan, "msg_DecreaseHolidayAfterAdd", "Pomniejszyć ilość pozostałego, przysługującego urlopu?"))
            take_leave(p, w);
    } else if (w.symbol == 'o') {
        const int amount = p.careDaysMode == 0 ? working_days(plan, w.firstIndex, last) : int(w.normMinutes);
        const std::string unit = care_unit(plan, p);
        if (amount > 0 && amount > int(p.careDays)) {
            return {refusal_kind::CareDaysOverLimit,
                    message(plan, "msg_CareDaysOverLimit",
                            "Wybrana liczba dni przekracza limit %s opieki dla wybranego pracownika!%sWolnego nie dodano.",
                            {unit, kLineBreak})};
        }
        if (ask_yes_no(plan, "msg_DecreaseCareDaysAfterAdd", "Pomniejszyć ilość pozostałych, przysługujących %s opieki?",
                       {unit}))
            add_to(p.careDays, -amount);
    } else if (w.symbol == 'h') {
        const int amount = working_days(plan, w.firstIndex, last);
        if (amount > 0 && amount > int(p.rehaDays)) {
            return {refusal_kind::RehaDaysOverLimit,
                    message(plan, "msg_RehaDaysOverLimit",
                            "Wybrana liczba dni przekracza limit dni urlopu rehabilitacyjnego dla wybranego "
                            "pracownika!%sWolnego nie dodano.",
                            {kLineBreak})};
        }
        if (ask_yes_no(plan, "msg_DecreaseRehaDaysAfterAdd",
                       "Pomniejszyć ilość pozostałych, przysługujących dni urlopu rehabilitacyjnego?"))
            add_to(p.rehaDays, -amount);
    }
    return {};
}

namespace {

void give_allowance_back(Plan& plan, int worker, int head) {
    note_worker_edit(plan, worker);
    prac& p = plan.workers[worker];
    const wolne_& w = p.months[plan.currentMonth].daysOff[head];
    if (!has_allowance(w.symbol)) return;
    const int last = std::min(range_end(w), kMaxDays - 1);
    if (!ask_yes_no(plan, "msg_IncreaseHolidayAfterDelete",
                    "Czy przywrócić czas usuwanego urlopu do puli przysługującego pracownikowi (%s %s)?",
                    {p.firstName, p.surname}))
        return;
    if (is_leave(w.symbol)) {
        give_leave_back(p, w, day_off_norm(plan, head, last, worker));
    } else if (w.symbol == 'o') {
        const int amount = p.careDaysMode == 0 ? working_days(plan, head, last) : day_off_norm(plan, head, last, worker);
        if (amount > 0) add_to(p.careDays, amount);
    } else {
        const int amount = working_days(plan, head, last);
        if (amount > 0) add_to(p.rehaDays, amount);
    }
}

}  // namespace

void free_day_off(ms_& m, int head) {
    wolne_& h = m.daysOff[head];
    if (byte(h.symbol) == kNoDutyWanted) {
        h.symbol = 0;
    } else {
        // Only the marks this day off set are taken back; a day off lying
        // under it or over it keeps its own.
        for (int i = head; i <= range_end(h) && i < kMaxDays; ++i) {
            wolne_& s = m.daysOff[i];
            if (s.headIndex != head) continue;
            s.blocks = false;
            s.headIndex = kNoHead;
        }
    }
    h.id = 0;
}

void usun_wolne(Plan& plan, int worker, int firstIndex, int lastIndex, bool noConfirm, bool onlySelectedGroup,
                bool keepLoaded, bool askAllowances) {
    ms_* m = worker_month(plan, worker);
    if (!m) return;
    if (!noConfirm && !ask_yes_no(plan, "msg_ConfirmDelete", "Czy napewno usunąć?")) return;
    const worker_staffing_share share(plan, worker);
    const grupa* g = plan.group();
    for (int i = std::max(0, firstIndex); i <= lastIndex && i < kMaxDays; ++i) {
        const wolne_& slot = m->daysOff[i];
        if (onlySelectedGroup && (!g || slot.groupId != g->id)) continue;
        if (!slot.used()) continue;
        if (keepLoaded && slot.loaded) continue;
        if (askAllowances && !plan.weekMode) give_allowance_back(plan, worker, i);
        free_day_off(*m, i);
    }
    refresh_worker(plan, worker);
}

bool czy_juz_wolny(const Plan& plan, int dayIndex, int worker) {
    const ms_* m = worker_month(plan, worker);
    if (!m) return false;
    for (int i = 0; i <= dayIndex && i < kMaxDays; ++i) {
        const wolne_& s = m->daysOff[i];
        if (s.used() && range_end(s) >= dayIndex) return true;
    }
    return false;
}

namespace {

// Head slot of the day off covering the day: the slot's own mark when it has
// one, else the nearest day off starting before it that reaches it.
int covering_head(const ms_& m, int dayIndex) {
    const wolne_& s = m.daysOff[dayIndex];
    if (s.headIndex < kMaxDays && m.daysOff[s.headIndex].used()) return s.headIndex;
    for (int i = dayIndex; i >= 0; --i) {
        const wolne_& h = m.daysOff[i];
        if (h.used()) return range_end(h) >= dayIndex ? i : -1;
    }
    return -1;
}

}  // namespace

void aktualizuj_urlop(Plan& plan, int worker, int dayIndex) {
    ms_* m = worker_month(plan, worker);
    if (!m || dayIndex < 0 || dayIndex >= kMaxDays) return;
    const int head = covering_head(*m, dayIndex);
    if (head < 0) return;
    wolne_& h = m->daysOff[head];
    if (byte(h.symbol) == kNoDutyWanted) return;  // its norm field holds a shift number
    const int fresh = std::clamp(day_off_norm(plan, head, std::min(range_end(h), kMaxDays - 1), worker), 0, 0xFFFF);
    // Only leave draws on the leave balance; other kinds just take the new norm.
    if (is_leave(h.symbol)) add_to(plan.workers[worker].holidayCurrentYear, int(h.normMinutes) - fresh);
    h.normMinutes = word(fresh);
}

void korekta_wolne(Plan& plan, int worker, int difference, bool noQuestion, char kind) {
    note_worker_edit(plan, worker);
    if (worker < 0 || worker >= int(plan.workers.size())) return;
    if (!has_allowance(kind) || difference == 0) return;
    if (!noQuestion && !ask_yes_no(plan, "msg_ConfirmModify",
                                   "Czy dokonać korekty rocznego limitu urlopu (w wymiarze: %s godz.)?",
                                   {hm_text(difference)}))
        return;
    prac& p = plan.workers[worker];
    if (is_leave(kind)) {
        add_to(p.holidayCurrentYear, difference);
    } else if (kind == 'o') {
        // Care kept in days takes the difference in days of the daily norm.
        add_to(p.careDays, p.careDaysMode == 0 ? minutes_as_days(plan, p, difference) : difference);
    } else {
        add_to(p.rehaDays, minutes_as_days(plan, p, difference));
    }
}

}  // namespace planek
