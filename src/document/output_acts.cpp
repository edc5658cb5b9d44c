#include "document/output_acts.h"

#include "calendar/refresh_hooks.h"
#include "document/act.h"
#include "printouts/period_sums.h"

namespace planek {

namespace {

// The list of a printout for the command line: who it names, in the
// window's order, the first of them chosen.
bool list_for_printout(Plan& plan, const printout_request& r) {
    if (r.people == printout_people::AsListed) return true;
    const grupa* g = plan.group();
    plan.listed.clear();
    for (size_t i = 0; i < plan.workers.size(); ++i) {
        const prac& w = plan.workers[i];
        const bool wanted = r.people == printout_people::OneWorker ? w.id == r.worker
                                                                   : !w.old && g && w.inGroup(g->id);
        if (wanted) plan.listed.push_back({int(i), w.fullName(), false});
    }
    if (plan.listed.empty()) return false;
    plan.currentWorker = plan.listed.front().worker;
    return true;
}

}  // namespace

result<gen_result> make_printout(roster_document& doc, const printout_request& request) {
    act a(doc, change::view | change::entries);
    Plan& plan = a.plan();
    plan.lastTemplate = request.templateFile.string();
    if (!list_for_printout(plan, request)) {
        a.quiet();
        return a.finish(result<gen_result>(refused(
            request.people == printout_people::OneWorker ? refusal_kind::NoWorker : refusal_kind::NoStaff, {})));
    }
    const bool period = !plan.months.empty() && !plan.groups.empty();
    if (period) count_period_for_printout(plan, request.options.allGroups);
    gen_result made = generuj(plan, request.templateFile, request.options);
    // The window goes on with the sums its tabs were opened with.
    if (period && request.people == printout_people::AsListed)
        count_period_for_printout(plan, plan.showWorkers == ShowWorkers::All);
    if (request.people == printout_people::AsListed) a.recount();
    if (!made.ok) {
        const std::string why = made.error;
        return a.finish(result<gen_result>(refused(refusal_kind::Io, why)));
    }
    return a.finish(result<gen_result>(std::move(made)));
}

void count_worker_sums(roster_document& doc, const std::vector<int>& workers, bool allGroups) {
    act a(doc, 0);
    Plan& plan = a.plan();
    for (int w : workers) call_odswiez_pracownika(plan, w, allGroups, plan.currentMonth);
    [[maybe_unused]] const result<> counted = a.finish();
}

}  // namespace planek
