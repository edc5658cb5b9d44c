#include "editing/day_off_dialog_model.h"

#include <algorithm>
#include <optional>

#include "editing/calendar_calls.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/entry_store.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"
#include "editing/symbols.h"

namespace planek {

namespace {

char kind_at(const Plan& plan, int index) {
    if (index < 0 || index >= int(plan.options.dayOffKinds.size())) return 0;
    return day_off_kind_char(plan.options.dayOffKinds[index].code);
}

}  // namespace

void day_off_dialog_model::openAdd(const Plan& plan, int w, int dayIndex) {
    worker = w;
    panel.clear();
    headIndex = -1;
    kindListEnabled = true;
    firstDay = secondDay = dayIndex + first_day_of_month(plan);
    customNorm = false;
    normWithPartTime = false;
    oldNorm = 0;
    refreshNorm(plan);
}

bool day_off_dialog_model::openEdit(const Plan& plan, const std::string& panelName) {
    const std::optional<panel_ref> ref = parse_panel_name(panelName);
    if (!ref || ref->duty) return false;
    const ms_* m = worker_month(plan, ref->worker);
    if (!m || ref->day >= kMaxDays || !m->daysOff[ref->day].used()) return false;
    const wolne_& h = m->daysOff[ref->day];
    worker = ref->worker;
    panel = panelName;
    headIndex = ref->day;
    kindIndex = std::max(0, day_off_kind_row(plan, h.symbol));
    kindListEnabled = false;
    customNorm = h.customNorm;
    normWithPartTime = h.normWithPartTime;
    firstDay = h.dayFrom;
    secondDay = byte(h.symbol) == kNoDutyWanted ? h.normMinutes : h.dayTo;
    oldNorm = h.normMinutes;
    normText = hm_text(customNorm ? h.customNormMinutes : h.normMinutes);
    if (!customNorm) refreshNorm(plan);
    return true;
}

std::vector<std::string> day_off_dialog_model::kindEntries(const Plan& plan) const {
    std::vector<std::string> out;
    // The stored norm cell is a glyph of a symbol font; the list says in words
    // what it means.
    const std::string inNorm = plan.tr.msg("msg_DayOffKindInNorm", "wlicza się do normatywu");
    for (size_t row = 0; row < plan.options.dayOffKinds.size(); ++row) {
        const day_off_kind& k = plan.options.dayOffKinds[row];
        std::string entry = fill_placeholders("[%s] %s", {k.symbol, k.shownName()});
        if (counts_toward_norm(plan, int(row))) entry += "  (" + inNorm + ")";
        out.push_back(std::move(entry));
    }
    return out;
}

bool day_off_dialog_model::noDutyKind(const Plan& plan) const { return byte(kind_at(plan, kindIndex)) == kNoDutyWanted; }

std::string day_off_dialog_model::firstFieldLabel(const Plan& plan) const {
    return noDutyKind(plan) ? plan.tr.msg("msg_OnDay", "Dnia") : plan.tr.tr("f_DayOffAdd", "l_DayOffFrom", "Od");
}

std::string day_off_dialog_model::secondFieldLabel(const Plan& plan) const {
    return noDutyKind(plan) ? plan.tr.msg("msg_OnShift", "na zmianie nr:")
                            : plan.tr.tr("f_DayOffAdd", "l_DayOffTo", "Do");
}

int day_off_dialog_model::rangeNorm(const Plan& plan) const { return day_off_range_norm(plan, worker, args(plan)); }

int day_off_dialog_model::rangeMinutes(const Plan& plan) const {
    return day_off_range_minutes(plan, worker, args(plan));
}

std::string day_off_dialog_model::normLabel(const Plan& plan) const {
    const int n = rangeNorm(plan);
    return plan.weekMode ? std::to_string(n) : hm_text(n);
}

void day_off_dialog_model::refreshNorm(const Plan& plan) {
    if (customNorm || noDutyKind(plan)) return;
    normText = hm_text(rangeMinutes(plan));
}

day_off_args day_off_dialog_model::args(const Plan& plan) const {
    day_off_args a;
    if (worker >= 0 && worker < int(plan.workers.size())) a.worker = plan.workers[size_t(worker)].id;
    a.kind = kind_at(plan, kindIndex);
    a.firstDay = firstDay;
    a.lastDay = secondDay;
    a.shift = secondDay;
    if (customNorm) a.customNorm = std::max(0, hm_minutes(normText));
    a.normWithPartTime = normWithPartTime;
    return a;
}

std::optional<day_off_place> day_off_dialog_model::editedPlace() const {
    if (panel.empty() || headIndex < 0) return std::nullopt;
    return day_off_place{worker, headIndex};
}

wolne_ day_off_dialog_model::buildRecord(const Plan& plan) const { return day_off_record(plan, worker, args(plan)); }

dialog_outcome<day_off_dialog_result> day_off_dialog_model::ok(Plan& plan) {
    if (!worker_month(plan, worker)) return {day_off_dialog_result::Refused, {}};
    const result<day_off_place> stored = store_dialog_day_off(plan, args(plan), editedPlace());
    if (!stored) return {day_off_dialog_result::Refused, stored.error()};
    return {panel.empty() ? day_off_dialog_result::Added : day_off_dialog_result::Edited, said_of(stored)};
}

}  // namespace planek
