#include "document/view_acts.h"

#include <cstdio>

#include "document/act.h"
#include "document/figures.h"

namespace planek {

result<> show_group(roster_document& doc, int group) {
    if (group < 0 || group >= int(doc.plan().groups.size())) return refused(refusal_kind::NoGroup, {});
    act a(doc, change::view | change::days | change::workers);
    a.plan().currentGroup = group;
    return a.finish();
}

result<> show_worker(roster_document& doc, int worker) {
    if (worker < 0 || worker >= int(doc.plan().workers.size())) return refused(refusal_kind::NoWorker, {});
    act a(doc, change::view | change::entries);
    a.plan().currentWorker = worker;
    a.worker(worker);
    return a.finish();
}

result<> show_workers(roster_document& doc, ShowWorkers which, bool archivedToo) {
    act a(doc, change::view | change::workers);
    a.plan().showWorkers = which;
    a.plan().showDeleted = archivedToo;
    return a.finish();
}

result<> show_entries(roster_document& doc, int showWho, const std::array<bool, 4>& dutyAs) {
    act a(doc, change::view | change::entries);
    a.plan().showWho = showWho;
    a.plan().dutyAsFilter = dutyAs;
    return a.finish();
}

result<> select_cell(roster_document& doc, int dayIndex, int slot) {
    act a(doc, unsigned(change::view));
    a.plan().selectedCellDay = dayIndex;
    a.plan().selectedCellShift = dayIndex >= 0 ? slot : -1;
    return a.finish();
}

result<> recount(roster_document& doc) {
    act a(doc, kEverything);
    a.recount();
    return a.finish();
}

result<> remember_template(roster_document& doc, const std::string& file) {
    act a(doc, 0);
    a.plan().lastTemplate = file;
    return a.finish();
}

void list_outsiders(roster_document& doc, const std::vector<int>& workers) {
    act a(doc, 0);
    Plan& plan = a.plan();
    usun_tymczasowych_pracownikow(plan);
    for (int w : workers) {
        if (w < 0 || w >= int(plan.workers.size())) continue;
        bool listed = false;
        for (const listed_worker& lw : plan.listed) listed = listed || lw.worker == w;
        if (listed) continue;
        const prac& p = plan.workers[size_t(w)];
        char head[16];
        std::snprintf(head, sizeof head, "%.4d=", w);
        plan.listed.push_back({w, head + p.surname + " " + p.firstName + "\xC2\xA4", true});
    }
    [[maybe_unused]] const result<> quiet = a.finish();
}

result<warnings_report> check_warnings(roster_document& doc) {
    act a(doc, change::view | change::entries);
    a.recount();
    warnings_report report = a_WarningsExecute(a.plan());
    switch (report.outcome) {
        case warnings_outcome::NoGroup:
            return a.finish(result<warnings_report>(refused(refusal_kind::NoGroup, {})));
        case warnings_outcome::WeekMode:
            return a.finish(result<warnings_report>(
                refused(refusal_kind::Notice, a.plan().tr.msg("msg_WarningsWeekMode", kWarningsWeekMode))));
        case warnings_outcome::WriteFailed: {
            // The findings stand even when their file could not be written.
            const std::string why = report.error;
            return a.finish(result<warnings_report>(std::move(report)).with(refused(refusal_kind::Io, why)));
        }
        default:
            return a.finish(result<warnings_report>(std::move(report)));
    }
}

}  // namespace planek
