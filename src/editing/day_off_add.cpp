#include "calendar/staffing.h"
#include "editing/day_off_add.h"

#include <algorithm>
#include <string>

#include "editing/day_off_rules.h"
#include "editing/calendar_calls.h"
#include "editing/message_text.h"
#include "editing/month_access.h"

namespace planek {

namespace {

// The end a day off can really have: it runs on while the days are free of
// other blocking days off (or belong to this one), never past the month.
int reachable_end(const ms_& m, int first, int wanted, int lastIndex) {
    int end = first;
    while (end + 1 <= std::min(wanted, lastIndex)) {
        const wolne_& s = m.daysOff[end + 1];
        if (s.blocks && s.headIndex != first) break;
        ++end;
    }
    return end;
}

// Cuts the range at the first day it cannot reach; the notice says so.
refusal correct_end(Plan& plan, const ms_& m, wolne_& w, int lastIndex) {
    const int first = w.firstIndex;
    const int wanted = first + (int(w.dayTo) - int(w.dayFrom));
    const int end = reachable_end(m, first, wanted, lastIndex);
    const int newTo = end + first_day_of_month(plan);
    refusal notice;
    if (newTo != w.dayTo && byte(w.symbol) != kNoDutyWanted) {
        notice = {refusal_kind::DayOffEndCorrected,
                  message(plan, "msg_DayOffEndCorrected", "Poprawiono końcowy dzień trwania wolnego z %s na %s",
                          {std::to_string(w.dayTo), std::to_string(newTo)})};
    }
    w.dayTo = byte(newTo);
    return notice;
}

}  // namespace

result<> dodaj_wolne(Plan& plan, wolne_ w, int worker, bool isNew, bool correctEnd) {
    if (w.dayFrom > w.dayTo) std::swap(w.dayFrom, w.dayTo);
    const int firstDay = first_day_of_month(plan);
    const int dayCount = month_day_count(plan);
    const int first = int(w.dayFrom) - firstDay;
    if (first >= 0 && first < kMaxDays) w.firstIndex = byte(first);
    if (worker < 0 || worker >= int(plan.workers.size())) {
        plan.orphanDaysOff.push_back(w);
        return refusal{};
    }
    // A blocking day off hides the minutes of the duties under it.
    const worker_staffing_share share(plan, worker);
    ms_* m = worker_month(plan, worker);
    // A day off that starts outside the open month has no slot to live in.
    if (!m || first < 0 || first >= dayCount) return refusal{};
    const int lastIndex = dayCount - 1;
    const wolne_& head = m->daysOff[first];
    const bool underOther = head.blocks && head.headIndex != first && head.headIndex < kMaxDays &&
                            m->daysOff[head.headIndex].used() && day_off_blocks(w.symbol);
    if ((head.used() && isNew) || underOther) {
        // A second day off starting on the same day would overwrite the first;
        // a blocking one starting inside another blocking one would mix their
        // slots.
        return refusal{refusal_kind::DayOffTaken,
                        message(plan, "msg_DayOffAlreadyExists",
                                "Wybrany pracownik ma już wstawione wolne w wybranym dniu.")};
    }
    refusal notice;
    if (correctEnd) {
        const byte wantedTo = w.dayTo;
        notice = correct_end(plan, *m, w, lastIndex);
        // A cut range is worth less: its norm (and the allowance it takes)
        // follows the days it really has.
        if (w.dayTo != wantedTo && byte(w.symbol) != kNoDutyWanted && !w.customNorm)
            w.normMinutes = word(std::max(0, day_off_norm_for(plan, first, int(w.dayTo) - firstDay, worker, w)));
    }
    // Without the correction the range is still cut at the month's end, so no
    // slot past the month is ever marked.
    if (int(w.dayTo) - firstDay > lastIndex) w.dayTo = byte(lastIndex + firstDay);
    if (byte(w.symbol) == kNoDutyWanted) w.dayTo = w.dayFrom;

    if (isNew && !plan.weekMode) {
        // Nothing is stored, so the refusal is all there is to say: a cut
        // range would be news about a day off that did not go in.
        if (refusal limit = take_allowance(plan, worker, w); limit.kind != refusal_kind::None) return limit;
    }

    // Stored again over itself (an edit or a reload): the old range's marks go
    // first, and the share of last year's leave it took stays with it.
    if (m->daysOff[first].used()) {
        if (!isNew) w.fromPreviousYear = m->daysOff[first].fromPreviousYear;
        free_day_off(*m, first);
    }
    store_day_off(plan, *m, w);
    return result<>().with(notice);
}

}  // namespace planek
