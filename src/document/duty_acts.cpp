#include "document/duty_acts.h"

#include <algorithm>

#include "calendar/staffing.h"
#include "core/text.h"
#include "document/act.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/duty_moves.h"
#include "editing/entry_store.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"
#include "scheduler/scheduler.h"

namespace planek {

namespace {

refusal no_such_duty() { return refused(refusal_kind::NoSuchEntry, {}); }

refusal no_worker(const Plan& plan) {
    return refused(refusal_kind::NoWorker, message(plan, "msg_WorkerNeed", "Najpierw należy dodać pracownika."));
}

std::string panel_of(const duty_place& at) { return duty_panel_name(at.worker, at.dayIndex, at.position); }

// The id of the duty a rule left behind a panel name.
duty_id id_behind(const Plan& plan, const std::string& panel) {
    const std::optional<panel_ref> ref = parse_panel_name(panel);
    if (!ref) return {};
    return duty_at(plan, {ref->worker, ref->day, ref->position}).value_or(duty_id{});
}


// What a drop on the calendar gave, as an act's result.
result<duty_id> dropped(const Plan& plan, const drop_result& r, drop_outcome wanted) {
    if (r.outcome == wanted) {
        result<duty_id> done(id_behind(plan, r.panel));
        done.note(r.said);
        return done;
    }
    if (r.outcome == drop_outcome::Cancelled) return refused(refusal_kind::Cancelled, {});
    return r.said.said() ? r.said : no_such_duty();
}

}  // namespace

result<dyzur> duty_for_cell(const roster_document& doc, int worker, int dayIndex, int shift) {
    // Nothing changes here; only the question may be asked.
    const drop_result r = przygotuj_dyzur(doc.plan(), worker, dayIndex, shift);
    if (r.outcome == drop_outcome::Cancelled) return refused(refusal_kind::Cancelled, {});
    if (r.outcome != drop_outcome::OpenDutyDialog) return r.said.said() ? r.said : no_such_duty();
    return r.duty;
}

result<duty_added> add_duty(roster_document& doc, const duty_args& args) {
    act a(doc, unsigned(change::entries), {"undo_DutyAdd", "Dodaj dyżur"});
    Plan& plan = a.plan();
    const int w = plan.workerIndexById(args.worker);
    if (w < 0) return a.finish(result<duty_added>(no_worker(plan)));
    a.worker(w);
    const result<duty_stored> stored = store_dialog_duty(plan, args, std::nullopt, rozpisz_8_z_dialogu);
    if (!stored) return a.finish(failed_as<duty_added>(stored));
    result<duty_added> added(duty_added{duty_at(plan, stored->at).value_or(duty_id{}), stored->filledMonth});
    added.note_all(stored.notes);
    return a.finish(std::move(added));
}

result<duty_id> add_shift_duty(roster_document& doc, int worker, int dayIndex, int shift) {
    act a(doc, unsigned(change::entries), {"undo_DutyAdd", "Dodaj dyżur"});
    a.worker(worker);
    const drop_result r = upusc_dyzur(a.plan(), worker, dayIndex, shift, true);
    return a.finish(dropped(a.plan(), r, drop_outcome::Added));
}

result<duty_id> edit_duty(roster_document& doc, duty_id duty, const duty_args& changed) {
    act a(doc, unsigned(change::entries), {"undo_DutyEdit", "Zmień dyżur"});
    Plan& plan = a.plan();
    const std::optional<duty_place> at = find_duty(plan, duty);
    if (!at) return a.finish(result<duty_id>(no_such_duty()));
    a.worker(at->worker);
    const result<duty_stored> stored = store_dialog_duty(plan, changed, at);
    if (!stored) return a.finish(failed_as<duty_id>(stored));
    result<duty_id> edited(duty_at(plan, stored->at).value_or(duty_id{}));
    edited.note_all(stored.notes);
    return a.finish(std::move(edited));
}

namespace {

result<duty_id> drop_duty(roster_document& doc, duty_id duty, int dayIndex, int shift, bool copy) {
    act a(doc, unsigned(change::entries),
          copy ? undo_label{"undo_DutyCopy", "Kopiuj dyżur"} : undo_label{"undo_DutyMove", "Przenieś dyżur"});
    const std::optional<duty_place> at = find_duty(a.plan(), duty);
    if (!at) return a.finish(result<duty_id>(no_such_duty()));
    a.worker(at->worker);
    const drop_result r = upusc_panel_dyzuru(a.plan(), panel_of(*at), dayIndex, shift, copy);
    if (r.outcome == drop_outcome::Nothing) return a.finish(result<duty_id>(duty));  // the same cell
    return a.finish(dropped(a.plan(), r, copy ? drop_outcome::Copied : drop_outcome::Moved));
}

}  // namespace

result<duty_id> move_duty(roster_document& doc, duty_id duty, int dayIndex, int shift) {
    return drop_duty(doc, duty, dayIndex, shift, false);
}

result<duty_id> copy_duty(roster_document& doc, duty_id duty, int dayIndex, int shift) {
    return drop_duty(doc, duty, dayIndex, shift, true);
}

result<duty_id> split_duty(roster_document& doc, duty_id duty, int minute) {
    act a(doc, unsigned(change::entries), {"undo_DutySplit", "Podziel dyżur"});
    Plan& plan = a.plan();
    const std::optional<duty_place> at = find_duty(plan, duty);
    if (!at) return a.finish(result<duty_id>(no_such_duty()));
    a.worker(at->worker);
    const split_result r = podziel_dyzur(plan, panel_of(*at), minute);
    if (r.outcome != split_outcome::Split) return a.finish(result<duty_id>(r.said.said() ? r.said : no_such_duty()));
    refresh_worker(plan, at->worker);
    return a.finish(result<duty_id>(id_behind(plan, r.secondPanel)));
}

result<> remove_duty(roster_document& doc, duty_id duty, bool confirm) {
    act a(doc, unsigned(change::entries), {"undo_DutyDelete", "Usuń dyżur"});
    Plan& plan = a.plan();
    const std::optional<duty_place> at = find_duty(plan, duty);
    if (!at) return a.finish(result<>(no_such_duty()));
    a.worker(at->worker);
    if (confirm) {
        if (!usun_dyzur_panelu(plan, panel_of(*at))) return a.finish(result<>(refused(refusal_kind::Cancelled, {})));
    } else {
        kosz(plan, panel_of(*at));
    }
    return a.finish();
}

result<> remove_entries(roster_document& doc, const remove_dialog_model& dialog) {
    act a(doc, unsigned(change::entries), {"undo_BulkRemove", "Usuń dyżury i wolne"});
    a.recount();
    if (!dialog.ok(a.plan())) return a.finish(result<>(refused(refusal_kind::Cancelled, {})));
    return a.finish();
}

result<> remove_entries(roster_document& doc, bulk_removal what) {
    act a(doc, unsigned(change::entries), {"undo_BulkRemove", "Usuń dyżury i wolne"});
    a.recount();
    if (!usun_zbiorczo(a.plan(), what)) return a.finish(result<>(refused(refusal_kind::Cancelled, {})));
    return a.finish();
}

}  // namespace planek
