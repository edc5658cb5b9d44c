// The duty of the context and the day off of the context.
#include "calendar/day_table.h"
#include "calendar/time_text.h"
#include "editing/symbols.h"
#include "printouts/variables.h"

namespace planek {
namespace {

using V = var_call;

std::string fromto(V& c, long long to) {
    const dyzur* d = c.duty();
    if (!d) return {};
    std::string f = c.format == "htm" ? "htm" : "txt";
    if (c.run.state.timeSep != ':' && f == "txt") f += c.run.state.timeSep;
    return min2h(d->start, f, false, true) + "-" + min2h(to, f, false, true);
}

// Minutes of the duty by part: 'd' day-time on working days, 'n' night,
// 'h' holiday, 'x' night on a holiday.
long long part(const V& c, char kind) {
    const dyzur* d = c.duty();
    if (!d) return 0;
    const duty_split* s = c.split();
    if (!s) return kind == 'd' ? d->length : 0;
    switch (kind) {
        case 'd': return (s->beforeHoliday ? 0 : s->before) + (s->afterHoliday ? 0 : s->after);
        case 'n': return s->night;
        case 'h':
            return (s->beforeHoliday ? s->before : 0) + (s->nightHoliday ? s->night : 0) +
                   (s->afterHoliday ? s->after : 0);
        default: return s->nightHoliday ? s->night : 0;
    }
}

long long day_total(const V& c) {
    const ms_* m = c.wm();
    int d = c.dayIndex();
    if (!m || d < 0) return 0;
    long long n = 0;
    for (const dyzur& x : m->duties[d]) n += x.length;
    return n;
}

long long day_overtime(const V& c) {
    const ms_* m = c.wm();
    int d = c.dayIndex();
    if (!m || d < 0) return 0;
    long long n = 0;
    for (const dyzur& x : m->duties[d]) n += x.overtime;
    return n;
}

const category_sum* day_cat(const V& c) {
    const ms_* m = c.wm();
    int d = c.dayIndex();
    return m && d >= 0 && d < int(m->sum.days.size()) ? &m->sum.days[d].categories[0] : nullptr;
}

const dutyas_* mode(const V& c) {
    const dyzur* d = c.duty();
    if (!d || d->dutyAs < 1 || d->dutyAs > c.plan().dutyAs.size()) return nullptr;
    return &c.plan().dutyAs[d->dutyAs - 1];
}

long long overtime_rate(const V& c, bool high, bool medical) {
    const dyzur* d = c.duty();
    if (!d || d->medical != medical) return 0;
    const duty_split* s = c.split();
    if (!s) return high ? d->overtime : 0;
    return high ? s->overtime100 : s->overtime50;
}

const grupa* duty_group(const V& c) {
    const dyzur* d = c.duty();
    if (!d) return nullptr;
    int g = c.plan().groupIndexById(d->groupId);
    return g < 0 ? nullptr : &c.plan().groups[g];
}

int dayoff_days(const V& c) {
    const wolne_* w = c.dayOff();
    return w ? int(w->dayTo) - int(w->dayFrom) + 1 : 0;
}

long long month_dayoffs(const V& c, int kindRow) {
    const ms_* m = c.wm();
    if (!m) return 0;
    long long n = 0;
    for (int d = 0; d < c.days(); ++d) {
        const wolne_& s = m->daysOff[d];
        if (!s.used() || byte(s.symbol) == 0xBF) continue;
        if (kindRow >= 0 && day_off_kind_row(c.plan(), s.symbol) != kindRow) continue;
        n += int(s.dayTo) - int(s.dayFrom) + 1;
    }
    return n;
}

const day_off_kind* desc_kind(const V& c) {
    const auto& kinds = c.plan().options.dayOffKinds;
    return c.ctx.day >= 0 && c.ctx.day < int(kinds.size()) ? &kinds[c.ctx.day] : nullptr;
}

}  // namespace

void add_duty_variables(std::vector<var_entry>& t) {
    std::vector<var_entry> v = {
        {"dyzur_uwagi", "duty_note", "", [](V& c) { return c.duty() ? c.user(c.duty()->note) : ""; }},
        {"dyzur_typ", "duty_type", "",
         [](V& c) {
             const dyzur* d = c.duty();
             if (!d) return std::string();
             if (d->medical) return c.user(c.plan().options.glowne.symbol_medical_duty);
             if (d->alsoOvertime) return c.user(c.plan().options.glowne.symbol_duty_as_overtime);
             return std::string();
         }},
        {"dyzur_ile_n", "duty_n_duration", "", [](V& c) { return c.duty() ? c.time(part(c, 'n')) : ""; }},
        {"dyzur_ile_d", "duty_d_duration", "", [](V& c) { return c.duty() ? c.time(part(c, 'd')) : ""; }},
        {"dyzur_ile_s", "duty_h_duration", "", [](V& c) { return c.duty() ? c.time(part(c, 'h')) : ""; }},
        {"dyzur_ile_ns", "duty_nh_duration", "", [](V& c) { return c.duty() ? c.time(part(c, 'x')) : ""; }},
        {"dyzur_ile_minut", "duty_duration_minutes", "",
         [](V& c) { return c.duty() ? number_text(c.duty()->length) : ""; }},
        {"dyzur_ile_dyz", "duty_day_duration", "", [](V& c) { return c.wm() ? c.time(day_total(c)) : ""; }},
        {"dyzur_ile_dyz_d", "duty_day_d_duration", "", [](V& c) { return day_cat(c) ? c.time(day_cat(c)->dayMinutes) : ""; }},
        {"dyzur_ile_dyz_s", "duty_day_h_duration", "",
         [](V& c) { return day_cat(c) ? c.time(day_cat(c)->holidayMinutes) : ""; }},
        {"dyzur_ile_dyz_g", "duty_day_duration_all", "",
         [](V& c) { return c.wm() ? c.time(day_total(c) + day_overtime(c)) : ""; }},
        {"dyzur_ile_dyz_noc", "duty_day_night_duration", "",
         [](V& c) { return day_cat(c) ? c.time(day_cat(c)->nightMinutes) : ""; }},
        {"dyzur_wolne_dyz_ile", "duty_dayoff_day_quantity", "",
         [](V& c) { return c.wm() ? number_text(c.dayOff() ? 1 : 0) : ""; }},
        {"dyzur_wolne_ile", "duty_dayoff_quantity", "", [](V& c) { return c.wm() ? number_text(month_dayoffs(c, -1)) : ""; }},
        {"dyzur_ile_suma", "duty_duration_sum", "",
         [](V& c) { return c.duty() ? c.time(long(c.duty()->length) + c.duty()->overtime) : ""; }},
        {"dyzur_ile", "duty_duration", "", [](V& c) { return c.duty() ? c.time(c.duty()->length) : ""; }},
        {"dyzur_ile_pd", "duty_duration_pd", "",
         [](V& c) { return c.duty() ? min2h(c.duty()->length, "txt", true, false) : ""; }},
        {"dyzur_symbol", "duty_symbol", "",
         [](V& c) { return c.duty() ? c.duty_symbol(*c.duty()) : ""; }},
        {"dyzur_wolne_symbol", "duty_dayoff_symbol", "",
         [](V& c) {
             const ms_* m = c.wm();
             if (!m || !c.dayOff()) return std::string();
             return c.user(wolne2symbol(c.plan(), m->daysOff[c.dayIndex()], c.ctx.worker, c.dayIndex(), c.ctx.month));
         }},
        {"dyzur_zmiana", "duty_shift", "", [](V& c) { return c.duty() ? number_text(c.duty()->shift) : ""; }},
        {"dyzur_od", "duty_from", "", [](V& c) { return c.duty() ? c.time(c.duty()->start, true) : ""; }},
        {"dyzur_od_pd", "duty_from_pd", "", [](V& c) { return c.duty() ? min2h(c.duty()->start, "txt", true, true) : ""; }},
        {"dyzur_do", "duty_to", "", [](V& c) { return c.duty() ? c.time(c.duty()->end(), true) : ""; }},
        {"dyzur_do_pd", "duty_to_pd", "", [](V& c) { return c.duty() ? min2h(c.duty()->end(), "txt", true, true) : ""; }},
        {"dyzur_oddo", "duty_fromto", "", [](V& c) { return c.duty() ? fromto(c, c.duty()->end()) : ""; }},
        {"dyzur_oddo_g", "duty_fromto_all", "",
         [](V& c) { return c.duty() ? fromto(c, c.duty()->end() + c.duty()->overtime) : ""; }},
        {"dyzur_forma_symbol", "duty_mode_symbol", "",
         [](V& c) { return mode(c) && mode(c)->symbol ? c.user(std::string(1, mode(c)->symbol)) : ""; }},
        {"dyzur_forma_nazwa", "duty_mode_name", "", [](V& c) { return mode(c) ? c.user(mode(c)->name) : ""; }},
        {"dyzur_nadgodz", "duty_overtime", "", [](V& c) { return c.duty() ? c.time(c.duty()->overtime) : ""; }},
        {"dyzur_nadgodz_od", "duty_overtime_from", "",
         [](V& c) { return c.duty() && c.duty()->overtime ? c.time(c.duty()->end(), true) : ""; }},
        {"dyzur_nadgodz_do", "duty_overtime_to", "",
         [](V& c) {
             const dyzur* d = c.duty();
             return d && d->overtime ? c.time(d->end() + d->overtime, true) : "";
         }},
        {"dyzur_100_nadgodz", "duty_100_overtime", "", [](V& c) { return c.duty() ? c.time(overtime_rate(c, true, false)) : ""; }},
        {"dyzur_50_nadgodz", "duty_50_overtime", "", [](V& c) { return c.duty() ? c.time(overtime_rate(c, false, false)) : ""; }},
        {"dyzur_med_nadgodz", "duty_med_overtime", "",
         [](V& c) { return c.duty() ? c.time(c.duty()->medical ? c.duty()->overtime : 0) : ""; }},
        {"dyzur_med_100_nadgodz", "duty_med_100_overtime", "",
         [](V& c) { return c.duty() ? c.time(overtime_rate(c, true, true)) : ""; }},
        {"dyzur_med_50_nadgodz", "duty_med_50_overtime", "",
         [](V& c) { return c.duty() ? c.time(overtime_rate(c, false, true)) : ""; }},
        {"dyzur_grupa_skrot", "duty_group_nick", "", [](V& c) { return duty_group(c) ? c.user(duty_group(c)->nick) : ""; }},
        {"dyzur_grupa_skrot_bez_biez", "duty_group_nick_wo_current", "",
         [](V& c) {
             const grupa* g = duty_group(c);
             return g && g != c.plan().group() ? c.user(g->nick) : "";
         }},
        // Day off.
        {"wolne_typ", "dayoff_type", "", [](V& c) { return c.dayOff() ? c.user(day_off_kind_code(c.dayOff()->symbol)) : ""; }},
        {"wolne_nazwa", "dayoff_name", "", [](V& c) { return c.dayOff() ? c.user(wolne2nazwa(c.plan(), c.dayOff()->symbol)) : ""; }},
        {"wolne_opis_nazwa", "dayoff_desc_name", "", [](V& c) { return desc_kind(c) ? c.user(desc_kind(c)->shownName()) : ""; }},
        {"wolne_opis_symbol", "dayoff_desc_symbol", "", [](V& c) { return desc_kind(c) ? c.user(desc_kind(c)->symbol) : ""; }},
        {"wolne_ile_dni", "dayoff_days_quantity", "", [](V& c) { return c.dayOff() ? number_text(dayoff_days(c)) : ""; }},
        {"wolne_ile_dni_roboczych", "dayoff_work_days_quantity", "",
         [](V& c) {
             const wolne_* w = c.dayOff();
             if (!w || c.ctx.month != c.plan().currentMonth) return std::string();
             return number_text(ile_roboczych(c.plan(), w->firstIndex, w->firstIndex + dayoff_days(c) - 1));
         }},
        {"wolne_ile_godzin", "dayoff_hours_quantity", "", [](V& c) { return c.dayOff() ? c.time(c.dayOff()->normMinutes) : ""; }},
        {"wolne_ile_godzin_norma", "dayoff_hours_norma_quantity", "",
         [](V& c) {
             const wolne_* w = c.dayOff();
             return w ? c.time(w->customNorm ? w->customNormMinutes : w->normMinutes) : "";
         }},
        {"wolne_do", "dayoff_to", "", [](V& c) { return c.dayOff() ? number_text(c.dayOff()->dayTo) : ""; }},
        {"wolne_typ_ilosc", "dayoff_type_qty", "", [](V& c) { return c.wm() ? number_text(month_dayoffs(c, c.ctx.day)) : ""; }},
        {"wolne_ile", "dayoff_quantity", "", [](V& c) { return c.wm() ? number_text(month_dayoffs(c, -1)) : ""; }},
    };
    t.insert(t.end(), v.begin(), v.end());
}

void add_period_variables(std::vector<var_entry>& t) {
    std::vector<var_entry> v = {
        {"okres_nr", "period_no", "",
         [](V& c) {
             const auto& ms = c.plan().months;
             if (ms.empty() || ms[0].month < 1) return std::string();
             return number_text((ms[0].month - 1) / long(ms.size()) + 1);
         }},
        {"okres_miesiac_ile_dni_maks", "period_month_max_days_qty", "",
         [](V& c) {
             int most = 0;
             for (const miesiac& m : c.plan().months) most = std::max<int>(most, m.dayCount);
             return number_text(most);
         }},
        {"okres_miesiac", "period_month", "", [](V& c) { return number_text(c.ctx.month + 1); }},
        {"okres_ile_miesiecy", "period_months_qty", "", [](V& c) { return number_text(long(c.plan().months.size())); }},
        {"okres_od", "period_from", "",
         [](V& c) {
             const period_summary& p = c.plan().period;
             return p.fromYear ? date_text(p.fromYear, p.fromMonth, p.fromDay) : "";
         }},
        {"okres_do", "period_to", "",
         [](V& c) {
             const period_summary& p = c.plan().period;
             return p.toYear ? date_text(p.toYear, p.toMonth, p.toDay) : "";
         }},
        {"okres_suma_normatyw", "period_sum_normative", "", [](V& c) { return c.time(c.plan().period.normMinutes); }},
        {"okres_suma_dyzury_bn", "period_sum_duties_wo", "", [](V& c) { return c.time(c.plan().period.all.periodDutyMinutes); }},
        {"okres_suma_dyzury", "period_sum_duties", "",
         [](V& c) {
             const period_totals& a = c.plan().period.all;
             return c.time(a.periodDutyMinutes + a.overtime1 + a.overtime2);
         }},
        {"okres_suma_nadgodz", "period_sum_overtime", "",
         [](V& c) { return c.time(c.plan().period.all.overtime1 + c.plan().period.all.overtime2); }},
        {"okres_suma_nadgodz_g1", "period_sum_overtime_ot1", "", [](V& c) { return c.time(c.plan().period.all.overtime1); }},
        {"okres_suma_nadgodz_g2", "period_sum_overtime_ot2", "", [](V& c) { return c.time(c.plan().period.all.overtime2); }},
        {"okres_suma_nadgodz_dm", "period_sum_overtime_md", "",
         [](V& c) {
             const period_totals& a = c.plan().period.all;
             return c.time(a.medicalOvertime100 + a.medicalOvertime50);
         }},
        {"okres_suma_nadgodz_g1_dm", "period_sum_overtime_ot1_md", "",
         [](V& c) { return c.time(c.plan().period.all.medicalOvertime100); }},
        {"okres_suma_nadgodz_g2_dm", "period_sum_overtime_ot2_md", "",
         [](V& c) { return c.time(c.plan().period.all.medicalOvertime50); }},
        {"okres_suma_wolne", "period_sum_dayoffs", "", [](V& c) { return c.time(c.plan().period.all.periodCreditedMinutes); }},
        {"okres_suma_wypr_bn", "period_sum_worked_wo", "",
         [](V& c) {
             const period_totals& a = c.plan().period.all;
             return c.time(a.periodDutyMinutes + a.periodCreditedMinutes);
         }},
        {"okres_suma_wypr", "period_sum_worked", "",
         [](V& c) {
             const period_totals& a = c.plan().period.all;
             return c.time(a.periodDutyMinutes + a.periodCreditedMinutes + a.overtime1 + a.overtime2);
         }},
        {"okres_suma_d", "period_sum_d", "", [](V& c) { return c.time(c.plan().period.all.dayMinutes); }},
        {"okres_suma_n", "period_sum_n", "", [](V& c) { return c.time(c.plan().period.all.nightMinutes); }},
        {"okres_suma_s", "period_sum_h", "", [](V& c) { return c.time(c.plan().period.all.holidayMinutes); }},
    };
    t.insert(t.end(), v.begin(), v.end());
}

}  // namespace planek
