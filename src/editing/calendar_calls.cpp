#include "editing/calendar_calls.h"

#include "calendar/day_table.h"
#include "calendar/norm.h"
#include "calendar/staffing.h"
#include "calendar/summaries.h"
#include "calendar/time_text.h"
#include "editing/month_access.h"

namespace planek {

void refresh_worker(Plan& plan, int worker) { odswiez_pracownika(plan, worker, false, plan.currentMonth); }

int working_days(const Plan& plan, int fromIndex, int toIndex) { return ile_roboczych(plan, fromIndex, toIndex); }

int day_off_norm(const Plan& plan, int fromIndex, int toIndex, int worker) {
    return normatyw_wolnego(plan, fromIndex, toIndex, worker, plan.currentMonth);
}

int day_off_norm_for(const Plan& plan, int fromIndex, int toIndex, int worker, const wolne_& settings) {
    day_off_norm_settings s;
    s.customNorm = settings.customNorm;
    s.customNormMinutes = settings.customNormMinutes;
    s.normWithPartTime = settings.normWithPartTime;
    return normatyw_wolnego(plan, fromIndex, toIndex, worker, plan.currentMonth, s);
}

std::string hm_text(int minutes, bool wrapDay) { return min2h(minutes, "txt", true, wrapDay); }

std::string hm_text_styled(int minutes, const std::string& style, bool wrapDay) {
    return min2h(minutes, style.empty() ? "txt" : style, true, wrapDay);
}

int hm_minutes(const std::string& text) { return try_h2min(text).value_or(0); }

int worker_top_up(const Plan& plan, int worker) {
    const ms_* m = worker_month(plan, worker);
    if (!m) return 0;
    return m->workerNorm - m->sum.total[0].workedMinutes - m->sum.creditedMinutes;
}

int group_top_up(const Plan& plan) { return plan.calendar.normRemainder; }

}  // namespace planek
