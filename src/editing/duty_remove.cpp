#include "editing/duty_remove.h"

#include <optional>

#include "core/text.h"

#include "calendar/staffing.h"
#include "editing/calendar_calls.h"
#include "editing/day_off_rules.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"

namespace planek {

namespace {

bool skip_duty(const Plan& plan, const dyzur& d, int at, int position, bool onlyProposed, bool onlySelectedGroup) {
    if (position >= 0 && at != position) return true;
    if (onlySelectedGroup && (!plan.group() || d.groupId != plan.group()->id)) return true;
    if (onlyProposed && d.loaded) return true;
    return false;
}

// Removes position at of a day and renames the panels that move down.
void remove_at(std::vector<dyzur>& list, int worker, int dayIndex, int at, std::vector<panel_rename>& renames) {
    for (int j = at + 1; j < int(list.size()); ++j)
        renames.push_back({duty_panel_name(worker, dayIndex, j), duty_panel_name(worker, dayIndex, j - 1)});
    list.erase(list.begin() + at);
}

}  // namespace

std::vector<panel_rename> usun_dyzur_dx(Plan& plan, int worker, int firstIndex, int lastIndex, bool noConfirm,
                                        bool onlyProposed, bool refresh, bool onlySelectedGroup, int position) {
    std::vector<panel_rename> renames;
    ms_* m = worker_month(plan, worker);
    if (!m) return renames;
    if (!noConfirm && !ask_yes_no(plan, "msg_ConfirmDelete", "Czy napewno usunąć?")) return renames;
    const worker_staffing_share share(plan, worker);
    const int from = std::max(0, firstIndex);
    const int to = std::min(lastIndex, kMaxDays - 1);
    if (!onlySelectedGroup && !onlyProposed && position < 0) {
        for (int i = from; i <= to; ++i) m->duties[i].clear();
    } else {
        for (int i = from; i <= to; ++i) {
            std::vector<dyzur>& list = m->duties[i];
            bool removed = false;
            for (int at = int(list.size()) - 1; at >= 0; --at) {
                if (skip_duty(plan, list[at], at, position, onlyProposed, onlySelectedGroup)) continue;
                remove_at(list, worker, i, at, renames);
                removed = true;
            }
            if (removed && m->daysOff[i].blocks) aktualizuj_urlop(plan, worker, i);
        }
    }
    if (refresh) refresh_worker(plan, worker);
    return renames;
}

std::vector<panel_rename> kosz(Plan& plan, const std::string& panel) {
    const std::optional<panel_ref> ref = parse_panel_name(panel);
    if (!ref) return {};
    if (ref->duty) return usun_dyzur_dx(plan, ref->worker, ref->day, ref->day, true, false, true, false, ref->position);
    usun_wolne(plan, ref->worker, ref->day, ref->day, true, false, false, true);
    return {};
}

bool usun_dyzur_panelu(Plan& plan, const std::string& panel) {
    const std::optional<panel_ref> ref = parse_panel_name(panel);
    if (!ref || !ref->duty) return false;
    const ms_* m = worker_month(plan, ref->worker);
    if (!m || ref->day >= kMaxDays || ref->position >= int(m->duties[ref->day].size())) return false;
    if (m->duties[ref->day][ref->position].onRequest &&
        !ask_yes_no(plan, "msg_ConfirmOnRequestDutyDelete",
                    "Dyżur, który chcesz usunąć został oznaczony jako \"na życzenie\"%s Czy na pewno go usunąć?",
                    {kLineBreak}))
        return false;
    kosz(plan, panel);
    return true;
}

void remove_dialog_model::open(const std::string& menuItemName) {
    const std::string name = lower_pl(menuItemName);
    duties = name.find("duties") != std::string::npos;
    daysOff = name.find("dayoff") != std::string::npos;
}

std::string remove_dialog_model::workerScopeCaption(const Plan& plan) const {
    std::string surname, first;
    if (plan.currentWorker >= 0 && plan.currentWorker < int(plan.workers.size())) {
        surname = plan.workers[plan.currentWorker].surname;
        first = plan.workers[plan.currentWorker].firstName;
    }
    return fill_placeholders(plan.tr.tr("f_Remove", "rg_RemoveFor0", "tylko dla: %s %s"), {surname, first});
}

std::string remove_dialog_model::groupScopeCaption(const Plan& plan) const {
    const std::string name = plan.group() ? plan.group()->name : std::string();
    return fill_placeholders(plan.tr.tr("f_Remove", "rg_RemoveFrom0", "z grupy: %s"), {name});
}

namespace {

void remove_duties(Plan& plan, int worker, bool selectedGroupOnly) {
    usun_dyzur_dx(plan, worker, 0, month_day_count(plan) - 1, true, false, true, selectedGroupOnly, -1);
}

void remove_days_off(Plan& plan, int worker, bool selectedGroupOnly) {
    usun_wolne(plan, worker, 0, month_day_count(plan) - 1, true, selectedGroupOnly, false, true);
}

// The current worker alone, or every worker of the table.
std::vector<int> workers_in_scope(const Plan& plan, bool currentOnly) {
    std::vector<int> list;
    if (currentOnly) {
        if (plan.currentWorker >= 0 && plan.currentWorker < int(plan.workers.size()))
            list.push_back(plan.currentWorker);
    } else {
        for (int i = 0; i < int(plan.workers.size()); ++i) list.push_back(i);
    }
    return list;
}

}  // namespace

bool remove_dialog_model::ok(Plan& plan) const {
    if (!duties && !daysOff) return false;
    if (!ask_yes_no(plan, "msg_ConfirmDutiesRemove",
                    "Usunąć wskazane dyżury i/lub wolne?%sUwaga! Podjętej decyzji już nie będzie można cofnąć.",
                    {kLineBreak}))
        return false;
    for (int w : workers_in_scope(plan, currentWorkerOnly)) {
        if (duties) remove_duties(plan, w, selectedGroupOnly);
        if (daysOff) remove_days_off(plan, w, selectedGroupOnly);
    }
    return true;
}

namespace {

struct bulk_text {
    const char* key;
    const char* fallback;
};

bulk_text question(bulk_removal what) {
    switch (what) {
        case bulk_removal::DutiesOfWorker:
            return {"msg_ConfirmDutiesDelete", "Usunąć wszystkie dyżury w wybranym miesiącu %s wybranego pracownika?"};
        case bulk_removal::DutiesOfGroup:
            return {"msg_ConfirmGroupDutiesDelete",
                    "Usunąć wszystkie dyżury w wybranym miesiącu dla wybranej grupy? %s Uwaga! Podjętej decyzji już "
                    "nie będzie można cofnąć."};
        case bulk_removal::AllDuties:
            return {"msg_ConfirmAllDutiesDelete",
                    "Usunąć wszystkie dyżury wszystkich grup w wybranym miesiącu? %s Uwaga! Podjętej decyzji już nie "
                    "będzie można cofnąć."};
        case bulk_removal::DaysOffOfWorker:
            return {"msg_ConfirmDaysOffDelete", "Usunąć wszystkie wolne w wybranym miesiącu %s dla wybranego pracownika?"};
        case bulk_removal::DaysOffOfGroup:
            return {"msg_ConfirmGroupDaysOffDelete",
                    "Usunąć wszystkie wolne w wybranym miesiącu dla wybranej grupy? %s Uwaga! Podjętej decyzji już nie "
                    "będzie można cofnąć."};
        case bulk_removal::AllDaysOff:
            break;
    }
    return {"msg_ConfirmAllDaysOffDelete",
            "Usunąć wszystkie wolne z wszystkich grup w wybranym miesiącu? %s Uwaga! Podjętej decyzji już nie będzie "
            "można cofnąć."};
}

}  // namespace

bool usun_zbiorczo(Plan& plan, bulk_removal what) {
    const bulk_text q = question(what);
    if (!ask_yes_no(plan, q.key, q.fallback, {kLineBreak})) return false;
    const bool workerOnly = what == bulk_removal::DutiesOfWorker || what == bulk_removal::DaysOffOfWorker;
    const bool groupOnly = what == bulk_removal::DutiesOfGroup || what == bulk_removal::DaysOffOfGroup;
    const bool duties = what == bulk_removal::DutiesOfWorker || what == bulk_removal::DutiesOfGroup ||
                        what == bulk_removal::AllDuties;
    for (int w : workers_in_scope(plan, workerOnly)) {
        if (duties) {
            remove_duties(plan, w, groupOnly);
        } else {
            remove_days_off(plan, w, groupOnly);
        }
    }
    return true;
}

}  // namespace planek
