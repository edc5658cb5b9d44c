#include "calendar/staffing.h"
#include "editing/duty_dialog_model.h"

#include <algorithm>
#include <optional>

#include "calendar/calendar_grid.h"
#include "core/text.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/duty_remove.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"

namespace planek {

namespace {

int month_duty_minutes(const ms_& m) {
    int total = 0;
    for (const auto& list : m.duties)
        for (const dyzur& d : list) total += d.length;
    return total;
}

}  // namespace

const zmiana_* duty_dialog_model::chosenShift(const Plan& plan) const {
    const grupa* g = plan.group();
    if (!g || g->shifts.empty()) return nullptr;
    return &g->shifts[chosenShiftNumber(plan) - 1];
}

int duty_dialog_model::chosenShiftNumber(const Plan& plan) const {
    const grupa* g = plan.group();
    const int count = g ? int(g->shifts.size()) : 0;
    return std::clamp(shift, 1, std::max(1, count));
}

const dyzur* duty_dialog_model::editedDuty(const Plan& plan) const {
    if (panel.empty()) return nullptr;
    const ms_* m = worker_month(plan, worker);
    if (!m || dayIndex < 0 || dayIndex >= kMaxDays) return nullptr;
    if (editPosition < 0 || editPosition >= int(m->duties[dayIndex].size())) return nullptr;
    return &m->duties[dayIndex][editPosition];
}

std::vector<int> duty_dialog_model::groupTableIndexes(const Plan& plan) const {
    std::vector<int> out;
    for (int i = 0; i < int(plan.groups.size()); ++i)
        if (!plan.groups[i].old) out.push_back(i);
    return out;
}

std::vector<std::string> duty_dialog_model::groupEntries(const Plan& plan) const {
    std::vector<std::string> out;
    for (int i : groupTableIndexes(plan)) out.push_back(std::to_string(plan.groups[i].id) + "=" + plan.groups[i].name);
    return out;
}

int duty_dialog_model::selectedGroupIndex(const Plan& plan) const {
    const std::vector<int> idx = groupTableIndexes(plan);
    return groupIndex >= 0 && groupIndex < int(idx.size()) ? idx[groupIndex] : -1;
}

std::vector<std::string> duty_dialog_model::dutyAsEntries(const Plan& plan) const {
    std::vector<std::string> out;
    for (const dutyas_& d : plan.dutyAs) out.push_back(d.name);
    return out;
}

void duty_dialog_model::openAdd(Plan& plan, int w, int day, const dyzur& prepared) {
    refresh_worker(plan, w);
    worker = w;
    dayIndex = day;
    shift = prepared.shift;
    editPosition = -1;
    panel.clear();
    type = openedType = duty_type::WholeShift;
    worker8 = false;
    startText = hm_text(prepared.start, true);
    timeText.clear();
    overtimeText = "00:00";
    note.clear();
    onRequest = medical = alsoOvertime = false;
    overtimeEnabled = true;
    const int def = (w >= 0 && w < int(plan.workers.size())) ? plan.workers[w].employmentFrom : 0;
    dutyAsIndex = std::clamp(def, 0, 3);
    dayOfMonth = prepared.day ? prepared.day : day + first_day_of_month(plan);
    groupIndex = -1;
    const std::vector<int> idx = groupTableIndexes(plan);
    for (int i = 0; i < int(idx.size()); ++i)
        if (idx[i] == plan.currentGroup) groupIndex = i;
}

bool duty_dialog_model::openEdit(Plan& plan, const std::string& panelName) {
    const std::optional<panel_ref> ref = parse_panel_name(panelName);
    if (!ref || !ref->duty) return false;
    const ms_* m = worker_month(plan, ref->worker);
    if (!m || ref->day >= kMaxDays || ref->position >= int(m->duties[ref->day].size())) return false;
    refresh_worker(plan, ref->worker);
    const dyzur d = m->duties[ref->day][ref->position];
    worker = ref->worker;
    dayIndex = ref->day;
    editPosition = ref->position;
    panel = panelName;
    shift = d.shift;
    const prac& p = plan.workers[worker];
    // Each later match replaces an earlier one.
    type = duty_type::Other;
    worker8 = false;
    if (d.length == plan.dyz8 || d.length == p.dailyNorm) {
        type = duty_type::Eight;
        worker8 = p.dailyNorm != plan.dyz8 && d.length == p.dailyNorm;
    }
    if (d.length == plan.dyz12) type = duty_type::WholeShift;
    if (d.length == group_top_up(plan)) type = duty_type::GroupTopUp;
    openedType = type;
    timeText = hm_text(d.length);
    startText = hm_text(d.start, true);
    overtimeText = hm_text(d.overtime);
    note = d.note;
    onRequest = d.onRequest;
    medical = d.medical;
    alsoOvertime = d.alsoOvertime;
    overtimeEnabled = !alsoOvertime;
    dutyAsIndex = std::clamp(int(d.dutyAs) - 1, 0, 3);
    dayOfMonth = d.day;
    groupIndex = -1;
    const std::vector<int> idx = groupTableIndexes(plan);
    for (int i = 0; i < int(idx.size()); ++i)
        if (plan.groups[idx[i]].id == d.groupId) groupIndex = i;
    return true;
}

std::string duty_dialog_model::captionLine(const Plan& plan) const {
    if (worker < 0 || worker >= int(plan.workers.size())) return {};
    return plan.workers[worker].surname + " " + plan.workers[worker].firstName;
}

std::string duty_dialog_model::dateLine(const Plan& plan) const {
    if (plan.weekMode) {
        // The column's own number, as the calendar, the day list and the file give it.
        const std::string word = plan.tr.tr("f_WorkerAdd", "cb_AutoAsWeek", "Tydzień");
        return lower_pl(fill_placeholders("%d %s", {std::to_string(dayOfMonth), word}));
    }
    return date_in_words(plan, plan.year, plan.month, dayOfMonth);
}

std::string duty_dialog_model::shiftBarLabels(const Plan& plan) const {
    const zmiana_* s = chosenShift(plan);
    if (!s) return {};
    return "| " + hm_text(s->start, true) + "\t" + hm_text(s->start + s->length, true) + " |";
}

bool duty_dialog_model::worker8Visible(const Plan& plan) const {
    return worker >= 0 && worker < int(plan.workers.size()) && plan.workers[worker].dailyNorm != plan.dyz8;
}

int duty_dialog_model::length(const Plan& plan) const {
    switch (type) {
        case duty_type::None:
            return -1;
        case duty_type::Eight:
            return worker8 && worker >= 0 && worker < int(plan.workers.size()) ? plan.workers[worker].dailyNorm
                                                                                : plan.dyz8;
        case duty_type::WholeShift: {
            const zmiana_* s = chosenShift(plan);
            return s ? s->length : 0;
        }
        case duty_type::WorkerTopUp: {
            const dyzur* d = editedDuty(plan);
            if (d && openedType == duty_type::WorkerTopUp) return d->length;
            return worker_top_up(plan, worker);
        }
        case duty_type::GroupTopUp:
            return group_top_up(plan);
        case duty_type::Other:
            break;
    }
    return hm_minutes(timeText);
}

namespace {

// The length the bar shows for the worker's top-up.
int bar_top_up(const Plan& plan, const duty_dialog_model& m, const dyzur* edited) {
    const int topUp = worker_top_up(plan, m.worker);
    if (topUp > 0 && m.openedType != duty_type::WorkerTopUp) return topUp;
    const ms_* month = worker_month(plan, m.worker);
    const bool dayHasDuties = month && m.dayIndex >= 0 && m.dayIndex < kMaxDays && !month->duties[m.dayIndex].empty();
    if (edited && dayHasDuties) return edited->length;
    return topUp > 0 ? topUp : 0;
}

}  // namespace

duty_bar duty_dialog_model::bar(const Plan& plan) const {
    duty_bar b;
    const zmiana_* s = chosenShift(plan);
    const int len = type == duty_type::WorkerTopUp ? bar_top_up(plan, *this, editedDuty(plan)) : length(plan);
    if (!s || type == duty_type::None || int(s->length) <= len) return b;
    b.enabled = true;
    b.max = s->length - 1;
    b.thumb = len;
    const int start = hm_minutes(startText);
    b.position = start - int(s->start) + (start < int(s->start) ? 1440 : 0);
    const int from = s->start + b.position;
    b.hint = hm_text(from, true) + " - " + hm_text(from + len, true);
    return b;
}

std::string duty_dialog_model::typeCaption(const Plan& plan) const {
    const int len = type == duty_type::WorkerTopUp ? bar_top_up(plan, *this, editedDuty(plan)) : length(plan);
    return message(plan, "msg_DutyDuration", "Czas trwania dyżuru: %s", {hm_text(std::max(len, 0))});
}

bool duty_dialog_model::moveBar(const Plan& plan, int position) {
    const duty_bar b = bar(plan);
    const zmiana_* s = chosenShift(plan);
    if (!b.enabled || !s || position < 0 || position + b.thumb > int(s->length)) return false;
    startText = hm_text(s->start + position, true);
    return true;
}

void duty_dialog_model::setWorker8(bool on) {
    worker8 = on;
    if (on) type = duty_type::Eight;
}

void duty_dialog_model::setTimeText(const std::string& text) {
    timeText = text;
    type = duty_type::Other;
}

void duty_dialog_model::setAlsoOvertime(bool on) {
    alsoOvertime = on;
    overtimeEnabled = !on;
    if (on) overtimeText = " 00:00";
}

dyzur duty_dialog_model::buildDuty(const Plan& plan) const {
    dyzur d;
    if (const dyzur* old = editedDuty(plan)) d = *old;
    d.length = word(std::max(0, length(plan)));
    const int start = hm_minutes(startText);
    d.start = word(start == 0 ? 1440 : std::clamp(start, 0, 1440));
    d.overtime = smallint(alsoOvertime ? 0 : hm_minutes(overtimeText));
    if (worker >= 0 && worker < int(plan.workers.size())) d.workerId = plan.workers[worker].id;
    const int g = selectedGroupIndex(plan);
    if (g >= 0) {
        d.groupId = plan.groups[g].id;
    } else if (!editedDuty(plan) && plan.group()) {
        d.groupId = plan.group()->id;
    }
    d.day = word(dayOfMonth);
    d.shift = byte(shift);
    d.dutyAs = byte(dutyAsIndex + 1);
    d.note = utf8_left(note, 30);
    d.onRequest = onRequest;
    d.medical = medical;
    d.alsoOvertime = alsoOvertime;
    d.loaded = true;
    return d;
}

dialog_outcome<duty_dialog_result> duty_dialog_model::ok(Plan& plan, const fill_month_fn& fillMonth) {
    const int len = length(plan);
    // A negative typed length has no duty behind it (and would wrap round).
    if (len < 0 || !worker_month(plan, worker))
        return {duty_dialog_result::NoLength,
                {refusal_kind::NoDutyLength,
                 message(plan, "msg_DutyDurationNeeded", "Aby dodać dyżur należy określić jego czas trwania!")}};
    const dyzur d = buildDuty(plan);
    const prac& p = plan.workers[worker];
    const worker_staffing_share share(plan, worker);
    if (fillMonth && len > 0 && len == p.dailyNorm && month_duty_minutes(*worker_month(plan, worker)) == 0 &&
        ask_yes_no(plan, "msg_SetDutyForEntireMonth", "Czy rozpisać wybrany dyżur na cały miesiąc?")) {
        fillMonth(plan, d, worker);
        plan.modified = true;
        return {duty_dialog_result::FilledMonth, {}};
    }
    const int target = int(d.day) - first_day_of_month(plan);
    edit_result stored;
    if (panel.empty()) {
        stored = dodaj_dyzur(plan, d, -1, true, worker);
    } else if (target == dayIndex) {
        stored = dodaj_dyzur(plan, d, editPosition, true, worker);
    } else {
        // A new day for the edited duty: it leaves its old day, and comes back
        // there unchanged when the new day refuses it.
        const worker_snapshot before(plan, worker);
        usun_dyzur_dx(plan, worker, dayIndex, dayIndex, true, false, false, false, editPosition);
        stored = dodaj_dyzur(plan, d, -1, true, worker);
        if (!stored) before.restore(plan);
    }
    if (!stored) return {duty_dialog_result::Refused, stored.said};
    if (target >= 0 && target < kMaxDays && worker_month(plan, worker)->daysOff[target].blocks)
        aktualizuj_urlop(plan, worker, target);
    refresh_worker(plan, worker);
    plan.modified = true;
    return {panel.empty() ? duty_dialog_result::Added : duty_dialog_result::Edited, stored.said};
}

}  // namespace planek
