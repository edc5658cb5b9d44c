#include "calendar/norm.h"

#include <algorithm>

#include "calendar/calendar_grid.h"
#include "calendar/caption_format.h"
#include "calendar/day_table.h"
#include "calendar/holidays.h"
#include "calendar/refresh_hooks.h"
#include "calendar/time_text.h"
#include "core/plan.h"

namespace planek {

namespace {

constexpr int kDay = 1440;
const char* const kMainForm = "f_MainForm";

word clamp_word(long long v) { return word(std::clamp<long long>(v, 0, 65535)); }

const group_month_settings* stored_settings(const Plan& plan, const grupa& g, int periodMonth) {
    if (periodMonth == plan.currentMonth) return nullptr;
    if (periodMonth < 0 || periodMonth >= int(g.monthSettings.size())) return nullptr;
    return &g.monthSettings[periodMonth];
}

// The first shift, when it can serve as the yardstick of a duty.
const zmiana_* yardstick_shift(const Plan& plan) {
    const grupa* g = plan.group();
    if (!g || g->shifts.empty() || g->shifts[0].length == 0) return nullptr;
    return &g->shifts[0];
}

void week_mode_captions(Plan& plan) {
    calendar_state& cal = plan.calendar;
    cal.st_Calendar = ":: " + plan.tr.tr(kMainForm, "Calendar", "Kalendarz");
    cal.st_NormaTitle.clear();
    cal.st_normaValue.clear();
}

void month_captions(Plan& plan) {
    calendar_state& cal = plan.calendar;
    if (plan.days.empty()) {
        cal.st_Calendar.clear();
        cal.st_NormaTitle.clear();
        cal.st_normaValue.clear();
        return;
    }
    cal.st_Calendar = format_caption(plan.tr.tr(kMainForm, "st_Calendar", " :: Kalendarz: %s %d"),
                                     {month_name(plan, plan.month), (long long)plan.year});
    const zmiana_* shift = yardstick_shift(plan);
    if (!shift) {
        // Without a first shift of some length there are no whole duties to
        // count; show the norm itself and say why.
        cal.st_NormaTitle = format_caption(
            plan.tr.tr(kMainForm, "st_NormaTitleNoShift", "Dni robocze: %sNormatyw: "), {"\r"});
        cal.st_normaValue = format_caption(
            plan.tr.tr(kMainForm, "st_NormaValueNoShift", "%d %s%s (grupa bez zmiany o niezerowej długości)"),
            {(long long)cal.workingDays, "\r", min2h(cal.normMinutes, "txt", true)});
        return;
    }
    cal.st_NormaTitle = format_caption(plan.tr.tr(kMainForm, "st_NormaTitle", "Dni robocze: %sDyżury \"%s\": "),
                                       {"\r", shift->name});
    cal.st_normaValue =
        format_caption(plan.tr.tr(kMainForm, "st_NormaValue", "%d %s%d dyż."),
                       {(long long)cal.workingDays, "\r", (long long)(cal.normMinutes / shift->length)});
    if (cal.normRemainder != 0) cal.st_normaValue += " + " + min2h(cal.normRemainder, "txt");
}

void store_in_period_month(Plan& plan, int periodMonth) {
    if (periodMonth < 0 || periodMonth >= int(plan.months.size())) return;
    miesiac& pm = plan.months[periodMonth];
    pm.workingDays = byte(std::clamp(plan.calendar.workingDays, 0, 255));
    pm.normMinutes = clamp_word(plan.calendar.normMinutes);
    pm.normRemainder = clamp_word(plan.calendar.normRemainder);
}

// Month mode: W and S from the calendar, then WD, every group's month norm,
// the current group's norm and its remainder over the first shift.
void month_norm(Plan& plan, int periodMonth) {
    calendar_state& cal = plan.calendar;
    const month_counters counters = zbuduj_dni_miesiaca(plan, periodMonth);
    cal.weekdays = counters.weekdays;
    cal.saturdayHolidays = counters.saturdayHolidays;
    const int w = counters.weekdays;
    const int ws = std::max(0, w - counters.saturdayHolidays);

    const grupa* current = plan.group();
    cal.workingDays = current && wolne_za_sobote(plan, *current, periodMonth) ? ws : w;
    for (grupa& g : plan.groups)
        g.monthNorm = clamp_word(static_cast<long long>(wolne_za_sobote(plan, g, periodMonth) ? ws : w) * g.dailyNorm);

    cal.normMinutes = 0;
    if (current) {
        cal.normMinutes = wlasny_normatyw(plan, *current, periodMonth)
                              ? wlasny_normatyw_minuty(plan, *current, periodMonth)
                              : int(clamp_word(static_cast<long long>(cal.workingDays) * current->dailyNorm));
    }
    const zmiana_* shift = yardstick_shift(plan);
    cal.normRemainder = shift ? cal.normMinutes % shift->length : 0;
}

}  // namespace

night_window okno_nocy(const Plan& plan) {
    night_window n;
    n.start = ((plan.options.wydruki.noc_od % kDay) + kDay) % kDay;
    if (n.start == 0) n.start = kDay;
    n.end = n.start + plan.options.wydruki.noc_do;
    if (plan.groups.empty()) return n;
    const grupa* g = plan.group();
    const int shiftStart = g && !g->shifts.empty() ? g->shifts[0].start : -1;
    if (n.end < n.start || (shiftStart >= 0 && shiftStart > n.end)) n.end += kDay;
    if (shiftStart >= 0 && shiftStart > n.start) n.start += kDay;
    // Moving the start past the shift must not leave the end before it.
    if (n.end < n.start) n.end += kDay;
    return n;
}

bool wolne_za_sobote(const Plan& plan, const grupa& g, int periodMonth) {
    const group_month_settings* s = stored_settings(plan, g, periodMonth);
    return s ? s->dayOffForSaturdayHoliday != 0 : g.dayOffForSaturdayHoliday;
}

bool wlasny_normatyw(const Plan& plan, const grupa& g, int periodMonth) {
    const group_month_settings* s = stored_settings(plan, g, periodMonth);
    return s ? s->customNorm != 0 : g.customNorm;
}

int wlasny_normatyw_minuty(const Plan& plan, const grupa& g, int periodMonth) {
    const group_month_settings* s = stored_settings(plan, g, periodMonth);
    return s ? s->customNormMinutes : g.customNormMinutes;
}

void normatyw(Plan& plan, bool clearStaffing, int periodMonth, bool renumberCalendar) {
    calendar_state& cal = plan.calendar;
    const night_window night = okno_nocy(plan);
    cal.nightStart = night.start;
    cal.nightEnd = night.end;
    // The "8" duty and the whole shift are the shown group's; the configured
    // lengths stand in while no group is shown.
    const grupa* group = plan.group();
    const zmiana_* shift = group ? yardstick_shift(plan) : nullptr;
    plan.dyz8 = group ? group->dailyNorm : plan.options.glowne.dyz8;
    plan.dyz12 = shift ? shift->length : plan.options.glowne.dyz12;
    cal.firstSundayOfJanuary = first_sunday_of_january(plan.year);

    if (plan.weekMode) {
        zbuduj_tygodnie(plan, periodMonth);
        cal.weekdays = cal.saturdayHolidays = cal.workingDays = 0;
        cal.normMinutes = cal.normRemainder = 0;
        for (grupa& g : plan.groups) g.monthNorm = 0;
    } else {
        cal.weeks.clear();
        month_norm(plan, periodMonth);
    }
    if (clearStaffing) call_czysc_iledy(plan, true, true);
    if (!plan.months.empty()) {
        store_in_period_month(plan, periodMonth);
        call_odswiez_okres(plan, true, false, -1);
    }
    if (plan.weekMode)
        week_mode_captions(plan);
    else
        month_captions(plan);
    odswiez_klasy_dni(plan, periodMonth);
    if (renumberCalendar) przenumeruj_kalendarz(plan);
}

int normatyw_wolnego(const Plan& plan, int fromDay, int toDay, int worker, int periodMonth,
                     const std::optional<day_off_norm_settings>& dialog) {
    if (worker < 0 || worker >= int(plan.workers.size())) return 0;
    const prac& w = plan.workers[worker];
    const ms_* month = periodMonth >= 0 && periodMonth < int(w.months.size()) ? &w.months[periodMonth] : nullptr;

    day_off_norm_settings s;
    if (dialog) {
        s = *dialog;
    } else if (month && fromDay >= 0 && fromDay < kMaxDays) {
        const wolne_& entry = month->daysOff[fromDay];
        s = {entry.customNorm, entry.customNormMinutes, entry.normWithPartTime};
    }
    if (s.customNorm) return s.customNormMinutes;

    if (month) {
        long long duties = 0;
        bool any = false;
        for (int d = std::max(fromDay, 0); d <= std::min(toDay, kMaxDays - 1); ++d) {
            for (const dyzur& x : month->duties[d]) {
                duties += x.length;
                any = true;
            }
        }
        if (any) return int(std::min<long long>(duties, 1 << 30));
    }
    const grupa* g = plan.group();
    const int daily = s.normWithPartTime ? w.dailyNorm : (g ? g->dailyNorm : 0);
    return ile_roboczych(plan, fromDay, toDay) * daily;
}

}  // namespace planek
