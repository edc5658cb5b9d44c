// Rules k, j and c: the staffing of the shown month against the current
// group's shifts.
#include <algorithm>
#include <cstdlib>

#include "calendar/calendar_grid.h"
#include "scheduler/warnings_rules.h"
#include "scheduler/warnings_text.h"

namespace planek {

namespace {

constexpr int kLastMinute = 1439;

int shown_days(const Plan& plan) { return std::min<int>(int(plan.days.size()), kMaxDays); }

// A (day index, minute) marker of rule k.
struct gap_mark {
    int day = -1;
    int minute = 0;
    bool set() const { return day >= 0; }
};

// Head count the shift needs on that day: the holiday column on holidays.
int required_staff(const day& d, const zmiana_& s) { return d.holiday ? s.staffMinS : s.staffMin; }

// The head count and minutes of a shift that day; 0 where the counts were
// never sized for the group's shifts.
int headcount(const day& d, size_t s) { return s < d.shiftHeadcount.size() ? d.shiftHeadcount[s] : 0; }
std::int64_t staff_minutes(const day& d, size_t s) { return s < d.shiftMinutes.size() ? d.shiftMinutes[s] : 0; }

// The leading arguments of the day-based staffing lines: letter, day,
// month name, day name.
std::vector<format_arg> day_args(const warning_writer& ww, const char* letter, int dayIndex) {
    const Plan& plan = ww.plan();
    return {std::string(letter), (long long)(dayIndex + 1), ww.month(plan.month),
            ww.day(plan.days[dayIndex].dayOfWeek)};
}

// Percent of the needed staffing a shift had that day, or -1 when the shift
// has no length or needs nobody.
std::int64_t staffing_percent(const day& d, const zmiana_& s, size_t index) {
    const int required = required_staff(d, s);
    if (s.length == 0 || required == 0) return -1;
    return round_half_even(staff_minutes(d, index) * 100, std::int64_t(s.length) * required);
}

}  // namespace

std::int64_t round_half_even(std::int64_t num, std::int64_t den) {
    std::int64_t q = num / den;
    std::int64_t r = num % den;
    if (r < 0) {  // floor division
        --q;
        r += den;
    }
    if (2 * r > den || (2 * r == den && (q % 2 != 0))) ++q;
    return q;
}

void rule_k_gaps(const warning_writer& ww, warning_lines& out) {
    const Plan& plan = ww.plan();
    const int days = shown_days(plan);
    const auto& cover = plan.shiftCoverage;
    gap_mark from, to;
    for (int d = 0; d < days; ++d) {
        const auto& heads = plan.days[d].minuteHeadcount;
        for (int m = 0; m < kLastMinute; ++m) {
            if (!from.set() && heads[m] == 0 && cover[m] > 0) from = {d, m};
            if (from.set() && heads[m + 1] > 0 && cover[m + 1] > 0) to = {d, m};
            // A gap still open when the month ends closes at its last
            // minute, also when that minute needs no cover, so that it is
            // never lost.
            if (d == days - 1 && m == kLastMinute - 1 && from.set() && !to.set()) to = {d, kLastMinute};
            if (from.set() && to.set()) {
                out.push_back(ww.line(warning_texts::DiscontinuosStaff,
                                           {std::string("k"), ww.month(plan.month),
                                            warning_minutes(from.minute, warning_time::Wrapped),
                                            (long long)(from.day + 1),
                                            warning_minutes(to.minute + 1, warning_time::Wrapped),
                                            (long long)(to.day + 1)}));
                from = {};
                to = {};
            }
        }
    }
}

void rule_j_percent(const warning_writer& ww, warning_lines& out) {
    const Plan& plan = ww.plan();
    const grupa* g = plan.group();
    if (!g) return;
    const warnings_options& o = plan.options.warnings;
    const int days = shown_days(plan);
    const auto pass = [&](bool lower) {
        for (int d = 0; d < days; ++d)
            for (size_t s = 0; s < g->shifts.size(); ++s) {
                const std::int64_t percent = staffing_percent(plan.days[d], g->shifts[s], s);
                if (percent < 0) continue;
                const bool hit = lower ? percent < o.vStaffLessPercent : percent > o.vStaffBiggerPercent;
                if (!hit) continue;
                std::vector<format_arg> args = day_args(ww, "j", d);
                args.push_back((long long)(s + 1));
                args.push_back((long long)percent);
                out.push_back(ww.line(
                    lower ? warning_texts::StaffInsufficientPercent : warning_texts::StaffExceededPercent,
                    args));
            }
    };
    if (o.StaffLessPercent) pass(true);
    if (o.StaffBiggerPercent) pass(false);
}

void rule_c_persons(const warning_writer& ww, warning_lines& out) {
    const Plan& plan = ww.plan();
    const grupa* g = plan.group();
    if (!g) return;
    const warnings_options& o = plan.options.warnings;
    const int days = shown_days(plan);
    // A threshold below one person would report every shift, a staffing
    // that is on target or off the other way among them.
    const auto pass = [&](bool lower, int threshold) {
        threshold = std::max(threshold, 1);
        for (int d = 0; d < days; ++d)
            for (size_t s = 0; s < g->shifts.size(); ++s) {
                const int diff = required_staff(plan.days[d], g->shifts[s]) - headcount(plan.days[d], s);
                const int off = lower ? diff : -diff;
                if (off < threshold) continue;
                std::vector<format_arg> args = day_args(ww, "c", d);
                args.push_back((long long)(s + 1));
                args.push_back((long long)std::abs(off));
                out.push_back(
                    ww.line(lower ? warning_texts::StaffInsufficient : warning_texts::StaffExceeded, args));
            }
    };
    if (o.StaffLess) pass(true, o.vStaffLess);
    if (o.StaffBigger) pass(false, o.vStaffBigger);
}

}  // namespace planek
