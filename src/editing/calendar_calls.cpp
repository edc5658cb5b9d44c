#include "editing/calendar_calls.h"

#include <cstdlib>

#include "editing/month_access.h"

namespace planek {

void refresh_worker(Plan&, int) {}

void recount_staffing(Plan&) {}

int working_days(const Plan& plan, int fromIndex, int toIndex) {
    if (toIndex < fromIndex) return 0;
    if (plan.weekMode) return toIndex - fromIndex + 1;
    int n = 0;
    for (int i = fromIndex; i <= toIndex && i < int(plan.days.size()); ++i) {
        if (i < 0) continue;
        const day& d = plan.days[i];
        if (d.dayOfWeek >= 2 && d.dayOfWeek <= 6 && d.holiday == 0) ++n;
    }
    return n;
}

int day_off_norm(Plan& plan, int fromIndex, int toIndex, int worker) {
    const ms_* m = worker_month(plan, worker);
    if (!m || fromIndex < 0 || fromIndex >= kMaxDays) return 0;
    const wolne_& head = m->daysOff[fromIndex];
    if (head.customNorm) return head.customNormMinutes;
    int dutyMinutes = 0;
    bool anyDuty = false;
    for (int i = fromIndex; i <= toIndex && i < kMaxDays; ++i) {
        for (const dyzur& d : m->duties[i]) {
            anyDuty = true;
            dutyMinutes += d.length;
        }
    }
    if (anyDuty) return dutyMinutes;
    int daily = 0;
    if (head.normWithPartTime) {
        daily = plan.workers[worker].dailyNorm;
    } else if (const grupa* g = plan.group()) {
        daily = g->dailyNorm;
    }
    return working_days(plan, fromIndex, toIndex) * daily;
}

std::string hm_text(int minutes, bool wrapDay) {
    if (wrapDay && minutes > 1440) minutes %= 1440;
    const bool negative = minutes < 0;
    const int a = std::abs(minutes);
    std::string h = std::to_string(a / 60);
    if (h.size() < 2) h = "0" + h;
    std::string m = std::to_string(a % 60);
    if (m.size() < 2) m = "0" + m;
    return (negative ? "-" : "") + h + ":" + m;
}

int hm_minutes(const std::string& text) {
    std::string t;
    for (char c : text)
        if (c != ' ') t += c;
    if (t.empty()) return 0;
    int sign = 1;
    size_t i = 0;
    if (t[0] == '-' || t[0] == '+') {
        sign = t[0] == '-' ? -1 : 1;
        i = 1;
    }
    const size_t colon = t.find(':', i);
    const std::string hours = t.substr(i, colon == std::string::npos ? std::string::npos : colon - i);
    const std::string mins = colon == std::string::npos ? "" : t.substr(colon + 1);
    return sign * (std::atoi(hours.c_str()) * 60 + std::atoi(mins.c_str()));
}

int worker_top_up(const Plan& plan, int worker) {
    const ms_* m = worker_month(plan, worker);
    if (!m) return 0;
    return m->workerNorm - m->sum.total[0].workedMinutes - m->sum.creditedMinutes;
}

int group_top_up(const Plan& plan) { return plan.calendar.normRemainder; }

}  // namespace planek
