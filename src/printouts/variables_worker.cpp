// Worker data, month sums, the worker's day cell and the period totals.
#include <cstdio>

#include "calendar/time_text.h"
#include "calendar/wish_summary.h"
#include "editing/symbols.h"
#include "printouts/variables.h"

namespace planek {
namespace {

using V = var_call;

const category_sum* total(const V& c) {
    const ms_* m = c.wm();
    return m ? &m->sum.total[0] : nullptr;
}

long long credited(const V& c) { return c.wm() ? c.wm()->sum.creditedMinutes : 0; }
long long worked(const V& c) { return total(c) ? total(c)->workedMinutes : 0; }
long long ot1(const V& c) { return total(c) ? total(c)->overtime100 + total(c)->extraOvertime100 : 0; }
long long ot2(const V& c) { return total(c) ? total(c)->overtime50 + total(c)->extraOvertime50 : 0; }
long long ot1md(const V& c) { return total(c) ? total(c)->medicalOvertime100 : 0; }
long long ot2md(const V& c) { return total(c) ? total(c)->medicalOvertime50 : 0; }
long long norm(const V& c) { return c.wm() ? c.wm()->workerNorm : 0; }

// A text field of the worker.
template <std::string prac::*F>
std::string field(V& c) {
    return c.worker() ? c.user(c.worker()->*F) : std::string();
}

// A time of the worker's month.
#define MT(expr) [](V& c) { return c.worker() ? c.time(expr) : std::string(); }

// The counters of the worker summary: duties of the counted groups and
// kinds not hidden by a day off, and the days of day offs that credit time.
long long duty_count(const V& c) { return c.wm() ? c.wm()->sum.dutyCount : 0; }
long long dayoff_count(const V& c) { return c.wm() ? c.wm()->sum.dayOffDays : 0; }

wish_summary wishes_of(const V& c) {
    return zyczenia_pracownika(c.plan(), c.ctx.worker, c.ctx.month);
}

long long group_norm(const V& c) { return c.group() ? c.group()->monthNorm : 0; }

const day_summary* day_sum(const V& c) {
    const ms_* m = c.wm();
    int d = c.dayIndex();
    return m && d >= 0 && d < int(m->sum.days.size()) ? &m->sum.days[d] : nullptr;
}

std::string cell_symbol(V& c) {
    const ms_* m = c.wm();
    int d = c.dayIndex();
    if (!m || d < 0) return {};
    std::string out;
    for (const dyzur& x : m->duties[d]) {
        if (!out.empty()) out += "/";
        out += c.duty_symbol(x);
    }
    if (c.dayOff()) {
        std::string s = wolne2symbol(c.plan(), m->daysOff[d], c.ctx.worker, d, c.ctx.month);
        if (!s.empty() && s != " ") out += out.empty() ? c.user(s) : "/" + c.user(s);
    }
    if (out.empty() && c.format == "htm") out = "&nbsp;";
    return out;
}

const period_totals* wp(const V& c) { return c.worker() ? &c.worker()->sum.period : nullptr; }

}  // namespace

void add_worker_variables(std::vector<var_entry>& t) {
    std::vector<var_entry> v = {
        {"prac_nr", "worker_no", "", [](V& c) { return number_text(++c.run.state.workerNo); }},
        {"prac_nazwisko", "worker_surname", "", field<&prac::surname>},
        {"prac_imie", "worker_name", "", field<&prac::firstName>},
        {"prac_adres", "worker_adress", "", field<&prac::address>},
        {"prac_poczta", "worker_postoffice", "", field<&prac::postOffice>},
        {"prac_kod", "worker_zipcode", "", field<&prac::zipCode>},
        {"prac_telefon", "worker_phone", "", field<&prac::phone>},
        {"prac_email", "worker_email", "", field<&prac::email>},
        {"prac_stanowisko", "worker_occupation", "", field<&prac::occupation>},
        {"prac_skrot", "worker_nick", "", field<&prac::nick>},
        {"prac_pesel", "worker_identity_number", "worker_national_identity", field<&prac::pesel>},
        {"prac_wyksztalcenie", "worker_education", "", field<&prac::education>},
        {"prac_kursy", "worker_courses", "", field<&prac::courses>},
        {"prac_inne1", "worker_user1", "", field<&prac::user1>},
        {"prac_inne2", "worker_user2", "", field<&prac::user2>},
        {"prac_inne3", "worker_user3", "", field<&prac::user3>},
        {"prac_kolor_rgb", "worker_color_rgb", "", [](V& c) { return c.worker() ? hex_rgb(c.worker()->color) : ""; }},
        {"prac_etat", "worker_part_time", "",
         [](V& c) {
             char buf[64];
             if (!c.wm()) return std::string();
             std::snprintf(buf, sizeof buf, "%f", c.wm()->partTime);
             return std::string(buf);
         }},
        {"prac_reczna_korekta_normatywu", "worker_manual_correction", "",
         [](V& c) { return c.wm() ? c.time(c.wm()->overtimeManual) : ""; }},
        {"prac_nadpr_z_poprz_mies", "worker_prev_month_extra_time", "",
         [](V& c) { return c.wm() ? c.time(c.wm()->overtimeFromPrevious) : ""; }},
        {"", "worker_extra_time", "", [](V& c) { return c.wm() ? c.time(c.wm()->overtimeTotal) : ""; }},
        {"prac_urlop_wyp_poz", "worker_holiday_remain", "",
         [](V& c) {
             const prac* w = c.worker();
             return w ? c.time(long(w->holidayCurrentYear) + w->holidayPreviousYear) : "";
         }},
        {"prac_urlop_wyp_poz_pop_rok", "worker_holiday_remain_last_year", "",
         [](V& c) { return c.worker() ? c.time(c.worker()->holidayPreviousYear) : ""; }},
        {"prac_urlop_wyp_poz_ten_rok", "worker_holiday_remain_this_year", "",
         [](V& c) { return c.worker() ? c.time(c.worker()->holidayCurrentYear) : ""; }},
        {"prac_forma_zatrudnienia", "worker_employment_name", "",
         [](V& c) {
             const prac* w = c.worker();
             if (!w) return std::string();
             int k = w->employmentFrom >= 1 && w->employmentFrom <= 4 ? w->employmentFrom - 1 : 0;
             return k < int(c.plan().dutyAs.size()) ? c.user(c.plan().dutyAs[k].name) : std::string();
         }},
        // Month sums.
        {"prac_ile_dyz", "worker_duty_qty", "", [](V& c) { return c.worker() ? number_text(duty_count(c)) : ""; }},
        {"prac_ile_wol", "worker_dayoff_qty", "", [](V& c) { return c.worker() ? number_text(dayoff_count(c)) : ""; }},
        {"prac_ile_dyz_wol", "worker_duty_dayoff_qty", "",
         [](V& c) { return c.worker() ? number_text(duty_count(c) + dayoff_count(c)) : ""; }},
        {"prac_suma_n", "worker_n_sum", "", MT(total(c) ? total(c)->nightMinutes : 0)},
        {"prac_suma_n_ilosc", "worker_n_sum_quantity", "",
         [](V& c) {
             int len = c.plan().options.wydruki.noc_do;
             if (!total(c) || len <= 0) return std::string();
             return real_comma(double(total(c)->nightMinutes) / len, 0);
         }},
        {"prac_suma_s", "worker_h_sum", "", MT(total(c) ? total(c)->holidayMinutes : 0)},
        {"prac_suma_d", "worker_d_sum", "", MT(total(c) ? total(c)->dayMinutes : 0)},
        {"prac_suma_g1", "worker_ot1_sum", "", MT(ot1(c))},
        {"prac_suma_g2", "worker_ot2_sum", "", MT(ot2(c))},
        {"prac_suma_gn", "worker_ot_sum", "", MT(ot1(c) + ot2(c))},
        {"prac_suma_g1_dm", "worker_ot1_md_sum", "", MT(ot1md(c))},
        {"prac_suma_g2_dm", "worker_ot2_md_sum", "", MT(ot2md(c))},
        {"prac_suma_gn_dm", "worker_ot_md_sum", "", MT(ot1md(c) + ot2md(c))},
        {"prac_suma_ab", "worker_ab_sum", "", MT(credited(c))},
        {"prac_wolne_suma", "dayoff_sum", "", MT(credited(c))},
        {"prac_suma_dyzur", "worker_duty_sum", "", MT(worked(c) + ot1(c) + ot2(c))},
        {"prac_suma_dyzur_bn", "worker_duty_sum_wo", "", MT(worked(c))},
        {"prac_suma_wypr", "worker_all_sum", "",
         MT(credited(c) + worked(c) + ot1(c) + ot2(c))},
        {"prac_suma_wypr_bn", "worker_all_sum_wo", "", MT(credited(c) + worked(c))},
        {"prac_normatyw", "worker_normative", "", MT(norm(c))},
        {"prac_normatyw_bu", "worker_normative_wd", "", MT(norm(c) - credited(c))},
        {"prac_normatyw_bn", "worker_normative_wo", "",
         MT(norm(c) + (c.wm() ? c.wm()->overtimeTotal : 0))},
        {"prac_roznica_normatyw", "worker_difference_normative", "",
         MT(credited(c) + worked(c) - group_norm(c))},
        {"prac_roznica_normatyw_pracownika", "worker_difference_worker_normative", "",
         MT(credited(c) + worked(c) + ot1(c) + ot2(c) - norm(c))},
        {"prac_roznica_normatyw_pracownika_bn", "worker_difference_worker_normative_wo", "",
         MT(credited(c) + worked(c) - norm(c))},
        {"prac_roznica_normatyw_pracownika_bu", "worker_difference_worker_normative_wd", "",
         MT(worked(c) - (norm(c) - credited(c)))},
        // The worker's wishes for the month and how many her duties grant.
        {"prac_zyczenia", "worker_wishes", "", [](V& c) { return c.worker() ? c.user(wishes_of(c).list) : ""; }},
        {"prac_zyczenia_spelnione", "worker_wishes_granted", "",
         [](V& c) { return c.worker() ? c.user(wishes_of(c).line) : ""; }},
        // The worker's cell of the day.
        {"1n_dzien_klasa", "n1_day_class", "",
         [](V& c) { return c.dayParam() ? "d" + c.user(c.dayParam()->dayClass) : ""; }},
        {"1n_dzien_symbol", "n1_day_symbol", "", cell_symbol},
        {"1n_dzien_ile_d", "n1_day_d_duration", "",
         [](V& c) { return day_sum(c) ? c.time(day_sum(c)->categories[0].dayMinutes) : ""; }},
        {"1n_dzien_ile_n", "n1_day_n_duration", "",
         [](V& c) { return day_sum(c) ? c.time(day_sum(c)->categories[0].nightMinutes) : ""; }},
        {"1n_dzien_ile_s", "n1_day_h_duration", "",
         [](V& c) { return day_sum(c) ? c.time(day_sum(c)->categories[0].holidayMinutes) : ""; }},
        {"", "n1_day_nh_duration", "",
         [](V& c) {
             const day_summary* s = day_sum(c);
             return s ? c.time(s->categories[0].nightMinutes + s->categories[0].holidayMinutes) : "";
         }},
        // The worker's period totals.
        {"okres_suma_prac_normatyw", "period_sum_worker_normative", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->periodNorm) : ""; }},
        {"okres_suma_prac_normatyw_bu", "period_sum_worker_normative_wd", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->periodNorm - wp(c)->periodCreditedMinutes) : ""; }},
        {"okres_suma_prac_nadl", "period_sum_worker_overtime", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->overtime1 + wp(c)->overtime2) : ""; }},
        {"okres_suma_prac_nadl_dm", "period_sum_worker_overtime_md", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->medicalOvertime100 + wp(c)->medicalOvertime50) : ""; }},
        {"okres_suma_prac_dyzury", "period_sum_worker_duties", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->periodDutyMinutes) : ""; }},
        {"okres_suma_prac_wolne", "period_sum_worker_dayoffs", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->periodCreditedMinutes) : ""; }},
        {"okres_suma_prac_wypr", "period_sum_worker_worked", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->periodDutyMinutes + wp(c)->periodCreditedMinutes) : ""; }},
        {"okres_suma_prac_roznica_normatyw", "period_sum_worker_normative_difference", "",
         [](V& c) {
             const period_totals* p = wp(c);
             return p ? c.time(p->periodDutyMinutes + p->periodCreditedMinutes - p->periodNorm) : "";
         }},
        {"okres_suma_prac_d", "period_sum_worker_d", "", [](V& c) { return wp(c) ? c.time(wp(c)->dayMinutes) : ""; }},
        {"okres_suma_prac_n", "period_sum_worker_n", "", [](V& c) { return wp(c) ? c.time(wp(c)->nightMinutes) : ""; }},
        {"okres_suma_prac_s", "period_sum_worker_h", "",
         [](V& c) { return wp(c) ? c.time(wp(c)->holidayMinutes) : ""; }},
    };
    t.insert(t.end(), v.begin(), v.end());
}

}  // namespace planek
