#include "document/day_off_acts.h"

#include <algorithm>

#include "document/act.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/entry_store.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"

namespace planek {

namespace {

refusal no_such_day_off() { return refused(refusal_kind::NoSuchEntry, {}); }

result<day_off_id> stored_at(const Plan& plan, const day_off_place& at, const std::vector<refusal>& notes) {
    result<day_off_id> r(day_off_at(plan, at.worker, at.dayIndex).value_or(day_off_id{}));
    r.note_all(notes);
    return r;
}

}  // namespace

result<> day_off_for_cell(const roster_document& doc, int worker, int dayIndex) {
    const drop_result r = upusc_wolne(doc.plan(), worker, dayIndex);
    if (r.outcome == drop_outcome::OpenDayOffDialog) return {};
    return r.said.said() ? r.said : no_such_day_off();
}


result<day_off_id> add_day_off(roster_document& doc, const day_off_args& args) {
    act a(doc, unsigned(change::entries), {"undo_DayOffAdd", "Dodaj wolne"});
    Plan& plan = a.plan();
    const int w = plan.workerIndexById(args.worker);
    if (w < 0) return a.finish(result<day_off_id>(no_such_day_off()));
    a.worker(w);
    const result<day_off_place> stored = store_dialog_day_off(plan, args, std::nullopt);
    if (!stored) return a.finish(failed_as<day_off_id>(stored));
    return a.finish(stored_at(plan, *stored, stored.notes));
}

result<day_off_id> edit_day_off(roster_document& doc, day_off_id dayOff, const day_off_args& changed) {
    act a(doc, unsigned(change::entries), {"undo_DayOffEdit", "Zmień wolne"});
    Plan& plan = a.plan();
    const std::optional<day_off_place> at = find_day_off(plan, dayOff);
    if (!at) return a.finish(result<day_off_id>(no_such_day_off()));
    a.worker(at->worker);
    const result<day_off_place> stored = store_dialog_day_off(plan, changed, at);
    if (!stored) return a.finish(failed_as<day_off_id>(stored));
    return a.finish(stored_at(plan, *stored, stored.notes));
}

result<day_off_id> move_day_off(roster_document& doc, day_off_id dayOff, int dayIndex) {
    act a(doc, unsigned(change::entries), {"undo_DayOffMove", "Przenieś wolne"});
    Plan& plan = a.plan();
    const std::optional<day_off_place> at = find_day_off(plan, dayOff);
    if (!at) return a.finish(result<day_off_id>(no_such_day_off()));
    a.worker(at->worker);
    const drop_result r = upusc_panel_wolnego(plan, day_off_panel_name(at->worker, at->dayIndex), dayIndex);
    if (r.outcome != drop_outcome::Moved)
        return a.finish(result<day_off_id>(r.said.said() ? r.said : no_such_day_off()));
    result<day_off_id> moved(day_off_at(plan, at->worker, dayIndex).value_or(day_off_id{}));
    moved.note(r.said);
    return a.finish(std::move(moved));
}

result<> remove_day_off(roster_document& doc, day_off_id dayOff) {
    act a(doc, unsigned(change::entries), {"undo_DayOffDelete", "Usuń wolne"});
    Plan& plan = a.plan();
    const std::optional<day_off_place> at = find_day_off(plan, dayOff);
    if (!at) return a.finish(result<>(no_such_day_off()));
    a.worker(at->worker);
    kosz(plan, day_off_panel_name(at->worker, at->dayIndex));
    return a.finish();
}

}  // namespace planek
