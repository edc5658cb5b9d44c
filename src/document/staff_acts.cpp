#include "document/staff_acts.h"

#include "calendar/staffing.h"
#include "document/act.h"
#include "editing/group_model.h"
#include "editing/message_text.h"
#include "files/backups.h"
#include "editing/worker_model.h"
#include "scheduler/scheduler.h"

namespace planek {

namespace {

constexpr unsigned kStaff = change::workers | change::groups | change::entries;

refusal cancelled() { return refused(refusal_kind::Cancelled, {}); }

// The list moved under the history's feet: its steps name workers and groups
// by their place, so they cannot be taken back any more. The month itself
// stays where its file stands if it stood there.
void forget_history(act& a) {
    const bool clean = a.history().atClean();
    a.history().clear();
    if (clean) a.month_on_disk();
}

template <class Record>
bool move_in(std::vector<Record>& list, int from, int to) {
    if (from < 0 || to < 0 || from >= int(list.size()) || to >= int(list.size()) || from == to) return false;
    Record moved = std::move(list[size_t(from)]);
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, std::move(moved));
    return true;
}

}  // namespace

result<int> save_worker(roster_document& doc, const prac& record, int index) {
    const bool adding = index < 0;
    act a(doc, kStaff,
          adding ? undo_label{"undo_WorkerAdd", "Dodaj pracownika"} : undo_label{"undo_WorkerEdit", "Edytuj pracownika"});
    a.write_staff_files();
    Plan& plan = a.plan();
    if (!adding && index >= int(plan.workers.size())) return a.finish(result<int>(refused(refusal_kind::NoWorker, {})));
    if (!dodaj_pracow(plan, record, true, adding ? 0 : plan.workers[size_t(index)].id, index))
        return a.finish(result<int>(cancelled()));
    const int stored = adding ? int(plan.workers.size()) - 1 : index;
    plan.currentWorker = stored;
    return a.finish(result<int>(stored));
}

result<> archive_worker(roster_document& doc, int worker) {
    act a(doc, kStaff, {"undo_WorkerDelete", "Usuń pracownika"});
    a.write_staff_files();
    result<> archived = usun_pracownika(a.plan(), worker);
    if (!archived && !archived.error().said()) archived = cancelled();
    return a.finish(std::move(archived));
}

result<> restore_worker(roster_document& doc, int worker) {
    act a(doc, kStaff, {"undo_WorkerRestore", "Przywróć pracownika"});
    a.write_staff_files();
    if (worker < 0 || worker >= int(a.plan().workers.size()))
        return a.finish(result<>(refused(refusal_kind::NoWorker, {})));
    przywroc_pracownika(a.plan(), worker);
    return a.finish();
}

result<> move_worker(roster_document& doc, int from, int to) {
    act a(doc, change::workers | change::history);
    a.write_staff_files();
    Plan& plan = a.plan();
    if (!move_in(plan.workers, from, to)) {
        a.quiet();
        return a.finish();
    }
    uniewaznij_iledy(plan);
    plan.rebuildWorkerIds();
    if (plan.currentWorker == from) plan.currentWorker = to;
    forget_history(a);
    return a.finish();
}

result<int> save_group(roster_document& doc, const grupa& record, int index) {
    const bool adding = index < 0;
    act a(doc, kStaff | change::days,
          adding ? undo_label{"undo_GroupAdd", "Dodaj grupę"} : undo_label{"undo_GroupEdit", "Edytuj grupę"});
    a.write_staff_files();
    Plan& plan = a.plan();
    if (!adding && index >= int(plan.groups.size())) return a.finish(result<int>(refused(refusal_kind::NoGroup, {})));
    dodaj_grupe(plan, record, index);
    const int stored = adding ? int(plan.groups.size()) - 1 : index;
    plan.currentGroup = stored;
    return a.finish(result<int>(stored));
}

result<> save_group_defaults(roster_document& doc, const group_norm_defaults& defaults) {
    act a(doc, unsigned(change::groups), {"undo_GroupEdit", "Edytuj grupę"});
    a.write_staff_files();
    if (!zapisz_domyslne_grupy(a.plan(), defaults)) return a.finish(result<>(refused(refusal_kind::NoGroup, {})));
    return a.finish();
}

result<> reset_pattern_starts(roster_document& doc) {
    act a(doc, change::workers | change::groups, {"undo_GroupEdit", "Edytuj grupę"});
    a.write_staff_files();
    resetuj_start_wzorcow(a.plan());
    return a.finish();
}

result<> delete_group(roster_document& doc, int group) {
    act a(doc, kStaff | change::days, {"undo_GroupDelete", "Usuń grupę"});
    a.write_staff_files();
    result<> deleted = usun_grupe(a.plan(), group);
    if (!deleted && !deleted.error().said()) deleted = cancelled();
    return a.finish(std::move(deleted));
}

result<> move_group(roster_document& doc, int from, int to) {
    act a(doc, change::groups | change::history);
    a.write_staff_files();
    Plan& plan = a.plan();
    if (!move_in(plan.groups, from, to)) {
        a.quiet();
        return a.finish();
    }
    uniewaznij_iledy(plan);
    plan.currentGroup = to;
    forget_history(a);
    return a.finish();
}

result<> restore_staff_copy(roster_document& doc) {
    act a(doc, 0);
    if (!a_RestoreWorkers(a.plan())) return a.finish(result<>(cancelled()));
    return a.finish(result<>().with(notice(message(a.plan(), "msg_RestartToFinishRestore",
                                                   "By dokończyć proces odzyskiwania uruchom ponownie program."))));
}

}  // namespace planek
