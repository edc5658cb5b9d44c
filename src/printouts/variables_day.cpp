// Day, who-works fragments, shifts and the standard-duty table.
#include <algorithm>
#include <cstdio>

#include "calendar/duty_filter.h"
#include "calendar/time_text.h"
#include "core/text.h"
#include "printouts/variables.h"

namespace planek {
namespace {

using V = var_call;

// The day's name in the printout's language, Sunday first as the weekday
// counts; a list too short for the day gives nothing.
std::string day_name(const V& c, bool shortName) {
    const std::string names =
        shortName ? c.plan().tr.tr("f_Templates", "sag_DayShortNames", "nd¤pn¤wt¤śr¤cz¤pt¤so")
                  : c.plan().tr.tr("f_Templates", "sag_DayNames",
                                   "niedziela¤poniedziałek¤wtorek¤środa¤czwartek¤piątek¤sobota");
    const std::vector<std::string> list = split_fields(names);
    const int day = c.weekday();
    return day >= 1 && day <= int(list.size()) ? trim(list[size_t(day - 1)]) : std::string();
}

std::string who_list(const V& c, int list) {
    const kty* w = c.who();
    return w ? w->lists[list] : std::string();
}

// Entries of the days-off list that carry a class, joined again.
std::string who_dayoff_class(const V& c, const char* cls) {
    std::string all = who_list(c, kKtoDaysOff);
    std::string out;
    size_t pos = 0;
    const std::string marker = std::string("class=") + cls;
    while (pos <= all.size()) {
        size_t e = all.find(", ", pos);
        if (e == std::string::npos) e = all.size();
        std::string item = all.substr(pos, e - pos);
        if (item.find(marker) != std::string::npos) {
            if (!out.empty()) out += ", ";
            out += item;
        }
        pos = e + 2;
    }
    out = trim(out);
    if (!out.empty() && out.back() == ',') out.pop_back();
    return out;
}

long long day_duties(const V& c, int d) {
    const Plan& p = c.plan();
    const grupa* g = p.group();
    if (d < 0 || d >= int(p.days.size()) || !g) return 0;
    long long n = 0;
    const auto& hc = p.days[d].shiftHeadcount;
    for (size_t s = 0; s < g->shifts.size() && s < hc.size(); ++s) n += hc[s];
    return n;
}

long long max_duties_week(const V& c) {
    const day* cd = c.calDay();
    if (!cd) return 0;
    int d = c.dayIndex();
    int wd = cd->dayOfWeek;  // 1 = Sunday
    int sinceMonday = (wd + 5) % 7;
    int from = std::max(0, d - sinceMonday);
    int to = std::min(int(c.plan().days.size()) - 1, d + (6 - sinceMonday));
    long long best = 0;
    for (int k = from; k <= to; ++k) best = std::max(best, day_duties(c, k));
    return best;
}

const duty8_row* duty8(const V& c) {
    if (c.ctx.shift < 0 || c.ctx.shift >= int(c.run.duty8.size())) return nullptr;
    return &c.run.duty8[c.ctx.shift];
}

std::string shift_who(const V& c) {
    int d = c.dayIndex();
    if (c.ctx.duty8) {
        // The cells are plain lists of short names; the who-works lists
        // below are fragments already built with escaped names.
        const duty8_row* r = duty8(c);
        return r && d >= 0 && d < int(r->cells.size()) ? c.user(r->cells[d]) : std::string();
    }
    const kty* w = c.who();
    if (!w || c.ctx.shift < 0 || c.ctx.shift >= int(w->shifts.size())) return {};
    return w->shifts[c.ctx.shift];
}

// Full names of the workers with a duty on the context shift and day.
std::string duty_who(const V& c) {
    const Plan& p = c.plan();
    const zmiana_* z = c.shift();
    const grupa* g = c.group();
    int d = c.dayIndex();
    if (!z || !g || d < 0) return {};
    std::string out;
    for (size_t w = 0; w < p.workers.size(); ++w) {
        const ms_* m = worker_period_month(p, int(w), c.ctx.month);
        if (!m) continue;
        bool on = std::any_of(m->duties[d].begin(), m->duties[d].end(), [&](const dyzur& x) {
            return x.groupId == g->id && x.shift == c.ctx.shift + 1;
        });
        if (!on) continue;
        if (!out.empty()) out += ", ";
        out += c.user(p.workers[w].fullName());
    }
    return out;
}

std::string shift_staff(const V& c, bool average) {
    const day* d = c.calDay();
    int s = c.ctx.shift;
    if (s < 0) return {};
    if (d) {
        if (average) return s < int(d->averageStaffing.size()) ? real_comma(d->averageStaffing[s], 2) : "";
        return s < int(d->shiftHeadcount.size()) ? number_text(d->shiftHeadcount[s]) : "";
    }
    // Outside a day: over the month.
    double sum = 0;
    int n = 0;
    for (const day& x : c.plan().days) {
        if (average && s < int(x.averageStaffing.size())) sum += x.averageStaffing[s];
        if (!average && s < int(x.shiftHeadcount.size())) sum += x.shiftHeadcount[s];
        ++n;
    }
    if (average) return real_comma(n ? sum / n : 0.0, 2);
    return number_text((long long)sum);
}

// The number the calendar heads the day with: its day of the month, or in
// week mode the column's number.
int day_number(V& c) {
    const day_param* p = c.dayParam();
    return p && p->dayNumber > 0 ? p->dayNumber : c.dayIndex() + 1;
}

int first_shift_start(const V& c) {
    const grupa* g = c.group();
    return g && !g->shifts.empty() ? g->shifts[0].start : 0;
}

}  // namespace

void add_day_variables(std::vector<var_entry>& t) {
    std::vector<var_entry> v = {
        {"dzien_nr_tydz_planek", "day_no_week", "",
         [](V& c) { return c.weekday() ? number_text(c.weekday()) : ""; }},
        {"dzien_nr", "day_no", "", [](V& c) { return c.dayIndex() < 0 ? "" : number_text(day_number(c)); }},
        {"dzien_nazwa", "day_name", "", [](V& c) { return day_name(c, false); }},
        {"dzien_nazwa_krotka", "day_name_short", "", [](V& c) { return day_name(c, true); }},
        {"dzien_uwagi", "day_note", "",
         [](V& c) { return c.dayParam() ? c.user(c.dayParam()->note) : std::string(); }},
        {"dzien_klasa_tytul", "day_class_title", "",
         [](V& c) { return c.dayParam() ? c.user(c.dayParam()->dayClass) : std::string(); }},
        {"dzien_klasa", "day_class", "",
         [](V& c) { return c.dayParam() ? "d" + c.user(c.dayParam()->dayClass) : ""; }},
        {"dzien_id", "day_id", "",
         [](V& c) {
             const miesiac* m = c.month();
             char buf[48];
             if (!m || c.dayIndex() < 0) return std::string();
             std::snprintf(buf, sizeof buf, "%04d%02d%02d", m->year, m->month, c.dayIndex() + 1);
             return std::string(buf);
         }},
        {"dzien_kto_dyzur", "day_who_duty", "", [](V& c) { return who_list(c, kKtoAllDuties); }},
        {"dzien_kto_8", "day_who_8", "", [](V& c) { return who_list(c, kKtoStandard); }},
        {"dzien_kto_dopr", "day_who_least", "", [](V& c) { return who_list(c, kKtoTopUp); }},
        {"dzien_kto_inny", "day_who_other", "", [](V& c) { return who_list(c, kKtoOther); }},
        {"dzien_kto_urlopy", "day_who_holiday", "", [](V& c) { return who_list(c, kKtoLeave); }},
        {"dzien_kto_wolne", "day_who_dayoff", "", [](V& c) { return who_list(c, kKtoDaysOff); }},
        {"dzien_kto_wolne_1", "day_who_dayoff_1", "", [](V& c) { return who_dayoff_class(c, "w_za_sw"); }},
        {"dzien_kto_wolne_5", "day_who_dayoff_5", "", [](V& c) { return who_dayoff_class(c, "w_za_5d"); }},
        {"dzien_kto_wolne_7", "day_who_dayoff_7", "", [](V& c) { return who_dayoff_class(c, "w_za_so"); }},
        {"dzien_kto_wolne_s", "day_who_dayoff_h", "", [](V& c) { return who_dayoff_class(c, "w_za_ho"); }},
        {"dzien_kto_zwolnienia", "day_who_sick_leaves", "", [](V& c) { return who_list(c, kKtoSick); }},
        {"dzien_kto_inne_wolne", "day_who_other_dayoff", "",
         [](V& c) { return who_list(c, kKtoOtherDaysOff); }},
        {"dzien_ile_dyz", "day_duties_count", "",
         [](V& c) { return number_text(day_duties(c, c.calDay() ? c.dayIndex() : -1)); }},
        {"dzien_max_dyz_tydz", "day_max_duties_week", "",
         [](V& c) { return number_text(max_duties_week(c)); }},
        {"zm_dyzur8_ile", "shift_duty8_qty", "", [](V& c) { return number_text(long(c.run.duty8.size())); }},
        {"zm_dyzur8_od", "shift_duty8_from", "",
         [](V& c) { return duty8(c) ? c.time(duty8(c)->start, true) : std::string(); }},
        {"zm_dyzur8_do", "shift_duty8_to", "",
         [](V& c) { return duty8(c) ? c.time(duty8(c)->start + c.plan().dyz8, true) : std::string(); }},
        {"zm_dyzur_kto", "shift_duty_to", "", [](V& c) { return shift_who(c); }},
        // Standard-duty values.
        {"dyzur8_do", "duty8_to", "",
         [](V& c) { return c.time(first_shift_start(c) + c.plan().dyz8, true); }},
        {"dopracowanie_do", "least_to", "",
         [](V& c) {
             int least = c.month() ? c.month()->normRemainder : c.plan().calendar.normRemainder;
             return c.time(first_shift_start(c) + least, true);
         }},
        {"suma_wypr", "all_sum", "",
         [](V& c) {
             const auto& ms = c.plan().period.months;
             if (c.ctx.month < 0 || c.ctx.month >= int(ms.size())) return std::string();
             return c.time(ms[c.ctx.month].periodDutyMinutes);
         }},
        {"suma_wypr_url", "all_do_sum", "",
         [](V& c) {
             const auto& ms = c.plan().period.months;
             if (c.ctx.month < 0 || c.ctx.month >= int(ms.size())) return std::string();
             return c.time(ms[c.ctx.month].periodDutyMinutes + ms[c.ctx.month].periodCreditedMinutes);
         }},
    };
    // The shift family, also usable with a fixed shift number.
    std::vector<var_entry> s = {
        {"zmiana_nr", "shift_no", "", [](V& c) { return c.shift() ? number_text(c.ctx.shift + 1) : ""; }},
        {"zmiana_od_pd", "shift_from_pd", "",
         [](V& c) { return c.shift() ? min2h(c.shift()->start, "txt", true, true) : ""; }},
        {"zmiana_od", "shift_from", "", [](V& c) { return c.shift() ? c.time(c.shift()->start, true) : ""; }},
        {"zmiana_do_pd", "shift_to_pd", "",
         [](V& c) { return c.shift() ? min2h(c.shift()->start + c.shift()->length, "txt", true, true) : ""; }},
        {"zmiana_do", "shift_to", "",
         [](V& c) { return c.shift() ? c.time(c.shift()->start + c.shift()->length, true) : ""; }},
        {"zmiana_obsada_srednia", "shift_duties_count_aver", "", [](V& c) { return shift_staff(c, true); }},
        {"zmiana_ile_dyz", "shift_duties_count", "", [](V& c) { return shift_staff(c, false); }},
        {"zmiana_ile_pd", "shift_duration_pd", "",
         [](V& c) { return c.shift() ? min2h(c.shift()->length, "txt", true, false) : ""; }},
        {"zmiana_ile", "shift_duration", "", [](V& c) { return c.shift() ? c.time(c.shift()->length) : ""; }},
        {"zmiana_symbol", "shift_symbol", "", [](V& c) { return c.shift() ? c.user(c.shift()->symbol) : ""; }},
        {"zmiana_nazwa", "shift_name", "", [](V& c) { return c.shift() ? c.user(c.shift()->name) : ""; }},
    };
    for (var_entry& e : s) e.shiftFamily = true;
    v.insert(v.end(), s.begin(), s.end());
    v.push_back({"dyzur_kto", "duty_who", "", [](V& c) { return duty_who(c); }});
    v.push_back({"ilosc_zmian", "shift_quantity", "",
                 [](V& c) { return c.group() ? number_text(long(c.group()->shifts.size())) : ""; }});
    t.insert(t.end(), v.begin(), v.end());
}

}  // namespace planek
