// Conditions, schedule and owner data, month and date, group, employment
// forms and the directives.
#include <algorithm>
#include <cstdlib>

#include "calendar/calendar_grid.h"
#include "calendar/period_params.h"
#include "core/text.h"
#include "printouts/variables.h"

namespace planek {
namespace {

using V = var_call;

bool worker_has_duty(const V& c) {
    const ms_* m = c.wm();
    int d = c.dayIndex();
    return m && d >= 0 && !m->duties[d].empty();
}

bool worker_has_ot(const V& c) {
    const ms_* m = c.wm();
    int d = c.dayIndex();
    if (!m || d < 0) return false;
    return std::any_of(m->duties[d].begin(), m->duties[d].end(),
                       [](const dyzur& x) { return x.overtime != 0 || x.alsoOvertime; });
}

const dutyas_* employment(const V& c) {
    auto n = parse_int(c.p1);
    int k = n ? int(*n) : 1;
    if (k < 1 || k > int(c.plan().dutyAs.size())) return nullptr;
    return &c.plan().dutyAs[k - 1];
}

// The norm routine keeps a group's norm for the shown month only; another
// month of the period (a column of a period summary) has its own, held with
// the month, counted with the shown group's calendar.
long long group_month_norm(const V& c) {
    const grupa* g = c.group();
    const miesiac* m = c.month();
    const Plan& p = c.plan();
    if (!m || c.ctx.month == p.currentMonth) return g->monthNorm;
    if (c.ctx.group == p.currentGroup) return m->normMinutes;
    return (long long)m->workingDays * g->dailyNorm;
}

std::string two_digits(int n) {
    const std::string text = number_text(n);
    return text.size() < 2 ? "0" + text : text;
}

std::string system_user() {
    for (const char* var : {"USERNAME", "USER", "LOGNAME"})
        if (const char* v = std::getenv(var); v && *v) return v;
    return {};
}

// Filler rows of period tables: p1 once per day number the context month
// lacks against the longest month of the period.
std::string fill_days(V& c) {
    const Plan& p = c.plan();
    const miesiac* m = c.month();
    if (!c.group() || !m || p.months.empty()) return {};
    int longest = 0;
    for (int i = 1; i < int(p.months.size()); ++i)
        if (p.months[i].dayCount > p.months[longest].dayCount) longest = i;
    int most = p.months[longest].dayCount;
    if (m->dayCount >= most) return {};
    std::string out;
    gen_line saved = c.ctx;
    for (int d = m->dayCount; d < most; ++d) {
        c.ctx.month = longest;
        c.ctx.day = d;
        out += c.expand_txt(c.p1);
    }
    c.ctx = saved;
    return out;
}

int month_whole_shift_duties(const V& c) {
    const miesiac* m = c.month();
    const grupa* g = c.group();
    if (!m || !g || g->shifts.empty() || g->shifts[0].length == 0) return 0;
    return m->normMinutes / g->shifts[0].length;
}

}  // namespace

void add_general_variables(std::vector<var_entry>& t) {
    std::vector<var_entry> v = {
        // Directives: they change the run and give nothing.
        {"", "dot_as_time_sep", "", [](V& c) { c.run.state.timeSep = '.'; return std::string(); }},
        {"", "clear_auto_eols", "", [](V& c) { c.run.state.clearAutoEols = true; return std::string(); }},
        {"", "without_medical_duty_overtime", "",
         [](V& c) { c.run.state.withoutMedical = true; return std::string(); }},
        // Conditions.
        {"czy_zrealizowany", "if_done", "is_done", [](V& c) { return c.yesno(c.plan().planType == 1); }},
        {"czy_prac_ma_dyzur", "if_worker_has_duty", "", [](V& c) { return c.yesno(worker_has_duty(c)); }},
        {"czy_prac_ma_wolne", "if_worker_has_dayoff", "", [](V& c) { return c.yesno(c.dayOff() != nullptr); }},
        {"czy_prac_ma_gn", "if_worker_has_ot", "", [](V& c) { return c.yesno(worker_has_ot(c)); }},
        // Schedule and owner.
        {"status", "status", "", [](V& c) { return status_name(c.plan(), c.plan().approvedStatus); }},
        {"typ_planeku", "schedule_type", "", [](V& c) { return plan_type_name(c.plan(), c.plan().planType); }},
        {"miejscowosc", "place", "", [](V& c) { return c.user(c.plan().options.glowne.miejscowosc); }},
        {"uzytkownik", "user_name", "", [](V& c) { return c.user(c.plan().options.user.user_name); }},
        {"system_nazwa_uzytkownika", "system_user_name", "", [](V& c) { return c.user(system_user()); }},
        {"adres", "address", "", [](V& c) { return c.user(c.plan().options.glowne.adres); }},
        {"kod", "zip_code", "", [](V& c) { return c.user(c.plan().options.glowne.kod); }},
        {"nip", "vat_no", "", [](V& c) { return c.user(c.plan().options.glowne.vat_no); }},
        {"firma", "company", "", [](V& c) { return c.user(c.plan().options.glowne.firma); }},
        // Month and date.
        {"miesiac", "month", "", [](V& c) { return c.month() ? month_name(c.plan(), c.month()->month) : std::string(); }},
        {"miesiac_nr", "month_no", "",
         [](V& c) { return c.month() ? number_text(c.month()->month) : std::string(); }},
        // Two digits, so printout file names sort by month ("…-2027-03" after "…-2026-12").
        {"miesiac_nr2", "month_no2", "",
         [](V& c) { return c.month() ? two_digits(c.month()->month) : std::string(); }},
        {"miesiac_ile_roboczych", "month_days_qty", "",
         [](V& c) { return c.month() ? number_text(c.month()->workingDays) : std::string(); }},
        {"miesiac_ile_calozmianowych", "month_all_shift_duty_qty", "",
         [](V& c) { return number_text(month_whole_shift_duties(c)); }},
        {"miesiac_ile_dni", "month_days", "", [](V& c) { return number_text(c.days()); }},
        {"miesiac_uzup_dni", "month_fill_days", "", [](V& c) { return fill_days(c); }},
        {"rok", "year", "", [](V& c) { return c.month() ? number_text(c.month()->year) : std::string(); }},
        {"data", "date", "",
         [](V& c) {
             civil_date d = c.plan().clock->today();
             return date_text(d.year, d.month, d.day);
         }},
        // Group.
        {"grupa_nazwa", "group_name", "", [](V& c) { return c.group() ? c.user(c.group()->name) : std::string(); }},
        {"grupa_skrot", "group_nick", "", [](V& c) { return c.group() ? c.user(c.group()->nick) : std::string(); }},
        {"grupa_normatyw", "group_normative", "",
         [](V& c) { return c.group() ? c.time(group_month_norm(c)) : std::string(); }},
        {"grupa_dopracowanie", "group_least", "",
         [](V& c) { return c.month() ? c.time(c.month()->normRemainder) : std::string(); }},
        {"grupa_kolor_rgb", "group_color_rgb", "",
         [](V& c) { return c.group() ? hex_rgb(c.group()->color) : std::string(); }},
        {"symbol_dyzuru_8", "symbol_of_duty_8", "", [](V& c) { return c.user(c.plan().options.glowne.symbol_8); }},
        {"symbol_dyzuru_inny", "symbol_of_duty_other", "",
         [](V& c) { return c.user(c.plan().options.glowne.symbol_other); }},
        {"symbol_dyzuru_dopr", "symbol_of_duty_residue", "", [](V& c) { return c.user(c.plan().options.glowne.symbol_d); }},
        // Employment forms (p1 = the form's number).
        {"zatrudnienie_nazwa", "employment_name", "",
         [](V& c) { return employment(c) ? c.user(employment(c)->name) : std::string(); }},
        {"zatrudnienie_symbol", "employment_symbol", "",
         [](V& c) {
             const dutyas_* e = employment(c);
             return e && e->symbol ? c.user(std::string(1, e->symbol)) : std::string();
         }},
        {"zatrudnienie_kolor", "employment_color", "",
         [](V& c) { return employment(c) ? hex_rgb(employment(c)->color) : std::string(); }},
    };
    t.insert(t.end(), v.begin(), v.end());
}

}  // namespace planek
