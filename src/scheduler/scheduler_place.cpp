// Placement: the eight-hour mode (rozpisz_8) and the cyclic pattern mode.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/month_access.h"
#include "scheduler/scheduler_steps.h"

namespace planek {

namespace {

int shift_count(const Plan& plan) { return plan.group() ? int(plan.group()->shifts.size()) : 0; }

// A pattern character as a shift number; anything but a digit is a free day.
int pattern_digit(char c) { return (c >= '0' && c <= '9') ? c - '0' : 0; }

// Weekdays (dayOfWeek 1 = Sunday .. 7 = Saturday) the fill may use: the
// worker's "po".."n" boxes from the scheduler, Monday to Friday otherwise.
std::array<bool, 8> allowed_weekdays(const prac& p, bool fromScheduler) {
    std::array<bool, 8> allowed{};
    if (!fromScheduler) {
        for (int dow = 2; dow <= 6; ++dow) allowed[dow] = true;
        return allowed;
    }
    for (size_t i = 0; i < 7 && i < p.automatDays.size(); ++i)
        if (p.automatDays[i] == '1') allowed[i == 6 ? 1 : i + 2] = true;
    return allowed;
}

// The shift numbers the fill cycles through, none above the group's shifts.
std::vector<int> eight_hour_pattern(const prac& p, const dyzur& templ, bool fromScheduler, int shifts) {
    std::vector<int> pattern;
    if (fromScheduler && !p.systemPattern8.empty()) {
        for (char c : p.systemPattern8) pattern.push_back(std::min(pattern_digit(c), shifts));
    } else {
        pattern.push_back(std::min(int(templ.shift), shifts));
    }
    return pattern;
}

bool day_taken(const Plan& plan, const ms_& m, int worker, int dayIndex) {
    return !m.duties[dayIndex].empty() || czy_juz_wolny(plan, dayIndex, worker);
}

}  // namespace

fill_report rozpisz_8(Plan& plan, int worker, const dyzur& templ, bool fromScheduler, bool refresh) {
    fill_report r;
    const ms_* m = worker_month(plan, worker);
    if (!m) return r;
    const prac& p = plan.workers[worker];
    r.patternPos = std::max(1, int(p.systemStartFrom8));
    // A duty of no length is no duty: a worker without a daily norm gets
    // none, and keeps its place in the pattern.
    if (templ.length == 0) return r;
    const std::array<bool, 8> allowed = allowed_weekdays(p, fromScheduler);
    const std::vector<int> pattern = eight_hour_pattern(p, templ, fromScheduler, shift_count(plan));
    const int length = int(pattern.size());
    int pos = std::max(0, int(p.systemStartFrom8) - 1);
    const int days = month_day_count(plan);
    const int firstDay = first_day_of_month(plan);
    bool lastAdded = false;
    for (int d = 0; d < days && d < int(plan.days.size()); ++d) {
        const day& dd = plan.days[d];
        const bool sunday = dd.dayOfWeek == 1;
        const bool usable = dd.dayOfWeek < allowed.size() && allowed[dd.dayOfWeek] &&
                            (!dd.holiday || p.prefNormalHoliday == 6) && !day_taken(plan, *m, worker, d);
        if (!usable) {
            if (p.systemAsWeek && sunday) ++pos;
            continue;
        }
        dyzur duty = templ;
        duty.shift = byte(pattern[pos % length]);
        if (p.automatFromHourOn) duty.start = p.automatFromHour;
        duty.day = word(firstDay + d);
        if (!p.systemAsWeek || sunday) ++pos;
        if (duty.shift < 1) continue;
        lastAdded = dodaj_dyzur(plan, duty, -1, false, worker).ok();
        ++(lastAdded ? r.placed : r.refused);
    }
    r.patternPos = pos % length + 1;
    if (refresh && lastAdded) refresh_worker(plan, worker);
    return r;
}

void rozpisz_8_z_dialogu(Plan& plan, const dyzur& templ, int worker) {
    rozpisz_8(plan, worker, templ, false, true);
}

namespace sched {

int planned_minutes(const Plan& plan, int worker) {
    const ms_* m = worker_month(plan, worker);
    return m ? m->sum.total[0].workedMinutes + m->sum.creditedMinutes : 0;
}

int worker_norm(const Plan& plan, int worker) {
    const ms_* m = worker_month(plan, worker);
    return m ? m->workerNorm : 0;
}

dyzur new_proposal(const Plan& plan, const grupa& g, int worker, int shift, int length) {
    dyzur d;
    d.workerId = plan.workers[worker].id;
    d.groupId = g.id;
    d.shift = byte(shift);
    d.length = word(std::clamp(length, 0, 0xFFFF));
    d.start = 0;
    d.overtime = 0;
    d.dutyAs = 1;
    d.loaded = false;
    return d;
}

bool place_proposal(Plan& plan, run_state& run, dyzur d, int worker, int dayIndex) {
    d.day = word(first_day_of_month(plan) + dayIndex);
    const bool stored = dodaj_dyzur(plan, d, -1, false, worker).ok();
    ++(stored ? run.report.placed : run.report.refused);
    return stored;
}

int place_pattern(Plan& plan, run_state& run, int worker, int offset) {
    const grupa& g = *run.group;
    const prac& p = plan.workers[worker];
    const std::string& pattern = p.systemPattern;
    const int length = int(pattern.size());
    // A start before the pattern is taken as its first position, one past it
    // as its last.
    int pos = std::clamp(int(p.systemStartFrom), 1, length);
    const ms_* m = worker_month(plan, worker);
    const int days = month_day_count(plan);
    for (int d = std::max(0, offset); d < days; ++d) {
        const int shift = pattern_digit(pattern[pos - 1]);
        if (shift >= 1 && shift <= int(g.shifts.size()) && !day_taken(plan, *m, worker, d))
            place_proposal(plan, run, new_proposal(plan, g, worker, shift, g.shifts[shift - 1].length), worker, d);
        pos = pos % length + 1;
    }
    return pos;
}

}  // namespace sched

}  // namespace planek
