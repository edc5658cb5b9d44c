#include "cli/demo_months.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <tuple>

#include "editing/day_off_add.h"
#include "editing/duty_add.h"
#include "files/month_file.h"
#include "files/month_project.h"
#include "files/program_session.h"
#include "files/recent_files.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;
namespace chr = std::chrono;

int weekday(int year, int month, int day) {  // 0 = Sunday
    return int(chr::weekday(chr::sys_days(chr::year(year) / chr::month(unsigned(month)) / chr::day(unsigned(day))))
                   .c_encoding());
}

word first_group(const prac& w) {
    const size_t bar = w.groups.find('|');
    return word(std::atoi(w.groups.substr(0, bar).c_str()));
}

struct candidate {
    int day = 0;
    int shift = 0;
    int length = 0;
};

void add_duty(Plan& plan, int worker, const grupa& g, const candidate& c) {
    dyzur d;
    d.groupId = g.id;
    d.workerId = plan.workers[worker].id;
    d.day = word(c.day);
    d.shift = byte(c.shift);
    d.start = g.shifts[c.shift - 1].start;
    d.length = word(c.length);
    d.dutyAs = 1;
    // A demo duty the rules refuse (a day off there) is simply not planned.
    static_cast<void>(dodaj_dyzur(plan, d, -1, false, worker));
}

// left: minutes still to plan for each worker this month.
void add_day_off(Plan& plan, std::vector<long>& left, int worker, word group, char kind, int from, int to) {
    wolne_ w;
    w.groupId = group;
    w.workerId = plan.workers[worker].id;
    w.dayFrom = byte(from);
    w.dayTo = byte(to);
    w.symbol = kind;
    w.normWithPartTime = true;
    int working = 0;
    for (int d = from; d <= to; ++d) working += weekday(plan.year, plan.month, d) % 6 != 0;
    w.normMinutes = word(working * 455);
    if (dodaj_wolne(plan, w, worker, false, true)) left[worker] -= w.normMinutes;
}

bool day_off_on(const Plan& plan, int worker, int dayIndex) {
    const wolne_& s = plan.workers[worker].months[plan.currentMonth].daysOff[dayIndex];
    return s.blocks || s.used();
}

// The duties a worker's own pattern gives in the month: a cyclic pattern of
// shift numbers, the 8-hour weekdays, or (for the head nurses) 7:35 on
// weekdays.
std::vector<candidate> pattern_duties(const Plan& plan, int i, const grupa& g, int offset) {
    const prac& w = plan.workers[i];
    std::vector<candidate> out;
    for (int d = 1; d <= int(plan.days.size()); ++d) {
        if (day_off_on(plan, i, d - 1)) continue;
        const int wd = weekday(plan.year, plan.month, d);
        if (w.prefSystem && !w.systemPattern.empty()) {
            const std::string& p = w.systemPattern;
            const int shift = p[size_t(d + offset + w.systemStartFrom) % p.size()] - '0';
            if (shift >= 1 && shift <= int(g.shifts.size())) out.push_back({d, shift, g.shifts[shift - 1].length});
        } else if (wd != 0 && wd != 6 && (w.prefAuto8 || w.prefWithoutAuto)) {
            const int dayOfWeek = (wd + 6) % 7;  // Monday 0
            if (w.prefAuto8 && w.automatDays.size() == 7 && w.automatDays[size_t(dayOfWeek)] != '1') continue;
            out.push_back({d, 1, g.dailyNorm ? g.dailyNorm : 455});
        }
    }
    return out;
}

// A worker's duties of the month as her pattern gives them, and how many
// of them her norm leaves no room for.
struct worker_plan {
    int worker = 0;
    const grupa* group = nullptr;
    std::vector<candidate> duties;
    std::vector<bool> left;  // left out of the month
    size_t surplus = 0;
};

// A ward plans up to the norm, not beyond it: when a pattern gives more, the
// duties left out are those of the shifts most above their target, so the
// month comes out staffed as the targets ask wherever the staff allow.
void fill_month(Plan& plan, const std::vector<long>& left, int offset) {
    std::vector<worker_plan> plans;
    std::map<std::tuple<word, int, int>, int> heads;  // group, day, shift
    for (int i = 0; i < int(plan.workers.size()); ++i) {
        const prac& w = plan.workers[i];
        const int gi = plan.groupIndexById(first_group(w));
        if (w.old || gi < 0) continue;
        worker_plan wp;
        wp.worker = i;
        wp.group = &plan.groups[gi];
        wp.duties = pattern_duties(plan, i, *wp.group, offset);
        if (wp.duties.empty()) continue;
        long total = 0;
        for (const candidate& c : wp.duties) total += c.length;
        const long budget = std::max(0L, left[i] + 120);
        const size_t n = wp.duties.size();
        wp.surplus = total <= budget ? 0 : n - size_t(double(budget) / total * n);
        wp.left.assign(n, false);
        for (const candidate& c : wp.duties) ++heads[{wp.group->id, c.day, c.shift}];
        plans.push_back(std::move(wp));
    }
    auto excess = [&](const worker_plan& wp, const candidate& c) {
        const zmiana_& z = wp.group->shifts[c.shift - 1];
        const bool holiday = c.day - 1 < int(plan.days.size()) && plan.days[c.day - 1].holiday;
        return heads[{wp.group->id, c.day, c.shift}] - int(holiday ? z.staffMinS : z.staffMin);
    };
    for (;;) {
        worker_plan* from = nullptr;
        size_t which = 0;
        int worst = 0;
        for (worker_plan& wp : plans) {
            if (wp.surplus == 0) continue;
            for (size_t k = 0; k < wp.duties.size(); ++k) {
                if (wp.left[k]) continue;
                const int e = excess(wp, wp.duties[k]);
                if (!from || e > worst) from = &wp, which = k, worst = e;
            }
        }
        if (!from) break;
        from->left[which] = true;
        --from->surplus;
        --heads[{from->group->id, from->duties[which].day, from->duties[which].shift}];
    }
    for (const worker_plan& wp : plans)
        for (size_t k = 0; k < wp.duties.size(); ++k)
            if (!wp.left[k]) add_duty(plan, wp.worker, *wp.group, wp.duties[k]);
}

std::string month_name(int year, int month) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d_%02d.pnk", year, month);
    return buf;
}

}  // namespace

std::vector<std::string> write_demo_months(Plan& plan) {
    const civil_date today = plan.clock->today();
    const int prevYear = today.month == 1 ? today.year - 1 : today.year;
    const int prevMonth = today.month == 1 ? 12 : today.month - 1;
    const std::vector<std::string> files = {(plan.paths.data / month_name(prevYear, prevMonth)).string(),
                                            (plan.paths.data / month_name(today.year, today.month)).string()};
    const int years[] = {prevYear, today.year}, months[] = {prevMonth, today.month};
    for (size_t m = 0; m < files.size(); ++m)
        if (!write_empty_month_file(files[m], years[m], months[m])) return {};
    // Files of its own making: no safety copies, locks or recent list yet.
    months_request opening;
    opening.files = files;
    opening.group = plan.groups.empty() ? std::nullopt : std::optional<word>(plan.groups.front().id);
    const result<std::vector<std::string>> opened = open_session_months(plan, opening);
    if (!opened || opened->size() != files.size()) return {};

    std::vector<std::string> written;
    int offset = 0;
    for (size_t m = 0; m < files.size(); ++m) {
        months_request tab;
        tab.files = {(*opened)[m]};
        tab.tab = int(m);
        if (!open_session_months(plan, tab)) return written;
        std::vector<long> left(plan.workers.size(), 0);
        for (size_t i = 0; i < plan.workers.size(); ++i)
            left[i] = long(plan.months[m].normMinutes * plan.workers[i].partTimeDefault / 100.0);
        if (m == 0) {
            add_day_off(plan, left, 2, 1, 'u', 3, 7);
            add_day_off(plan, left, 16, 2, 'z', 10, 12);
        } else {
            add_day_off(plan, left, 1, 1, 'u', 15, 19);
            add_day_off(plan, left, 19, 2, 'o', 8, 8);
        }
        fill_month(plan, left, offset);
        offset += int(plan.days.size());
        plan.months[m].days[0].note = m == 0 ? "Zebranie oddziału" : "Szkolenie BHP\r\nsala 12";
        plan.approvedStatus = m == 0 ? 1 : 0;
        plan.planType = m == 0 ? 1 : 0;
        if (zapisz_dyzury_i_wolne(plan)) written.push_back(files[m]);
    }
    [[maybe_unused]] const refusal unsaved = seed_recent_projects(plan, written);
    return written;
}

}  // namespace planek::cli
