// The second algorithm as a step of the scheduler run: the model of the
// month, the search, and its roster placed as proposals.
#include <vector>

#include "calendar/staffing.h"
#include "editing/calendar_calls.h"
#include "scheduler/scheduler_steps.h"
#include "scheduler/search_engine.h"
#include "scheduler/search_model.h"
#include "scheduler/search_residue.h"
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

void place_roster(Plan& plan, run_state& run, const search_model& m) {
    const grupa& g = *run.group;
    for (const search_worker& w : m.workers)
        for (int d = 0; d < m.days; ++d)
            if (const int s = w.shift[size_t(d)]; s > 0)
                place_proposal(plan, run, new_proposal(plan, g, w.index, s, g.shifts[size_t(s - 1)].length), w.index,
                               d);
    for (const search_worker& w : m.workers)
        if (const residue_duty& r = w.residue; r.day >= 0)
            place_proposal(plan, run, new_proposal(plan, g, w.index, r.shift, r.length), w.index, r.day);
}

}  // namespace

void plan_by_search(Plan& plan, run_state& run, const scheduler_choice& choice) {
    std::vector<int> planned;  // workers planned by hand only keep what they have
    for (int w : run.members) {
        refresh_worker(plan, w);
        if (!plan.workers[size_t(w)].prefWithoutAuto) planned.push_back(w);
    }
    odswiez_iledy(plan);
    search_model m = build_search_model(plan, planned);
    search_limits limits;
    limits.seed = choice.seed ? *choice.seed : std::uint64_t(plan.random.below(1 << 30));
    limits.seconds = choice.seconds > 0 ? choice.seconds : double(plan.options.glowne.automatSeconds);
    const search_result r = search_roster(m, limits, watch_of(plan));
    add_residue_duties(m);
    run.report.steps = r.steps;
    run.report.stopped = r.stopped;
    run.report.timedOut = r.timedOut;
    place_roster(plan, run, m);
    odswiez_iledy(plan);
    for (int w : planned) refresh_worker(plan, w);
    run.report.unmet = unmet_lines(plan, m);
    // Days off for Sunday and holiday work as the first algorithm gives them;
    // the pattern positions stay, since no pattern was laid.
    for (int w : planned) run.inAutoRun[size_t(w)] = true;
    give_days_off(plan, run);
    for (int w : planned) run.inAutoRun[size_t(w)] = false;
}

}  // namespace planek::sched
