#include "document/parameter_acts.h"

#include "calendar/summaries.h"
#include "document/act.h"

namespace planek {

namespace {

refusal no_such_day() { return refused(refusal_kind::NoSuchEntry, {}); }

// The acts on a day: one step, the calendar counted again.
template <class Rule>
result<> day_act(roster_document& doc, undo_label label, Rule rule) {
    act a(doc, unsigned(change::days), std::move(label));
    if (!rule(a.plan())) return a.finish(result<>(no_such_day()));
    return a.finish();
}

}  // namespace

result<> toggle_holiday(roster_document& doc, int dayIndex) {
    return day_act(doc, {"undo_Holiday", "Święto"}, [&](Plan& p) { return a_MarkAsHoliday(p, dayIndex); });
}

result<> toggle_er_duty(roster_document& doc, int dayIndex) {
    return day_act(doc, {"undo_ERDuty", "Ostry dyżur"}, [&](Plan& p) { return a_ERDuty(p, dayIndex); });
}

result<> save_day_properties(roster_document& doc, int dayIndex, const std::string& note, bool erDuty) {
    return day_act(doc, {"undo_DayProperties", "Właściwości dnia"},
                   [&](Plan& p) { return zapisz_wlasciwosci_dnia(p, dayIndex, note, erDuty); });
}

result<> restore_default_holiday(roster_document& doc, int dayIndex) {
    return day_act(doc, {"undo_DayProperties", "Właściwości dnia"},
                   [&](Plan& p) { return przywroc_domyslne_swieto(p, dayIndex); });
}

result<ParametersOutcome> change_parameters(roster_document& doc, const plan_parameters& parameters) {
    act a(doc, kEverything);
    const ParametersOutcome outcome = zmien_parametry(a.plan(), parameters);
    if (outcome == ParametersOutcome::Cancelled) {
        // The status and type were applied before the question.
        a.month_off_disk();
        return a.finish(result<ParametersOutcome>(refused(refusal_kind::Cancelled, {})));
    }
    // Status and type are no step of the history; another month forgot it.
    a.month_off_disk();
    return a.finish(result<ParametersOutcome>(outcome));
}

result<> load_overtime(roster_document& doc, const std::filesystem::path& monthFile) {
    act a(doc, unsigned(change::entries), {"undo_OvertimeLoad", "Wczytaj nadgodziny"});
    a.recount();
    return a.finish(nadpracowania_auto_wczytaj(a.plan(), monthFile));
}

result<> clear_overtime(roster_document& doc) {
    act a(doc, unsigned(change::entries), {"undo_OvertimeClear", "Zeruj nadgodziny"});
    a.recount();
    nadpracowania_auto_zeruj(a.plan());
    return a.finish();
}

}  // namespace planek
