// The wishes of a worker, counted against her duties.
#include "calendar/wish_summary.h"

#include "calendar/caption_format.h"
#include "calendar/duty_filter.h"

namespace planek {

namespace {

// The shift a wish sees on a day: the first duty's, 0 without one.
int shift_of(const std::vector<dyzur>& duties) { return duties.empty() ? 0 : int(duties.front().shift); }

}  // namespace

std::string wish_caption(const Plan& plan, const wish& w) {
    const std::string shift = std::to_string(w.shift);
    switch (w.kind) {
    case wish_kind::DayOff: return plan.tr.msg("msg_WishDayOff", "wolne");
    case wish_kind::Shift: return format_caption(plan.tr.msg("msg_WishShift", "zmiana %s"), {shift});
    case wish_kind::NotShift: return format_caption(plan.tr.msg("msg_WishNotShift", "nie zmiana %s"), {shift});
    default: return {};
    }
}

wish_summary zyczenia_pracownika(const Plan& plan, int worker, int periodMonth) {
    wish_summary s;
    const ms_* m = worker_period_month(plan, worker, periodMonth);
    if (!m) return s;
    const int firstDay = plan.weekMode ? plan.weekModeFrom : 1;
    for (int d = 0; d < kMaxDays; ++d) {
        const wish& w = m->wishes[size_t(d)];
        if (!w.used()) continue;
        ++s.made;
        if (wish_granted(w, shift_of(m->duties[size_t(d)]))) ++s.granted;
        if (!s.list.empty()) s.list += ", ";
        s.list += std::to_string(firstDay + d) + " " + wish_caption(plan, w);
        if (w.weight > 1) s.list += " (" + std::to_string(w.weight) + ")";
    }
    if (s.made > 0)
        s.line = format_caption(plan.tr.msg("msg_WishesSummary", "spełniono %s z %s"),
                                {std::to_string(s.granted), std::to_string(s.made)});
    return s;
}

}  // namespace planek
