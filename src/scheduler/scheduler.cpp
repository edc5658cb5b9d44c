// One run of the automatic scheduler, and what the user's answer does to it.
#include "scheduler/scheduler.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "calendar/staffing.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/undo_stack.h"
#include "scheduler/scheduler_steps.h"

namespace planek {

namespace {

using sched::run_state;

// While the scheduler tries its proposals, a refused one is counted, not
// shown: a message box per refused day would bury the user in the middle of
// a run. Questions still reach the user.
class quiet_interaction : public Interaction {
public:
    explicit quiet_interaction(std::shared_ptr<Interaction> inner) : inner_(std::move(inner)) {}
    Answer ask(const std::string& text, Buttons buttons) override { return inner_->ask(text, buttons); }
    void inform(const std::string&) override {}
    void warn(const std::string&) override {}

private:
    std::shared_ptr<Interaction> inner_;
};

struct quiet_scope {
    Plan& plan;
    std::shared_ptr<Interaction> saved;
    explicit quiet_scope(Plan& p) : plan(p), saved(p.ui) { plan.ui = std::make_shared<quiet_interaction>(saved); }
    ~quiet_scope() { plan.ui = saved; }
    quiet_scope(const quiet_scope&) = delete;
    quiet_scope& operator=(const quiet_scope&) = delete;
};

void tell_busy(Plan& plan, bool busy) {
    if (plan.hooks.scheduler.busy) plan.hooks.scheduler.busy(plan, busy);
}

void tell_redraw(Plan& plan) {
    if (plan.hooks.scheduler.redraw) plan.hooks.scheduler.redraw(plan);
}

int day_count(const Plan& plan) { return std::min<int>(month_day_count(plan), int(plan.days.size())); }

void place_all(Plan& plan, run_state& run) {
    const grupa& g = *run.group;
    int offset = 0;  // shared by the pattern workers
    for (int w : run.members) {
        run.inAutoRun[w] = false;
        refresh_worker(plan, w);
        prac& p = plan.workers[w];
        if (p.prefWithoutAuto) continue;
        if (p.prefAuto8) {
            run.inAutoRun[w] = true;
            // Without an eight-hour pattern the worker gets first shifts.
            const dyzur templ = sched::new_proposal(plan, g, w, 1, p.dailyNorm);
            const fill_report r = rozpisz_8(plan, w, templ, true, false);
            run.patternPos[w] = r.patternPos;
            run.report.placed += r.placed;
            run.report.refused += r.refused;
        } else if (p.prefSystem && !p.systemPattern.empty() &&
                   sched::planned_minutes(plan, w) < sched::worker_norm(plan, w)) {
            run.inAutoRun[w] = true;
            run.patternPos[w] = sched::place_pattern(plan, run, w, offset);
            if (plan.patternsReset) offset = (offset + 1) % int(p.systemPattern.size());
        }
    }
}

bool has_proposals(const ms_& m, int days) {
    for (int d = 0; d < days; ++d) {
        for (const dyzur& duty : m.duties[d])
            if (!duty.loaded) return true;
        if (m.daysOff[d].used() && !m.daysOff[d].loaded) return true;
    }
    return false;
}

bool any_proposal(const Plan& plan) {
    const int days = day_count(plan);
    for (int w = 0; w < int(plan.workers.size()); ++w)
        if (const ms_* m = worker_month(plan, w); m && has_proposals(*m, days)) return true;
    return false;
}

byte position_byte(int pos) { return byte(std::clamp(pos, 1, 255)); }

void accept(Plan& plan, const run_state& run) {
    const int days = day_count(plan);
    for (int w : run.members) {
        if (!run.inAutoRun[w]) continue;
        note_worker_edit(plan, w);
        prac& p = plan.workers[w];
        if (p.prefAuto8 && !p.auto8ConstStart) p.systemStartFrom8 = position_byte(run.patternPos[w]);
        if (p.prefSystem && !p.prefAuto8 && !p.autoConstStart) p.systemStartFrom = position_byte(run.patternPos[w]);
    }
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        ms_* m = worker_month(plan, w);
        if (!m) continue;
        for (int d = 0; d < days; ++d) {
            for (dyzur& duty : m->duties[d]) duty.loaded = true;
            if (m->daysOff[d].used()) m->daysOff[d].loaded = true;
        }
    }
    plan.patternsReset = false;
}

// Takes out exactly the proposals: duties placed by hand and accepted days
// off stay.
void discard(Plan& plan, const run_state& run) {
    const int days = day_count(plan);
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        ms_* m = worker_month(plan, w);
        if (!m || !has_proposals(*m, days)) continue;
        bool proposedDayOff = false;
        for (int d = 0; d < days; ++d) {
            std::vector<dyzur>& list = m->duties[d];
            const auto kept = std::remove_if(list.begin(), list.end(), [](const dyzur& x) { return !x.loaded; });
            const bool removed = kept != list.end();
            list.erase(kept, list.end());
            if (removed && m->daysOff[d].blocks) aktualizuj_urlop(plan, w, d);
            proposedDayOff = proposedDayOff || (m->daysOff[d].used() && !m->daysOff[d].loaded);
        }
        if (proposedDayOff) usun_wolne(plan, w, 0, days - 1, true, true, true, false);
    }
    if (plan.group() && !plan.days.empty()) odswiez_iledy(plan);
    for (int w : run.members) refresh_worker(plan, w);
    for (const listed_worker& l : plan.listed)
        if (l.worker >= 0 && l.worker < int(plan.workers.size())) refresh_worker(plan, l.worker);
}

// The answer closes the run's undo step: an accepted run is one step, a
// discarded one put everything back and leaves none. The step, not the run,
// marks an accepted run modified.
void ask_and_settle(Plan& plan, run_state& run, undo_scope& step) {
    // Days off alone are proposals too: left without the question they would
    // stay unaccepted for good.
    if (!any_proposal(plan)) {
        step.end();
        return;
    }
    run.report.asked = true;
    if (const auto& accept = plan.hooks.scheduler.accept) {
        // What it could not meet and the wishes it could not grant are read
        // before the answer, not after it.
        std::vector<std::string> shown = run.report.unmet;
        shown.insert(shown.end(), run.report.wishes.begin(), run.report.wishes.end());
        run.report.accepted =
            accept(plan, message(plan, "msg_AutoDutiesAccept", "Czy zatwierdzić automatycznie wpisane dyżury?"), shown);
    }
    else
        run.report.accepted =
            ask_yes_no(plan, "msg_AutoDutiesAccept", "Czy zatwierdzić automatycznie wpisane dyżury?");
    if (run.report.accepted) {
        accept(plan, run);
    } else {
        discard(plan, run);
    }
    step.end();
    tell_redraw(plan);
}

void run_steps(Plan& plan, run_state& run, const scheduler_choice& choice) {
    const quiet_scope quiet(plan);
    const int algorithm = choice.algorithm > 0 ? choice.algorithm : run.group->algorithm + 1;
    if (algorithm == 2) {
        run.report.algorithm = 2;
        sched::plan_by_search(plan, run, choice);
    } else {
        place_all(plan, run);
        odswiez_iledy(plan);
        for (int w : run.members)
            if (run.adjusted(plan, w)) sched::trim_to_norm(plan, run, w);
        sched::cover_gaps(plan, run);
        sched::place_top_ups(plan, run);
        sched::give_days_off(plan, run);
    }
    // The counts were kept step by step; one full count leaves them exact.
    odswiez_iledy(plan);
    odswiez_ilemy(plan);
    for (int w : run.members) refresh_worker(plan, w);
}

}  // namespace

std::vector<int> sched::group_members(const Plan& plan, const grupa& g) {
    std::vector<int> list;
    for (int w = 0; w < int(plan.workers.size()); ++w)
        if (!plan.workers[w].old && plan.workers[w].inGroup(g.id) && worker_month(plan, w)) list.push_back(w);
    return list;
}

bool sched::run_state::adjusted(const Plan& plan, int worker) const {
    if (!inAutoRun[worker]) return false;
    const prac& p = plan.workers[worker];
    const ms_* m = worker_month(plan, worker);
    return !(p.prefAuto8 && m && m->partTime == 100.0);
}

void resetuj_ustawienia_poczatkowe(Plan& plan) {
    const grupa* g = plan.group();
    if (!g) return;
    plan.patternsReset = true;
    int k = 0;
    for (int w = 0; w < int(plan.workers.size()); ++w) {
        prac& p = plan.workers[size_t(w)];
        if (p.old || !p.inGroup(g->id) || !p.prefSystem) continue;
        note_worker_edit(plan, w);
        const int length = int(p.systemPattern.size());
        // An empty pattern has no position to start from; it keeps its own.
        if (length > 0) p.systemStartFrom = byte((k / length) % length + 1);
        ++k;
    }
}

scheduler_report uloz_planek(Plan& plan, const scheduler_choice& choice) {
    run_state run;
    run.group = plan.group();
    if (!run.group || day_count(plan) == 0) return run.report;
    run.report.ran = true;
    // Opened before anything is placed, so the step holds the month as it was.
    undo_scope step(plan, "undo_Automatic", "Automatyczne rozpisanie dyżurów");
    tell_busy(plan, true);
    if (run.group->resetBeforeAutomat) resetuj_ustawienia_poczatkowe(plan);
    run.members = sched::group_members(plan, *run.group);
    run.inAutoRun.assign(plan.workers.size(), false);
    run.patternPos.assign(plan.workers.size(), 1);
    run_steps(plan, run, choice);
    tell_busy(plan, false);
    tell_redraw(plan);
    ask_and_settle(plan, run, step);
    return run.report;
}

}  // namespace planek
