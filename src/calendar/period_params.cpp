#include "calendar/period_params.h"

#include <algorithm>

#include "calendar/calendar_grid.h"
#include "calendar/caption_format.h"
#include "calendar/day_table.h"
#include "calendar/holidays.h"
#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "core/plan.h"
#include "core/text.h"

namespace planek {

namespace {

const char* const kDutiesMoveDefault =
    "Czy przenieść rozpisane dyżury do analogicznych dni wybranego miesiąca?%sJuż rozpisane dyżury i "
    "urlopy dla miesiąca %s zostaną utracone.%sJeżeli chcesz je zachować wybierz \"Anuluj\", zapisz "
    "ułożony planek i dopiero po tym zmień miesiąc.";

// The period day of a day index of the shown month, when both exist.
template <class P>
auto period_day_of(P& plan, int dayIndex) -> decltype(&plan.months[0].days[0]) {
    if (plan.currentMonth < 0 || plan.currentMonth >= int(plan.months.size())) return nullptr;
    auto& pm = plan.months[plan.currentMonth];
    if (dayIndex < 0 || dayIndex >= int(pm.days.size()) || dayIndex >= int(plan.days.size())) return nullptr;
    return &pm.days[dayIndex];
}

void after_day_change(Plan& plan) {
    normatyw(plan, false, plan.currentMonth, true);
    if (plan.currentWorker >= 0) call_odswiez_pracownika(plan, plan.currentWorker, false, plan.currentMonth);
}

// Duties and days off keep their day numbers in the new month; what lies
// past its last day goes, and entries running past it end on it.
void keep_on_same_days(Plan& plan, int newDays, int year, int month) {
    for (prac& w : plan.workers) {
        if (plan.currentMonth < 0 || plan.currentMonth >= int(w.months.size())) continue;
        ms_& m = w.months[plan.currentMonth];
        for (int d = 0; d < kMaxDays; ++d) {
            if (d >= newDays) {
                m.duties[d].clear();
                m.daysOff[d] = wolne_{};
                continue;
            }
            for (dyzur& x : m.duties[d]) {
                x.month = byte(month);
                x.year = word(year);
            }
            wolne_& slot = m.daysOff[d];
            if (slot.used() && slot.dayTo > newDays) slot.dayTo = byte(newDays);
        }
    }
}

// The run-time day spans over the whole period gain or lose days at the end
// of the shown month, so the later months keep their days.
void adjust_period_spans(Plan& plan, int oldDays, int newDays) {
    const int delta = newDays - oldDays;
    if (delta == 0) return;
    const size_t end = size_t(dall_from(plan, plan.currentMonth) + oldDays);
    for (prac& w : plan.workers) {
        if (w.dayDuties.size() >= end) {
            if (delta > 0)
                w.dayDuties.insert(w.dayDuties.begin() + long(end), size_t(delta), {});
            else
                w.dayDuties.erase(w.dayDuties.begin() + long(end) + delta, w.dayDuties.begin() + long(end));
        }
        if (w.dayExcluded.size() >= end) {
            if (delta > 0)
                w.dayExcluded.insert(w.dayExcluded.begin() + long(end), size_t(delta), false);
            else
                w.dayExcluded.erase(w.dayExcluded.begin() + long(end) + delta, w.dayExcluded.begin() + long(end));
        }
    }
}

ParametersOutcome change_month(Plan& plan, int year, int month) {
    const int oldDays = int(plan.days.size());
    const int newDays = days_in_month(year, month);
    if (ma_dyzury_lub_wolne(plan)) {
        // Asked before anything moves, so that Cancel leaves the plan whole.
        const std::string text = format_caption(plan.tr.msg("msg_DutiesMove", kDutiesMoveDefault),
                                                {"\r\r", month_name(plan, plan.month), "\r"});
        const Answer a = plan.ui->ask(text, Buttons::YesNoCancel);
        if (a == Answer::Cancel) return ParametersOutcome::Cancelled;
        if (a == Answer::Yes)
            keep_on_same_days(plan, newDays, year, month);
        else
            czysc_dyzury_i_wolne(plan);
    } else {
        czysc_dyzury_i_wolne(plan);
    }
    // Another month: the edits of the one shown before cannot be taken back in it.
    note_month_replaced(plan);
    if (!plan.workers.empty() && oldDays > 0) adjust_period_spans(plan, oldDays, newDays);

    plan.year = year;
    plan.month = month;
    if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size())) {
        miesiac& pm = plan.months[plan.currentMonth];
        pm.year = word(year);
        pm.month = byte(month);
        pm.dayCount = byte(newDays);
        pm.days.resize(size_t(newDays));
    }
    normatyw(plan, true, plan.currentMonth, true);
    for (const listed_worker& lw : plan.listed)
        if (!lw.outsider) call_odswiez_pracownika(plan, lw.worker, false, plan.currentMonth);
    return ParametersOutcome::MonthChanged;
}

size_t utf8_count(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

bool ma_dyzury_lub_wolne(const Plan& plan) {
    if (!plan.orphanDuties.empty() || !plan.orphanDaysOff.empty()) return true;
    for (const prac& w : plan.workers) {
        if (plan.currentMonth < 0 || plan.currentMonth >= int(w.months.size())) continue;
        const ms_& m = w.months[plan.currentMonth];
        for (int d = 0; d < kMaxDays; ++d)
            if (!m.duties[d].empty() || m.daysOff[d].used()) return true;
    }
    return false;
}

ParametersOutcome zmien_parametry(Plan& plan, const plan_parameters& p) {
    plan.approvedStatus = p.approvedStatus;
    plan.planType = p.planType;
    const int year = std::clamp(p.year, 1601, 9999);
    const int month = std::clamp(p.month, 1, 12);
    const int weekCount = std::clamp(p.weekModeCount, 1, kMaxWeekColumns);
    const bool unchanged = p.weekMode == plan.weekMode &&
                           (p.weekMode ? p.weekModeFrom == plan.weekModeFrom && weekCount == plan.weekModeCount
                                       : year == plan.year && month == plan.month);
    plan.weekMode = p.weekMode;
    plan.weekModeFrom = p.weekModeFrom;
    plan.weekModeCount = weekCount;
    if (unchanged) return ParametersOutcome::Unchanged;
    if (p.weekMode) {
        note_month_replaced(plan);
        plan.year = year;
        if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size()))
            plan.months[plan.currentMonth].year = word(year);
        normatyw(plan, true, plan.currentMonth, true);
        return ParametersOutcome::WeekLayout;
    }
    return change_month(plan, year, month);
}

namespace {

std::string list_item(const Plan& plan, const char* key, const char* fallback, int index) {
    const std::vector<std::string> items = caption_items(plan.tr.tr("f_Parameters", key, fallback));
    const std::vector<std::string> builtIn = caption_items(fallback);
    const size_t i = index == 1 ? 1 : 0;
    return i < items.size() ? trim(items[i]) : builtIn[i];
}

}  // namespace

std::string status_name(const Plan& plan, int approvedStatus) {
    return list_item(plan, "rg_Status", "Status: \rniezatwierdzony\nzatwierdzony", approvedStatus);
}

std::string plan_type_name(const Plan& plan, int planType) {
    return list_item(plan, "cb_Type", "Typ: \rplanowany\nzrealizowany", planType);
}

std::string przytnij_notatke(const std::string& note) {
    size_t chars = 0;
    for (size_t i = 0; i < note.size(); ++i) {
        if ((static_cast<unsigned char>(note[i]) & 0xC0) == 0x80) continue;
        if (chars == size_t(kMaxNoteLength)) return note.substr(0, i);
        ++chars;
    }
    return note;
}

std::string l_notes_caption(const Plan& plan, const std::string& note) {
    const long long left = kMaxNoteLength - static_cast<long long>(utf8_count(note));
    return format_caption(plan.tr.tr("f_DayProperties", "l_notes", "Notatki: (pozostało znaków: %d)"),
                          {std::max(left, 0LL)});
}

bool a_MarkAsHoliday(Plan& plan, int dayIndex) {
    day_param* p = period_day_of(plan, dayIndex);
    if (!p) return false;
    p->ownHoliday = p->ownHoliday ? 0 : 1;
    after_day_change(plan);
    return true;
}

bool a_ERDuty(Plan& plan, int dayIndex) {
    day_param* p = period_day_of(plan, dayIndex);
    if (!p) return false;
    p->erDuty = p->erDuty ? 0 : 1;
    after_day_change(plan);
    return true;
}

day_properties wlasciwosci_dnia(const Plan& plan, int dayIndex) {
    day_properties props;
    const day_param* p = period_day_of(plan, dayIndex);
    if (!p) return props;
    props.note = p->note;
    props.erDuty = p->erDuty == 1;
    props.ownHoliday = p->ownHoliday == 1;
    return props;
}

bool zapisz_wlasciwosci_dnia(Plan& plan, int dayIndex, const std::string& note, bool erDuty) {
    day_param* p = period_day_of(plan, dayIndex);
    if (!p) return false;
    p->note = przytnij_notatke(note);
    p->erDuty = erDuty ? 1 : 0;
    normatyw(plan, false, plan.currentMonth, true);
    return true;
}

bool przywroc_domyslne_swieto(Plan& plan, int dayIndex) {
    day_param* p = period_day_of(plan, dayIndex);
    if (!p || p->ownHoliday == 0) return false;
    p->ownHoliday = 0;
    after_day_change(plan);
    return true;
}

}  // namespace planek
