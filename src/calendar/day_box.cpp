#include "calendar/day_box.h"

#include <utility>

#include <algorithm>
#include <array>
#include <cstdint>

#include "calendar/caption_format.h"
#include "calendar/duty_filter.h"
#include "calendar/staffing.h"
#include "calendar/time_text.h"
#include "core/text.h"

namespace planek {

namespace {

constexpr int kDayMinutes = 1440;
using minute_line = std::array<std::int32_t, kDayMinutes + 1>;

// Marks [from, to) of the day in a difference line.
void mark(minute_line& line, int from, int to) {
    from = std::clamp(from, 0, kDayMinutes);
    to = std::clamp(to, 0, kDayMinutes);
    if (from >= to) return;
    ++line[size_t(from)];
    --line[size_t(to)];
}

// The counted duties of the group reaching into the day: its own and the
// previous day's running past midnight, by the rules of the minute counts.
minute_line on_duty_line(const Plan& plan, const grupa& g, int dayIndex) {
    minute_line line{};
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        if (!plan.workers[w].inGroup(g.id)) continue;
        const ms_* m = worker_period_month(plan, int(w), plan.currentMonth);
        if (!m) continue;
        for (int d = std::max(0, dayIndex - 1); d <= dayIndex; ++d) {
            if (day_off_hides_duties(*m, d)) continue;
            const int shift = (d - dayIndex) * kDayMinutes;  // -1440 for the day before
            for (const dyzur& duty : m->duties[size_t(d)]) {
                if (duty.groupId != g.id || !duty_kind_ticked(plan, duty)) continue;
                const int start = int(duty.start) + shift;
                mark(line, start, start + int(duty.length) + int(duty.overtime));
            }
        }
    }
    return line;
}

std::string short_name(const prac& p) { return p.nick.empty() ? p.surname : p.nick; }

bool has_day_off(const ms_& m, int dayIndex) {
    const wolne_& slot = m.daysOff[size_t(dayIndex)];
    return slot.used() || (slot.headIndex < kMaxDays && m.daysOff[slot.headIndex].used());
}

// Who holds each shift of the day and who has the day off, in the order of
// the worker table, by the rules of the staffing counts.
void list_people(const Plan& plan, const grupa& g, int dayIndex, day_box& s) {
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        const prac& p = plan.workers[w];
        if (!p.inGroup(g.id)) continue;
        const ms_* m = worker_period_month(plan, int(w), plan.currentMonth);
        if (!m) continue;
        if (has_day_off(*m, dayIndex)) s.daysOff.push_back(short_name(p));
        if (day_off_hides_duties(*m, dayIndex)) continue;
        for (const dyzur& duty : m->duties[size_t(dayIndex)]) {
            if (duty.groupId != g.id || !duty_kind_ticked(plan, duty)) continue;
            if (duty.shift >= 1 && duty.shift <= s.shifts.size()) s.shifts[duty.shift - 1].who.push_back(short_name(p));
        }
    }
}

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
}

minute_line coverage_line(const grupa& g) {
    minute_line line{};
    for (const zmiana_& s : g.shifts) {
        mark(line, s.start, int(s.start) + int(s.length));
        // The part past midnight covers the early minutes of a day too.
        mark(line, 0, int(s.start) + int(s.length) - kDayMinutes);
    }
    return line;
}

std::string date_title(const Plan& plan, int dayIndex) {
    // The calendar header's names, Monday first; the day table counts from Sunday.
    const std::vector<std::string> names = split_fields(plan.tr.tr(
        "f_MainForm", "sag_DaysNames", "Poniedziałek¤Wtorek¤Środa¤Czwartek¤Piątek¤Sobota¤Niedziela"));
    const int sundayFirst = int(plan.days[size_t(dayIndex)].dayOfWeek) - 1;
    const int mondayFirst = (sundayFirst + 6) % 7;
    const std::string name =
        sundayFirst >= 0 && sundayFirst < 7 && mondayFirst < int(names.size()) ? names[size_t(mondayFirst)] : "";
    const int m = plan.currentMonth;
    int number = dayIndex + 1;
    if (m >= 0 && m < int(plan.months.size()) && dayIndex < int(plan.months[size_t(m)].days.size()) &&
        plan.months[size_t(m)].days[size_t(dayIndex)].dayNumber > 0)
        number = plan.months[size_t(m)].days[size_t(dayIndex)].dayNumber;
    return format_caption(plan.tr.msg("msg_DaySummaryTitle", "Dzień %d, %s"), {number, name});
}

void fill_lines(const Plan& plan, day_box& s) {
    s.lines.push_back(s.title);
    for (const shift_staffing& x : s.shifts)
        s.lines.push_back(format_caption(plan.tr.msg("msg_DaySummaryShift", "%s: %d z %d"),
                                         {x.symbol, x.headcount, x.required}));
    s.lines.push_back(format_caption(plan.tr.msg("msg_DaySummaryMost", "Najwięcej na dyżurze: %d (od %s)"),
                                     {s.most, clock_time(s.mostAt)}));
    s.lines.push_back(format_caption(plan.tr.msg("msg_DaySummaryFewest", "Najmniej na dyżurze: %d (od %s)"),
                                     {s.fewest, clock_time(s.fewestAt)}));
    for (const shift_staffing& x : s.shifts)
        if (!x.who.empty()) s.lines.push_back(x.symbol + ": " + joined(x.who));
    if (!s.daysOff.empty())
        s.lines.push_back(format_caption(plan.tr.msg("msg_DaySummaryDaysOff", "Wolne: %s"), {joined(s.daysOff)}));
}

}  // namespace

day_box podsumowanie_dnia(const Plan& plan, int dayIndex) {
    day_box s;
    const grupa* g = plan.group();
    const int days = std::min<int>(int(plan.days.size()), kMaxDays);
    if (!g || g->shifts.empty() || dayIndex < 0 || dayIndex >= days) return s;
    s.valid = true;
    const day& d = plan.days[size_t(dayIndex)];
    for (size_t i = 0; i < g->shifts.size(); ++i) {
        const zmiana_& z = g->shifts[i];
        shift_staffing x;
        x.symbol = z.symbol.empty() ? std::to_string(i + 1) : z.symbol;
        x.headcount = i < d.shiftHeadcount.size() ? d.shiftHeadcount[i] : 0;
        x.required = d.holiday ? z.staffMinS : z.staffMin;
        s.shifts.push_back(x);
    }

    list_people(plan, *g, dayIndex, s);

    const minute_line onDuty = on_duty_line(plan, *g, dayIndex);
    const minute_line covered = coverage_line(*g);
    std::int32_t here = 0, cover = 0;
    bool first = true;
    for (int i = 0; i < kDayMinutes; ++i) {
        here += onDuty[size_t(i)];
        cover += covered[size_t(i)];
        if (here > s.most) {
            s.most = here;
            s.mostAt = i;
        }
        if (cover > 0 && (first || here < s.fewest)) {
            s.fewest = here;
            s.fewestAt = i;
            first = false;
        }
    }

    const int m = plan.currentMonth;
    if (m >= 0 && m < int(plan.months.size()) && dayIndex < int(plan.months[size_t(m)].days.size()))
        s.note = plan.months[size_t(m)].days[size_t(dayIndex)].note;
    s.title = date_title(plan, dayIndex);
    fill_lines(plan, s);
    return s;
}

day_box podsumowanie_dnia(Plan& plan, int dayIndex) {
    odswiez_iledy_gdy_trzeba(plan);
    return podsumowanie_dnia(std::as_const(plan), dayIndex);
}

}  // namespace planek
