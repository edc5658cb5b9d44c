// The second algorithm as a step of the scheduler run: the model of the
// month, the search, and its roster placed as proposals.
#include <algorithm>
#include <vector>

#include "calendar/staffing.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_add.h"
#include "editing/month_access.h"
#include "scheduler/scheduler_steps.h"
#include "scheduler/exact_model.h"
#include "scheduler/search_engine.h"
#include "scheduler/search_model.h"
#include "scheduler/search_unmet.h"

namespace planek::sched {

namespace {

search_watch watch_of(Plan& plan) {
    if (!plan.hooks.scheduler.progress) return {};
    return [&plan](const search_status& s) {
        scheduler_progress p;
        p.done = s.steps > 0 ? double(s.step) / double(s.steps) : 1.0;
        p.bestFindings = s.bestFindings;
        return plan.hooks.scheduler.progress(plan, p);
    };
}

void place_day_off(Plan& plan, run_state& run, int worker, int dayIndex, char kind) {
    wolne_ w;
    w.workerId = plan.workers[size_t(worker)].id;
    w.groupId = run.group->id;
    w.dayFrom = w.dayTo = byte(first_day_of_month(plan) + dayIndex);
    w.symbol = kind;
    w.normMinutes = plan.workers[size_t(worker)].dailyNorm;
    w.loaded = false;
    if (dodaj_wolne(plan, w, worker, false, false)) ++run.report.daysOff;
}

void place_roster(Plan& plan, run_state& run, const search_model& m) {
    const grupa& g = *run.group;
    for (const search_worker& w : m.workers)
        for (int d = 0; d < m.days; ++d) {
            const int s = w.shift[size_t(d)];
            if (s <= 0) continue;
            const int length = w.length[size_t(d)];
            place_proposal(plan, run, new_proposal(plan, g, w.index, s, length), w.index, d);
            if (length < int(g.shifts[size_t(s - 1)].length)) ++run.report.topUps;
        }
    for (const search_worker& w : m.workers) {
        // The days off are figured with the worker's daily norm as it is now.
        refresh_worker(plan, w.index);
        for (int d = 0; d < m.days; ++d)
            if (const char kind = w.off[size_t(d)]; kind != 0) place_day_off(plan, run, w.index, d, kind);
    }
}

// The model of the month for the members the search plans: workers planned
// by hand only keep what they have.
search_model model_of(Plan& plan, const std::vector<int>& members, std::vector<int>& planned) {
    std::vector<whole_worker> figures;
    for (int w : members) {
        refresh_worker(plan, w);
        if (plan.workers[size_t(w)].prefWithoutAuto) continue;
        planned.push_back(w);
        figures.push_back(whole_worker_figures(plan, w));
    }
    odswiez_iledy(plan);
    return build_search_model(plan, planned, figures);
}

search_limits limits_of(Plan& plan, const scheduler_choice& choice) {
    search_limits limits;
    limits.seed = choice.seed ? *choice.seed : std::uint64_t(plan.random.below(1 << 30));
    limits.seconds = choice.seconds > 0 ? choice.seconds : double(plan.options.glowne.automatSeconds);
    return limits;
}

}  // namespace

void plan_by_search(Plan& plan, run_state& run, const scheduler_choice& choice) {
    std::vector<int> planned;
    search_model m = model_of(plan, run.members, planned);
    const search_result r = search_roster(m, limits_of(plan, choice), watch_of(plan));
    run.report.steps = r.steps;
    run.report.cost = r.cost;
    run.report.stopped = r.stopped;
    run.report.timedOut = r.timedOut;
    place_roster(plan, run, m);
    odswiez_iledy(plan);
    for (int w : planned) refresh_worker(plan, w);
    run.report.unmet = unmet_lines(plan, m);
    const wish_report wishes = wish_lines(plan, m);
    run.report.wishesGranted = wishes.granted;
    run.report.wishesMade = wishes.made;
    run.report.wishes = wishes.lines;
}

}  // namespace planek::sched

namespace planek {

exact_comparison compare_with_exact(Plan& plan, const scheduler_choice& choice, double exactSeconds) {
    exact_comparison c;
    c.available = sched::exact_available();
    const grupa* g = plan.group();
    if (!g || plan.days.empty()) return c;
    std::vector<int> planned;
    sched::search_model m = sched::model_of(plan, sched::group_members(plan, *g), planned);
    c.searchCost = sched::search_roster(m, sched::limits_of(plan, choice)).cost;
    if (!c.available) return c;
    const sched::exact_result r = sched::solve_exact(m, exactSeconds);
    c.solved = r.solved;
    c.optimal = r.optimal;
    c.exactCost = r.cost;
    c.bound = r.bound;
    c.breaches = r.breaches;
    if (r.solved)
        for (int d = 0; d < m.days; ++d)
            for (size_t s = 0; s < m.shifts.size(); ++s)
                c.exactShortMinutes += std::int64_t(std::max(0, m.need[size_t(d)][s] - m.count[size_t(d)][s])) *
                                       m.shifts[s].length;
    return c;
}

}  // namespace planek
