// The worker boxes of the main window as data, and the calendar's slots.
#include <algorithm>

#include "calendar/caption_format.h"
#include "calendar/duty_filter.h"
#include "calendar/staffing.h"
#include "calendar/summaries.h"
#include "calendar/time_text.h"
#include "calendar/wish_summary.h"
#include "core/text.h"

namespace planek {

namespace {

std::string hm(long long minutes) { return min2h(minutes, "txt", true); }

// First letter of the worker's care unit ("dni" / "godzin").
std::string care_unit_letter(const Plan& plan, const prac& w) {
    const std::string units = plan.tr.tr("f_WorkerAdd", "cb_CareDaysMode", "dni\ngodzin");
    size_t from = 0;
    for (int i = 0; i < w.careDaysMode; ++i) {
        const size_t nl = units.find('\n', from);
        if (nl == std::string::npos) return "";
        from = nl + 1;
    }
    return utf8_left(units.substr(from), 1);
}

void fill_month(const Plan& plan, const prac& w, const ms_& m, worker_boxes& b) {
    const category_sum& c = m.sum.total[0];
    const std::int32_t worked = c.workedMinutes;
    b.norm = std::max(m.workerNorm, 0);
    b.openNorm = m.workerNorm - worked - m.sum.creditedMinutes;
    b.usedNorm = std::max(worked + m.sum.creditedMinutes, 0);
    b.overtime = c.overtimeSum();
    b.l_wnq_Norma = hm(b.norm);
    b.l_wnq_NormaUnused = hm(b.openNorm);
    b.l_wnq_NormaUsed = hm(b.usedNorm);
    b.l_wnq_Overtime = hm(b.overtime);
    if (m.overtimeTotal != 0)
        b.l_wnq_PreviousPeriod = format_caption(plan.tr.msg("msg_PrevMonthOverTime", "w tym %s z poprz.mies."),
                                                {hm(m.overtimeTotal)});
    const grupa* g = plan.group();
    if (g && !g->shifts.empty() && g->shifts[0].length > 0 && b.openNorm > 0) {
        b.openDuties = b.openNorm / g->shifts[0].length;
        b.openRest = b.openNorm % g->shifts[0].length;
        b.openNormAsDuties =
            format_caption("%dx \"%s\" + %s", {(long long)b.openDuties, g->shifts[0].name, hm(b.openRest)});
    }
    b.dayMinutes = std::max(c.dayMinutes, 0);
    b.nightMinutes = std::max(c.nightMinutes, 0);
    b.holidayMinutes = std::max(c.holidayMinutes, 0);
    b.workedMinutes = std::max(c.workedMinutes, 0);
    b.l_dq_Days = hm(b.dayMinutes);
    b.l_dq_Nights = hm(b.nightMinutes);
    b.l_dq_Holidays = hm(b.holidayMinutes);
    b.l_dq_Total = hm(b.workedMinutes);
    b.creditedMinutes = m.sum.creditedMinutes;
    b.leaveLeft = std::int32_t(w.holidayCurrentYear) + w.holidayPreviousYear;
    b.l_lq_Total = hm(b.creditedMinutes);
    b.l_lq_HolidayUnused = hm(b.leaveLeft);
    b.l_lq_RehaHolidayUnused = std::to_string(w.rehaDays);
    b.l_l_CareDaysUnused = format_caption(
        plan.tr.tr("f_MainForm", "l_l_CareDaysUnused", "Pozostaje opieki [%s]: "), {care_unit_letter(plan, w)});
    b.l_lq_CareDaysUnused = w.careDaysMode == 1 ? min2h(w.careDays, "txt", false) : std::to_string(w.careDays);
}

void fill_period(const prac& w, worker_boxes& b) {
    const period_totals& p = w.sum.period;
    b.periodNorm = std::max<std::int64_t>(p.periodNorm, 0);
    b.periodDuties = p.periodDutyMinutes;
    b.periodDayOffs = p.periodCreditedMinutes;
    b.periodOpen = p.periodNorm - p.periodDutyMinutes - p.periodCreditedMinutes;
    b.l_pq_Norma = hm(b.periodNorm);
    b.l_pq_Duties = hm(b.periodDuties);
    b.l_pq_DayOffs = hm(b.periodDayOffs);
    b.l_pq_NormaUnused = hm(b.periodOpen);
}

}  // namespace

worker_boxes ramki_pracownika(const Plan& plan, int worker, int periodMonth) {
    worker_boxes b;
    const ms_* m = worker_period_month(plan, worker, periodMonth);
    if (!m || plan.weekMode) return b;
    const prac& w = plan.workers[worker];
    b.shown = true;
    b.st_Workers = format_caption(plan.tr.msg("msg_Worker", " :: Pracownik: %s %s"), {w.surname, w.firstName});
    fill_month(plan, w, *m, b);
    fill_period(w, b);
    const wish_summary wishes = zyczenia_pracownika(plan, worker, periodMonth);
    b.l_wq_Wishes = wishes.line;
    b.wishList = wishes.list;
    return b;
}

}  // namespace planek
