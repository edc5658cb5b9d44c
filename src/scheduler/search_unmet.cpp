// The explanations of the second algorithm's shortfalls.
#include "scheduler/search_unmet.h"

#include <array>
#include <string>

#include "calendar/calendar_grid.h"
#include "editing/message_text.h"
#include "editing/wishes.h"
#include "scheduler/search_cost.h"
#include "scheduler/warnings_text.h"

namespace planek::sched {

namespace {

// Why one worker cannot take one duty.
enum class obstacle { Busy, Rest, Nights, WeekRest, Norm, None, Count };

obstacle obstacle_of(search_model& m, search_worker& w, int d, int s) {
    if (!w.open[size_t(d)] || w.shift[size_t(d)] != 0 || w.off[size_t(d)] != 0) return obstacle::Busy;
    const hard_breaches before = count_breaches(m, w);
    const int length = m.shifts[size_t(s)].length;
    w.shift[size_t(d)] = s + 1;
    w.length[size_t(d)] = length;
    w.proposedMinutes += length;
    const hard_breaches after = count_breaches(m, w);
    w.proposedMinutes -= length;
    w.shift[size_t(d)] = 0;
    w.length[size_t(d)] = 0;
    if (after.norm > before.norm) return obstacle::Norm;
    if (after.rest > before.rest) return obstacle::Rest;
    if (after.nights > before.nights) return obstacle::Nights;
    if (after.weekRest > before.weekRest) return obstacle::WeekRest;
    return obstacle::None;
}

using tally = std::array<int, size_t(obstacle::Count)>;

// The rule most of those who could otherwise have taken the duty run into.
obstacle main_obstacle(const tally& t) {
    obstacle pick = obstacle::Busy;
    int most = 0;
    for (obstacle o : {obstacle::None, obstacle::Norm, obstacle::Rest, obstacle::Nights, obstacle::WeekRest})
        if (t[size_t(o)] > most) {
            most = t[size_t(o)];
            pick = o;
        }
    return pick;
}

std::string rule_text(const Plan& plan, const search_model& m, obstacle o) {
    switch (o) {
    case obstacle::Rest:
        return message(plan, "msg_SearchRuleRest", "bez przerwy krótszej niż %s",
                       {warning_minutes(m.rules.vDutyNexttoDuty, warning_time::ShowZero)});
    case obstacle::Nights:
        return message(plan, "msg_SearchRuleNights", "bez dwóch nocy z rzędu");
    case obstacle::WeekRest:
        return message(plan, "msg_SearchRuleWeekRest", "bez odpoczynku tygodniowego krótszego niż %s",
                       {warning_minutes(m.rules.vWeekIntervalTooShort, warning_time::ShowZero)});
    default:
        return message(plan, "msg_SearchRuleNorm", "bez przekroczenia normatywu");
    }
}

std::string cell_reason(const Plan& plan, const search_model& m, obstacle o) {
    if (o == obstacle::Busy)
        return message(plan, "msg_SearchAllBusy", "wszyscy mają tego dnia wolne albo inny dyżur");
    if (o == obstacle::None)
        return message(plan, "msg_SearchOtherRules",
                       "każdy, kto mógłby go wziąć, pogorszyłby inne zasady (normatyw, czas pracy w tygodniu, "
                       "niedziele)");
    return message(plan, "msg_SearchNobodyWithout", "nikt nie może wziąć dyżuru %s", {rule_text(plan, m, o)});
}

void short_cells(const Plan& plan, search_model& m, std::vector<std::string>& out) {
    for (int d = 0; d < m.days; ++d)
        for (int s = 0; s < int(m.shifts.size()); ++s) {
            const int missing = m.need[size_t(d)][size_t(s)] - m.count[size_t(d)][size_t(s)];
            if (missing <= 0) continue;
            tally t{};
            for (search_worker& w : m.workers) ++t[size_t(obstacle_of(m, w, d, s))];
            out.push_back(message(plan, "msg_SearchShort", "Zmiana %s, %s %s: brakuje osób: %s — %s",
                                  {std::to_string(s + 1), std::to_string(d + 1), month_name_after_day(plan, plan.month),
                                   std::to_string(missing), cell_reason(plan, m, main_obstacle(t))}));
        }
}

void short_workers(const Plan& plan, search_model& m, std::vector<std::string>& out) {
    if (!m.rules.LacksDuties) return;
    for (search_worker& w : m.workers) {
        const std::int64_t missing = w.periodShort - w.proposedMinutes;
        if (missing <= m.rules.vLacksDuties) continue;
        tally t{};
        for (int d = 0; d < m.days; ++d)
            for (int s = 0; s < int(m.shifts.size()); ++s) ++t[size_t(obstacle_of(m, w, d, s))];
        const obstacle o = main_obstacle(t);
        const std::string reason =
            o == obstacle::None || o == obstacle::Busy
                ? message(plan, "msg_SearchAllStaffed", "zmiany, które może wziąć, są już obsadzone")
                : message(plan, "msg_SearchNoDutyWithout", "nie można dodać dyżuru %s", {rule_text(plan, m, o)});
        out.push_back(message(plan, "msg_SearchNormShort", "%s: brakuje do normatywu %s — %s",
                              {plan.workers[size_t(w.index)].fullName(),
                               warning_minutes(missing, warning_time::HideZero), reason}));
    }
}

std::string shift_number(int s) { return std::to_string(s); }

// Whether the worker's proposal on the day is one the shift cannot spare.
bool needed_on(const search_model& m, const search_worker& w, int d) {
    const int s = w.shift[size_t(d)];
    return s > 0 && m.count[size_t(d)][size_t(s - 1)] <= m.need[size_t(d)][size_t(s - 1)];
}

std::string needed_text(const Plan& plan, const search_worker& w, int d) {
    return message(plan, "msg_WishNeeded", "jest potrzebna na zmianie %s", {shift_number(w.shift[size_t(d)])});
}

std::string other_rules_text(const Plan& plan) {
    return message(plan, "msg_WishOtherRules",
                   "spełnienie pogorszyłoby inne zasady (obsada, normatyw, czas pracy w tygodniu)");
}

std::string wish_reason(const Plan& plan, search_model& m, search_worker& w, int d) {
    const wish& x = w.wishes[size_t(d)];
    if (w.keptShift[size_t(d)] != 0)
        return message(plan, "msg_WishKeptDuty", "ma tego dnia dyżur wpisany wcześniej");
    if (x.kind != wish_kind::Shift) return needed_on(m, w, d) ? needed_text(plan, w, d) : other_rules_text(plan);
    if (!w.open[size_t(d)] || w.off[size_t(d)] != 0)
        return message(plan, "msg_WishNotFree", "tego dnia nie może mieć dyżuru (wolne albo dni pracy)");
    if (needed_on(m, w, d)) return needed_text(plan, w, d);
    const int s = x.shift - 1;
    if (s < 0 || s >= int(m.shifts.size())) return other_rules_text(plan);
    const int had = w.shift[size_t(d)], hadLength = w.length[size_t(d)];
    w.shift[size_t(d)] = 0;
    w.length[size_t(d)] = 0;
    w.proposedMinutes -= hadLength;
    const obstacle o = obstacle_of(m, w, d, s);
    w.proposedMinutes += hadLength;
    w.shift[size_t(d)] = had;
    w.length[size_t(d)] = hadLength;
    if (o != obstacle::None && o != obstacle::Busy)
        return message(plan, "msg_SearchNoDutyWithout", "nie można dodać dyżuru %s", {rule_text(plan, m, o)});
    if (m.count[size_t(d)][size_t(s)] >= m.need[size_t(d)][size_t(s)])
        return message(plan, "msg_WishShiftFull", "zmiana %s jest już obsadzona", {shift_number(x.shift)});
    return other_rules_text(plan);
}

}  // namespace

wish_report wish_lines(const Plan& plan, search_model& m) {
    wish_report r;
    std::vector<std::string> refused;
    for (search_worker& w : m.workers) {
        const wish_tally t = count_wishes(w);
        r.granted += t.granted;
        r.made += t.made;
        for (int d = 0; d < m.days; ++d) {
            const wish& x = w.wishes[size_t(d)];
            if (!x.used() || wish_granted(x, shift_on(w, d))) continue;
            refused.push_back(message(plan, "msg_WishRefused", "%s, %s %s, %s (waga %s): %s",
                                      {plan.workers[size_t(w.index)].fullName(), std::to_string(d + 1),
                                       month_name_after_day(plan, plan.month), wish_caption(plan, x),
                                       std::to_string(x.weight), wish_reason(plan, m, w, d)}));
        }
    }
    if (r.made == 0) return r;
    r.lines.push_back(message(plan, "msg_WishesGranted", "Spełniono %s z %s życzeń",
                              {std::to_string(r.granted), std::to_string(r.made)}));
    r.lines.insert(r.lines.end(), refused.begin(), refused.end());
    return r;
}

std::vector<std::string> unmet_lines(const Plan& plan, search_model& m) {
    std::vector<std::string> out;
    short_cells(plan, m, out);
    short_workers(plan, m, out);
    return out;
}

}  // namespace planek::sched
