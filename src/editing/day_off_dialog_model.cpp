#include "editing/day_off_dialog_model.h"

#include <algorithm>
#include <optional>

#include "editing/calendar_calls.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
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

void day_off_dialog_model::openAdd(Plan& plan, int w, int dayIndex) {
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

bool day_off_dialog_model::openEdit(Plan& plan, const std::string& panelName) {
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

namespace {

struct day_range {
    int from, to;
};

day_range range_indexes(const Plan& plan, int firstDay, int secondDay) {
    const int base = first_day_of_month(plan);
    const int last = std::max(0, month_day_count(plan) - 1);
    return {std::clamp(std::min(firstDay, secondDay) - base, 0, last),
            std::clamp(std::max(firstDay, secondDay) - base, 0, last)};
}

}  // namespace

int day_off_dialog_model::rangeNorm(Plan& plan) const {
    if (plan.weekMode) {
        const day_range r = range_indexes(plan, firstDay, secondDay);
        return working_days(plan, r.from, r.to);
    }
    return rangeMinutes(plan);
}

int day_off_dialog_model::rangeMinutes(Plan& plan) const {
    const auto [from, to] = range_indexes(plan, firstDay, secondDay);
    wolne_ settings;
    settings.customNorm = customNorm;
    settings.customNormMinutes = word(std::max(0, hm_minutes(normText)));
    settings.normWithPartTime = normWithPartTime;
    return day_off_norm_for(plan, from, to, worker, settings);
}

std::string day_off_dialog_model::normLabel(Plan& plan) const {
    const int n = rangeNorm(plan);
    return plan.weekMode ? std::to_string(n) : hm_text(n);
}

void day_off_dialog_model::refreshNorm(Plan& plan) {
    if (customNorm || noDutyKind(plan)) return;
    normText = hm_text(rangeMinutes(plan));
}

wolne_ day_off_dialog_model::buildRecord(Plan& plan) const {
    wolne_ w;
    const int custom = std::max(0, hm_minutes(normText));
    w.customNorm = customNorm;
    w.customNormMinutes = word(customNorm ? custom : 0);
    w.normWithPartTime = normWithPartTime;
    if (worker >= 0 && worker < int(plan.workers.size())) w.workerId = plan.workers[worker].id;
    w.groupId = plan.group() ? plan.group()->id : 0;
    w.dayFrom = byte(std::clamp(firstDay, 0, 255));
    w.symbol = kind_at(plan, kindIndex);
    if (byte(w.symbol) == kNoDutyWanted) {
        w.dayTo = w.dayFrom;
        w.normMinutes = word(std::max(0, secondDay));
    } else {
        w.dayTo = byte(std::clamp(std::max(firstDay, secondDay), 0, 255));
        w.normMinutes = word(std::max(0, rangeMinutes(plan)));
    }
    w.loaded = true;
    return w;
}

day_off_dialog_result day_off_dialog_model::ok(Plan& plan) {
    if (!worker_month(plan, worker)) return day_off_dialog_result::Refused;
    const wolne_ w = buildRecord(plan);
    if (panel.empty()) {
        const edit_result added = dodaj_wolne(plan, w, worker, true, true);
        tell_user(*plan.ui, added.said);
        if (!added) return day_off_dialog_result::Refused;
        refresh_worker(plan, worker);
        plan.modified = true;
        return day_off_dialog_result::Added;
    }
    const worker_snapshot before(plan, worker);
    const int newHead = int(w.dayFrom) - first_day_of_month(plan);
    // A day off given a new first day leaves its old head slot.
    if (headIndex >= 0 && newHead != headIndex) free_day_off(*worker_month(plan, worker), headIndex);
    const edit_result added = dodaj_wolne(plan, w, worker, false, true);
    tell_user(*plan.ui, added.said);
    if (!added) {
        before.restore(plan);
        return day_off_dialog_result::Refused;
    }
    const ms_& m = *worker_month(plan, worker);
    const int stored = m.daysOff[newHead].normMinutes;
    if (byte(w.symbol) != kNoDutyWanted && stored != oldNorm) korekta_wolne(plan, worker, oldNorm - stored, false, w.symbol);
    refresh_worker(plan, worker);
    plan.modified = true;
    return day_off_dialog_result::Edited;
}

}  // namespace planek
