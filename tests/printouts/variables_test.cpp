#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "calendar/summaries.h"
#include "print_fixture.h"
#include "printouts/generation.h"
#include "printouts/variables.h"

namespace planek {
namespace {

// Every variable name of the template language: the Polish name followed by
// its English name(s), or the English name alone.
const char* const kNames[] = {
    "czy_zrealizowany if_done is_done", "czy_prac_ma_dyzur if_worker_has_duty",
    "czy_prac_ma_wolne if_worker_has_dayoff", "czy_prac_ma_gn if_worker_has_ot", "status",
    "typ_planeku schedule_type", "miejscowosc place", "uzytkownik user_name",
    "system_nazwa_uzytkownika system_user_name", "adres address", "kod zip_code", "nip vat_no",
    "firma company", "miesiac month", "miesiac_nr month_no", "miesiac_nr2 month_no2", "miesiac_ile_roboczych month_days_qty",
    "miesiac_ile_calozmianowych month_all_shift_duty_qty", "miesiac_ile_dni month_days",
    "miesiac_uzup_dni month_fill_days", "rok year", "data date", "grupa_nazwa group_name",
    "grupa_skrot group_nick", "grupa_normatyw group_normative", "grupa_dopracowanie group_least",
    "grupa_kolor_rgb group_color_rgb", "symbol_dyzuru_8 symbol_of_duty_8",
    "symbol_dyzuru_inny symbol_of_duty_other", "symbol_dyzuru_dopr symbol_of_duty_residue",
    "dzien_nr_tydz_planek day_no_week", "dzien_nr day_no", "dzien_nazwa day_name",
    "dzien_nazwa_krotka day_name_short", "dzien_uwagi day_note", "dzien_klasa_tytul day_class_title",
    "dzien_klasa day_class", "dzien_id day_id", "dzien_kto_dyzur day_who_duty", "dzien_kto_8 day_who_8",
    "dzien_kto_dopr day_who_least", "dzien_kto_inny day_who_other", "dzien_kto_urlopy day_who_holiday",
    "dzien_kto_wolne day_who_dayoff", "dzien_kto_wolne_1 day_who_dayoff_1",
    "dzien_kto_wolne_5 day_who_dayoff_5", "dzien_kto_wolne_7 day_who_dayoff_7",
    "dzien_kto_wolne_s day_who_dayoff_h", "dzien_kto_zwolnienia day_who_sick_leaves",
    "dzien_kto_inne_wolne day_who_other_dayoff", "dzien_ile_dyz day_duties_count",
    "dzien_max_dyz_tydz day_max_duties_week", "zm_dyzur8_ile shift_duty8_qty",
    "zm_dyzur8_od shift_duty8_from", "zm_dyzur8_do shift_duty8_to", "zm_dyzur_kto shift_duty_to",
    "zmiana_nr shift_no", "zmiana_od_pd shift_from_pd", "zmiana_od shift_from", "zmiana_do_pd shift_to_pd",
    "zmiana_do shift_to", "zmiana_obsada_srednia shift_duties_count_aver",
    "zmiana_ile_dyz shift_duties_count", "zmiana_ile_pd shift_duration_pd", "zmiana_ile shift_duration",
    "zmiana_symbol shift_symbol", "zmiana_nazwa shift_name", "dyzur_kto duty_who",
    "ilosc_zmian shift_quantity", "dyzur8_do duty8_to", "dopracowanie_do least_to", "suma_wypr all_sum",
    "suma_wypr_url all_do_sum", "prac_nr worker_no", "prac_zyczenia worker_wishes", "prac_zyczenia_spelnione worker_wishes_granted", "prac_nazwisko worker_surname", "prac_imie worker_name",
    "prac_adres worker_adress", "prac_poczta worker_postoffice", "prac_kod worker_zipcode",
    "prac_telefon worker_phone", "prac_email worker_email", "prac_stanowisko worker_occupation",
    "prac_skrot worker_nick", "prac_kolor_rgb worker_color_rgb", "prac_etat worker_part_time",
    "prac_reczna_korekta_normatywu worker_manual_correction",
    "prac_nadpr_z_poprz_mies worker_prev_month_extra_time", "prac_urlop_wyp_poz worker_holiday_remain",
    "prac_urlop_wyp_poz_pop_rok worker_holiday_remain_last_year",
    "prac_urlop_wyp_poz_ten_rok worker_holiday_remain_this_year", "prac_pesel worker_identity_number",
    "prac_wyksztalcenie worker_education", "prac_kursy worker_courses", "prac_inne1 worker_user1",
    "prac_inne2 worker_user2", "prac_inne3 worker_user3", "prac_forma_zatrudnienia worker_employment_name",
    "worker_extra_time", "worker_national_identity", "prac_ile_dyz worker_duty_qty",
    "prac_ile_wol worker_dayoff_qty", "prac_ile_dyz_wol worker_duty_dayoff_qty", "prac_suma_n worker_n_sum",
    "prac_suma_n_ilosc worker_n_sum_quantity", "prac_suma_s worker_h_sum", "prac_suma_g1 worker_ot1_sum",
    "prac_suma_g2 worker_ot2_sum", "prac_suma_gn worker_ot_sum", "prac_suma_g1_dm worker_ot1_md_sum",
    "prac_suma_g2_dm worker_ot2_md_sum", "prac_suma_gn_dm worker_ot_md_sum", "prac_suma_ab worker_ab_sum",
    "prac_suma_dyzur worker_duty_sum", "prac_suma_dyzur_bn worker_duty_sum_wo",
    "prac_suma_wypr worker_all_sum", "prac_suma_wypr_bn worker_all_sum_wo", "prac_normatyw worker_normative",
    "prac_normatyw_bu worker_normative_wd", "prac_normatyw_bn worker_normative_wo",
    "prac_roznica_normatyw worker_difference_normative",
    "prac_roznica_normatyw_pracownika worker_difference_worker_normative",
    "prac_roznica_normatyw_pracownika_bn worker_difference_worker_normative_wo",
    "prac_roznica_normatyw_pracownika_bu worker_difference_worker_normative_wd", "prac_suma_d worker_d_sum",
    "prac_wolne_suma dayoff_sum", "1n_dzien_klasa n1_day_class", "1n_dzien_symbol n1_day_symbol",
    "1n_dzien_ile_d n1_day_d_duration", "1n_dzien_ile_n n1_day_n_duration",
    "1n_dzien_ile_s n1_day_h_duration", "n1_day_nh_duration", "dyzur_uwagi duty_note", "dyzur_typ duty_type",
    "dyzur_ile_n duty_n_duration", "dyzur_ile_d duty_d_duration", "dyzur_ile_s duty_h_duration",
    "dyzur_ile_ns duty_nh_duration", "dyzur_ile_minut duty_duration_minutes",
    "dyzur_ile_dyz duty_day_duration", "dyzur_ile_dyz_d duty_day_d_duration",
    "dyzur_ile_dyz_s duty_day_h_duration", "dyzur_ile_dyz_g duty_day_duration_all",
    "dyzur_ile_dyz_noc duty_day_night_duration", "dyzur_wolne_dyz_ile duty_dayoff_day_quantity",
    "dyzur_wolne_ile duty_dayoff_quantity", "dyzur_ile_suma duty_duration_sum", "dyzur_ile duty_duration",
    "dyzur_ile_pd duty_duration_pd", "dyzur_symbol duty_symbol", "dyzur_wolne_symbol duty_dayoff_symbol",
    "dyzur_zmiana duty_shift", "dyzur_od duty_from", "dyzur_od_pd duty_from_pd", "dyzur_do duty_to",
    "dyzur_do_pd duty_to_pd", "dyzur_oddo duty_fromto", "dyzur_oddo_g duty_fromto_all",
    "dyzur_forma_symbol duty_mode_symbol", "dyzur_forma_nazwa duty_mode_name", "dyzur_nadgodz duty_overtime",
    "dyzur_nadgodz_od duty_overtime_from", "dyzur_nadgodz_do duty_overtime_to",
    "dyzur_100_nadgodz duty_100_overtime", "dyzur_50_nadgodz duty_50_overtime",
    "dyzur_med_nadgodz duty_med_overtime", "dyzur_med_100_nadgodz duty_med_100_overtime",
    "dyzur_med_50_nadgodz duty_med_50_overtime", "dyzur_grupa_skrot duty_group_nick",
    "dyzur_grupa_skrot_bez_biez duty_group_nick_wo_current", "wolne_typ dayoff_type",
    "wolne_nazwa dayoff_name", "wolne_opis_nazwa dayoff_desc_name", "wolne_opis_symbol dayoff_desc_symbol",
    "wolne_ile_dni dayoff_days_quantity", "wolne_ile_dni_roboczych dayoff_work_days_quantity",
    "wolne_ile_godzin dayoff_hours_quantity", "wolne_ile_godzin_norma dayoff_hours_norma_quantity",
    "wolne_do dayoff_to", "wolne_typ_ilosc dayoff_type_qty", "wolne_ile dayoff_quantity",
    "zatrudnienie_nazwa employment_name", "zatrudnienie_symbol employment_symbol",
    "zatrudnienie_kolor employment_color", "okres_nr period_no",
    "okres_miesiac_ile_dni_maks period_month_max_days_qty", "okres_miesiac period_month",
    "okres_ile_miesiecy period_months_qty", "okres_od period_from", "okres_do period_to",
    "okres_suma_normatyw period_sum_normative", "okres_suma_dyzury_bn period_sum_duties_wo",
    "okres_suma_dyzury period_sum_duties", "okres_suma_nadgodz period_sum_overtime",
    "okres_suma_nadgodz_g1 period_sum_overtime_ot1", "okres_suma_nadgodz_g2 period_sum_overtime_ot2",
    "okres_suma_nadgodz_dm period_sum_overtime_md", "okres_suma_nadgodz_g1_dm period_sum_overtime_ot1_md",
    "okres_suma_nadgodz_g2_dm period_sum_overtime_ot2_md", "okres_suma_wolne period_sum_dayoffs",
    "okres_suma_wypr_bn period_sum_worked_wo", "okres_suma_wypr period_sum_worked",
    "okres_suma_d period_sum_d", "okres_suma_n period_sum_n", "okres_suma_s period_sum_h",
    "okres_suma_prac_normatyw period_sum_worker_normative",
    "okres_suma_prac_normatyw_bu period_sum_worker_normative_wd",
    "okres_suma_prac_nadl period_sum_worker_overtime",
    "okres_suma_prac_nadl_dm period_sum_worker_overtime_md",
    "okres_suma_prac_dyzury period_sum_worker_duties", "okres_suma_prac_wolne period_sum_worker_dayoffs",
    "okres_suma_prac_wypr period_sum_worker_worked",
    "okres_suma_prac_roznica_normatyw period_sum_worker_normative_difference",
    "okres_suma_prac_d period_sum_worker_d", "okres_suma_prac_n period_sum_worker_n",
    "okres_suma_prac_s period_sum_worker_h", "worker_no", "worker_surname", "worker_name", "worker_adress",
    "worker_postoffice", "worker_zipcode", "worker_phone", "worker_email", "worker_occupation",
    "worker_identity_number", "worker_education", "worker_courses", "worker_user1", "worker_user3",
    "worker_nick", "worker_color_rgb", "group_color_rgb", "worker_holiday_remain_this_year",
    "worker_holiday_remain_last_year", "worker_holiday_remain", "worker_employment_name", "worker_part_time",
    "worker_duty_qty", "worker_dayoff_qty", "worker_duty_dayoff_qty", "worker_normative",
    "worker_normative_wd", "worker_normative_wo", "worker_duty_sum", "worker_duty_sum_wo", "worker_all_sum",
    "worker_all_sum_wo", "worker_ab_sum",
    "worker_extra_time", "worker_national_identity", "n1_day_nh_duration", "dot_as_time_sep", "clear_auto_eols",
    "without_medical_duty_overtime",
};

std::vector<std::string> words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// A context in which every family has something to show.
struct rich {
    Plan plan = test::make_ward();
    gen_run run{plan};
    gen_line ctx;

    rich() {
        prac& w = plan.workers[0];
        for (std::string* f : {&w.address, &w.postOffice, &w.zipCode, &w.phone, &w.email, &w.occupation, &w.pesel,
                               &w.education, &w.courses, &w.user1, &w.user2, &w.user3})
            *f = "x";
        w.holidayCurrentYear = 600;
        w.holidayPreviousYear = 120;
        ms_& m = w.months[0];
        m.workerNorm = 9000;
        m.overtimeTotal = 60;
        m.overtimeFromPrevious = 30;
        m.overtimeManual = 15;
        m.sum.total[0].nightMinutes = 660;
        m.sum.total[0].dayMinutes = 3000;
        m.sum.total[0].holidayMinutes = 120;
        m.sum.total[0].workedMinutes = 3780;
        m.sum.total[0].overtime100 = 60;
        m.sum.total[0].overtime50 = 30;
        m.sum.total[0].medicalOvertime100 = 20;
        m.sum.total[0].medicalOvertime50 = 10;
        m.sum.creditedMinutes = 455;
        test::add_duty(plan, 0, 2, 450, 720, 1);
        dyzur& d = m.duties[2][0];
        d.note = "uwaga";
        d.overtime = 90;
        d.medical = true;
        test::add_day_off(plan, 0, 2, 3, 'u', false);
        test::add_duty(plan, 1, 2, 420, 455, 1);  // a standard duty
        test::add_duty(plan, 2, 2, 420, 720, 1);  // exactly the first shift
        m.sum.days.resize(31);
        m.sum.days[2].categories[0].dayMinutes = 600;
        m.sum.days[2].categories[0].nightMinutes = 120;
        m.sum.days[2].categories[0].holidayMinutes = 30;
        plan.dutyAs[0] = {"Etat", 'E', rgb(1, 2, 3)};
        plan.options.glowne.miejscowosc = "Gdańsk";
        plan.options.glowne.kod = "80-001";
        plan.options.glowne.adres = "Szpitalna 1";
        plan.options.glowne.vat_no = "123";
        plan.options.glowne.firma = "Szpital";
        plan.options.user.user_name = "Oddziałowa";
        plan.months[0].days[2].note = "notatka";
        plan.period.all.periodDutyMinutes = 5000;
        plan.period.all.nightMinutes = 600;
        plan.period.months.resize(1);
        plan.period.months[0].periodDutyMinutes = 5000;
        w.sum.period.periodDutyMinutes = 3780;
        w.sum.period.periodNorm = 9000;
        plan.period.fromYear = 2026;
        plan.period.fromMonth = 3;
        plan.period.fromDay = 1;
        plan.period.toYear = 2026;
        plan.period.toMonth = 3;
        plan.period.toDay = 31;
        plan.selectedCellDay = 2;
        for (day& dd : plan.days) {
            dd.shiftHeadcount = {2, 1};
            dd.averageStaffing = {1.5f, 1.0f};
        }
        run.duty8 = przygotuj_rozklad(plan, false);
        ctx = with_defaults(plan, gen_line{});
        ctx.day = 2;
        ctx.shift = 0;
        ctx.duty = 0;
    }
    std::string eval(const std::string& text, const std::string& format = "htm") {
        return gen_zamien(run, text, format, ctx);
    }
};

TEST(VariableTable, EveryNameResolvesAndBothNamesAgree) {
    std::set<const var_entry*> used;
    for (const char* group : kNames) {
        std::vector<std::string> names = words(group);
        const var_entry* first = find_variable(names[0]);
        ASSERT_NE(first, nullptr) << names[0];
        EXPECT_NE(first->fn, nullptr) << names[0];
        for (const std::string& n : names) EXPECT_EQ(find_variable(n), first) << n;
        used.insert(first);
    }
    // Every entry of the table is a name of the language.
    for (const var_entry& e : variable_table()) EXPECT_TRUE(used.count(&e)) << e.en;
}

TEST(VariableTable, EveryVariableHasAValueInARichContext) {
    // Empty by their meaning in this context: directives, filler rows (the
    // month is the longest), lists of who is off, and the like.
    const std::set<std::string> emptyByMeaning = {
        "month_fill_days", "dot_as_time_sep", "clear_auto_eols", "without_medical_duty_overtime",
        "duty_group_nick_wo_current", "day_who_least", "day_who_other", "day_who_8",
        "day_who_dayoff", "day_who_dayoff_1", "day_who_dayoff_5", "day_who_dayoff_7", "day_who_dayoff_h",
        "day_who_sick_leaves", "day_who_other_dayoff", "system_user_name", "worker_wishes", "worker_wishes_granted",
    };
    for (const var_entry& e : variable_table()) {
        rich r;
        std::string v = r.eval(e.en);
        if (!emptyByMeaning.count(e.en)) {
            EXPECT_FALSE(v.empty()) << e.en;
        }
        rich r2;
        if (*e.pl) {
            EXPECT_EQ(r2.eval(e.pl), v) << e.pl;
        }
    }
}

TEST(Variables, PolishAndEnglishNamesGiveTheSameValue) {
    rich r;
    EXPECT_EQ(r.eval("worker_surname"), "Kowalska");
    EXPECT_EQ(r.eval("prac_nazwisko"), "Kowalska");
    EXPECT_EQ(r.eval("group_color_rgb"), "123456");
    EXPECT_EQ(r.eval("shift_from_2:"), "19:00");
    EXPECT_EQ(r.eval("zmiana_od_2:"), "19:00");
    EXPECT_EQ(r.eval("shift_name_1"), "Dzienna");
    EXPECT_EQ(r.eval("no_such_variable"), "");
}

// The shipped templates name their files with it, so they sort by month.
TEST(Variables, TheMonthNumberComesPlainOrInTwoDigits) {
    rich r;
    EXPECT_EQ(r.eval("month_no"), "3");
    EXPECT_EQ(r.eval("miesiac_nr2"), "03");
    r.plan.months[0].month = 12;
    EXPECT_EQ(r.eval("month_no2"), "12");
}

TEST(Variables, TimeFormats) {
    rich r;
    EXPECT_EQ(r.eval("duty_from:"), "07:30");
    EXPECT_EQ(r.eval("duty_from"), "7<sup>30</sup>");
    EXPECT_EQ(r.eval("duty_from#"), "7,50");
    EXPECT_EQ(r.eval("dot_as_time_sep"), "");
    EXPECT_EQ(r.eval("duty_from:"), "07.30");
    EXPECT_EQ(r.eval("duty_fromto", "txt"), "07.30-19.30");
    EXPECT_EQ(r.eval("duty_fromto", "htm"), "7<sup>30</sup>-19<sup>30</sup>");
}

TEST(Variables, ZeroHandlingAndFlags) {
    rich r;
    r.plan.workers[0].months[0].sum.total[0].holidayMinutes = 0;
    EXPECT_EQ(r.eval("worker_h_sum"), "&nbsp;");
    EXPECT_EQ(r.eval("worker_h_sum0"), "0");
    EXPECT_EQ(r.eval("worker_h_sum_"), "");
    EXPECT_EQ(r.eval("worker_h_sum_:"), "");
    EXPECT_EQ(r.eval("worker_h_sum0:"), "0");
}

TEST(Variables, Conditions) {
    rich r;
    const std::string cond = "prac_suma_n|'tak'|'nie'|'\xC2\xBB" "10'";
    EXPECT_EQ(r.eval(cond), "tak");  // 11 hours of night
    r.plan.workers[0].months[0].sum.total[0].nightMinutes = 0;
    EXPECT_EQ(r.eval(cond), "nie");  // zero became "&nbsp;", no number
    r.plan.workers[0].months[0].sum.total[0].nightMinutes = 540;
    EXPECT_EQ(r.eval("prac_suma_n|'tak'|'nie'|'>=10'"), "nie");
    EXPECT_EQ(r.eval("prac_suma_n|'tak'|'nie'|'<>10'"), "tak");
    EXPECT_EQ(r.eval("prac_suma_n|'tak'|'nie'|'=9'"), "tak");
    // Text against text: only "=" compares.
    EXPECT_EQ(r.eval("worker_nick|'yes'|'no'|'=ak'"), "no");
    EXPECT_EQ(r.eval("worker_nick|'yes'|'no'|'=AK'"), "yes");
    EXPECT_EQ(r.eval("worker_nick|'yes'|'no'|'>AK'"), "no");
    // Condition variables with default and own texts.
    EXPECT_EQ(r.eval("if_worker_has_duty"), "Tak");
    EXPECT_EQ(r.eval("czy_prac_ma_gn|'GN'|'-'"), "GN");
    r.ctx.day = 5;
    EXPECT_EQ(r.eval("if_worker_has_duty"), "Nie");
    // The operand is expanded as a line.
    r.ctx.day = 2;
    EXPECT_EQ(r.eval("worker_nick|'same'|'other'|'=@_prac_skrot'"), "same");
}

TEST(Variables, ConditionTextsOfATemplateLineKeepTheirCase) {
    rich r;
    // 11 hours of night: at least 5 gives the yes text "T", as typed; the
    // name itself is still found whatever its case.
    const std::string line = "[@_PRAC_SUMA_N|'T'|'N'|'>=5'] [@_prac_suma_n|'Tak'|'Nie'|'<5']";
    const std::vector<var_site> sites = variable_sites(line, lower_text(line));
    EXPECT_EQ(gen_wypelnij_linie(r.run, line, "htm", r.ctx, false, &sites), "[T] [Nie]");
    EXPECT_EQ(gen_wypelnij_linie(r.run, line, "htm", r.ctx), "[T] [Nie]");
    // 4 hours: below 5.
    r.plan.workers[0].months[0].sum.total[0].nightMinutes = 240;
    EXPECT_EQ(gen_wypelnij_linie(r.run, line, "htm", r.ctx, false, &sites), "[N] [Tak]");
    // A text operand compares as typed too.
    EXPECT_EQ(gen_wypelnij_linie(r.run, "@_worker_nick|'Y'|'N'|'=AK'", "htm", r.ctx), "Y");
}

TEST(Variables, ARepeatedTextFollowsItsContextAndData) {
    rich r;
    // The same texts over two days: neither the value, nor the chosen
    // yes/no text, nor the expanded operand is kept from the first.
    const std::string cond = "if_worker_has_duty|'@_duty_from:'|'-'";
    const std::string compare = "worker_nick|'same'|'other'|'=@_duty_from:'";
    EXPECT_EQ(r.eval(cond), "07:30");
    EXPECT_EQ(r.eval("duty_from0:"), "07:30");
    EXPECT_EQ(r.eval(compare), "other");
    r.plan.workers[0].nick = "07:30";
    EXPECT_EQ(r.eval(compare), "same");
    r.ctx.day = 5;
    EXPECT_EQ(r.eval(cond), "-");
    EXPECT_EQ(r.eval("duty_from0:"), "0");
    EXPECT_EQ(r.eval(compare), "other");
    // A numbered shift goes the long way round and gives what the context's shift gives.
    r.ctx.day = 2;
    EXPECT_EQ(r.eval("zmiana_od_1:"), r.eval("zmiana_od:"));
    EXPECT_EQ(r.eval("zmiana_od_1:"), "07:00");
}

TEST(VariableText, FlagsParametersAndConditionTakenApart) {
    const variable_text plain = parse_variable_text("worker_h_sum0:");
    EXPECT_EQ(plain.name, "worker_h_sum");
    EXPECT_TRUE(plain.plain);
    EXPECT_EQ(plain.flag, '0');
    EXPECT_FALSE(plain.condition);
    EXPECT_NE(plain.entry, nullptr);
    const variable_text cond = parse_variable_text("prac_suma_n|'tak'|'nie'|'>=10'");
    EXPECT_EQ(cond.name, "prac_suma_n");
    EXPECT_EQ(cond.yes, "tak");
    EXPECT_EQ(cond.no, "nie");
    EXPECT_TRUE(cond.condition);
    EXPECT_EQ(cond.op, "\xC2\xBB");
    EXPECT_EQ(cond.operand, "10");
    EXPECT_EQ(parse_variable_text("worker_h_sum_").flag, '_');
    EXPECT_EQ(parse_variable_text("duty_from").flag, 0);
    const variable_text numbered = parse_variable_text("zmiana_od_2#");
    EXPECT_EQ(numbered.name, "zmiana_od_2");
    EXPECT_TRUE(numbered.decimal);
    EXPECT_EQ(numbered.entry, nullptr);  // found through its shift number at each use
    EXPECT_EQ(parse_variable_text("a|'x'").p1, "x");
    EXPECT_EQ(parse_variable_text("a|'x'").yes, "Tak");
}

TEST(Variables, WorkerCounterAndFillDays) {
    rich r;
    EXPECT_EQ(r.eval("worker_no"), "1");
    EXPECT_EQ(r.eval("prac_nr"), "2");
    // A shorter month in a period with a longer one gets filler rows.
    miesiac feb = r.plan.months[0];
    feb.month = 2;
    feb.dayCount = 28;
    feb.days.resize(28);
    r.plan.months.insert(r.plan.months.begin(), feb);
    for (prac& w : r.plan.workers) w.months.insert(w.months.begin(), ms_{});
    r.ctx.month = 0;
    EXPECT_EQ(r.eval("month_fill_days|'<td>@_day_no</td>'"), "<td>29</td><td>30</td><td>31</td>");
}

}  // namespace
}  // namespace planek

namespace planek {
namespace {

// A worker of both groups, counted the way the worker summary counts: only
// the shown group's duties of ticked kinds that no day off hides, and only
// the days of day offs that credit time.
TEST(WorkerVariables, DutyAndDayOffCountsAreThoseOfTheWorkerSummary) {
    Plan plan = test::make_ward();
    plan.workers[0].groups = "1|2|";
    test::add_duty(plan, 0, 1, 420, 720, 1);        // counted
    test::add_duty(plan, 0, 2, 420, 720, 1, 2);     // the other group's
    test::add_duty(plan, 0, 3, 420, 720, 1, 1, 2);  // a duty-as kind not ticked
    plan.dutyAsFilter[1] = false;
    test::add_day_off(plan, 0, 8, 10, 'u');          // three days, blocking
    test::add_duty(plan, 0, 9, 420, 720, 1);         // hidden by that day off
    test::add_day_off(plan, 0, 14, 14, '5');         // shown, credits nothing
    test::add_day_off(plan, 0, 19, 19, 'u', true, 2);  // the other group's
    gen_run run{plan};
    gen_line ctx = with_defaults(plan, gen_line{});
    ctx.worker = 0;
    auto counts = [&] {
        return gen_zamien(run, "worker_duty_qty", "txt", ctx) + "/" + gen_zamien(run, "worker_dayoff_qty", "txt", ctx) +
               "/" + gen_zamien(run, "prac_ile_dyz_wol", "txt", ctx);
    };

    // Counted by hand from the entries above. Every duty and every day of
    // every day off of the month would give 4/5/9.
    odswiez_pracownika(plan, 0, false, 0);
    EXPECT_EQ(counts(), "1/3/4");
    // All groups: the other group's duty and day off join in.
    odswiez_pracownika(plan, 0, true, 0);
    EXPECT_EQ(counts(), "2/4/6");
    EXPECT_EQ(plan.workers[0].sum.dutyCount, 2);
    EXPECT_EQ(plan.workers[0].sum.dayOffDays, 4);
}

}  // namespace
}  // namespace planek
