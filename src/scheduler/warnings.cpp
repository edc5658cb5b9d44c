#include "scheduler/warnings.h"

#include <algorithm>
#include <optional>

#include "calendar/staffing.h"
#include "calendar/summaries.h"
#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/ini_file.h"
#include "core/text.h"
#include "files/sundays.h"
#include "scheduler/warnings_rules.h"
#include "scheduler/warnings_text.h"

namespace planek {

namespace {

bool listed_index_ok(const Plan& plan, const listed_worker& entry) {
    return entry.worker >= 0 && entry.worker < int(plan.workers.size());
}

// What a click on the current group does when no window is there to do it.
void reselect_group(Plan& plan) {
    wypelnij_liste_pracownikow(plan);
    for (const listed_worker& entry : plan.listed)
        if (listed_index_ok(plan, entry)) odswiez_pracownika(plan, entry.worker, false, plan.currentMonth);
}

void staffing_rules(const Plan& plan, warning_lines& out) {
    const warnings_options& o = plan.options.warnings;
    if (o.DiscontinuosStaff) rule_k_gaps(plan, out);
    if (o.StaffLessPercent || o.StaffBiggerPercent) rule_j_percent(plan, out);
    if (o.StaffLess || o.StaffBigger) rule_c_persons(plan, out);
}

void worker_rules(const Plan& plan, int w, const IniFile* sundays, warning_lines& out) {
    const warnings_options& o = plan.options.warnings;
    if (o.NormativeExceeded) rule_f_norm_exceeded(plan, w, out);
    if (o.LacksDuties) rule_g_norm_unreached(plan, w, out);
    if (o.DutyNexttoDuty) rule_a_rest(plan, w, out);
    if (o.Nights2) rule_b_nights(plan, w, out);
    if (o.WeekIntervalTooShort) rule_h_week_rest(plan, w, out);
    if (o.WeekWorkTime) rule_l_week_time(plan, w, out);
    if (o.DutyTooLong || o.DutyTooShort) rule_ed_duty_length(plan, w, out);
    if (sundays) rule_i_sundays(plan, w, *sundays, out);
}

// The Windows-1250 bytes of the file, one line per entry, each ended by
// CR LF. A character the code page cannot hold becomes "?" rather than
// costing the user the whole report.
std::string file_bytes(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return utf8_to_cp1250_lossy(text);
}

}  // namespace

void wypelnij_liste_pracownikow(Plan& plan) {
    plan.listed.clear();
    plan.rebuildWorkerIds();
    const grupa* g = plan.group();
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        const prac& p = plan.workers[w];
        if (p.old && !plan.showDeleted) continue;
        if (plan.showWorkers == ShowWorkers::Group && (!g || !p.inGroup(g->id))) continue;
        plan.listed.push_back({int(w), p.surname + " " + p.firstName, false});
    }
}

void przygotuj_ostrzezenia(Plan& plan, const warnings_hooks& hooks) {
    if (hooks.reselectGroup)
        hooks.reselectGroup(plan);
    else
        reselect_group(plan);
    odswiez_iledy(plan);
    odswiez_dall(plan, plan.currentMonth, false);
    odswiez_dall2(plan, plan.currentMonth);
    const warnings_options& o = plan.options.warnings;
    if (o.DiscontinuosStaff || o.StaffLessPercent || o.StaffBiggerPercent) {
        odswiez_ilemy(plan);
        wylicz_srednie_obsady(plan);
    }
}

std::vector<std::string> sprawdz_ostrzezenia(Plan& plan) {
    warning_lines lines;
    staffing_rules(plan, lines);

    std::optional<IniFile> sundays;
    if (plan.options.warnings.WorkSundaysMaxCount && !plan.listed.empty()) {
        zapisz_niedziele(plan);
        sundays.emplace(sundays_file(plan));
    }
    for (const listed_worker& entry : plan.listed)
        if (listed_index_ok(plan, entry)) worker_rules(plan, entry.worker, sundays ? &*sundays : nullptr, lines);

    if (lines.empty())
        lines.push_back(warning_line(plan, warning_texts::NoWarnings, {}));
    else
        sortuj_ostrzezenia(lines);
    return lines;
}

void sortuj_ostrzezenia(std::vector<std::string>& lines) {
    std::stable_sort(lines.begin(), lines.end(),
                     [](const std::string& a, const std::string& b) { return compare_pl(a, b) < 0; });
}

std::filesystem::path warnings_file(const Plan& plan) { return plan.paths.root / kWarningsFileName; }

warnings_report a_WarningsExecute(Plan& plan, const warnings_hooks& hooks) {
    warnings_report report;
    if (plan.weekMode) {
        plan.ui->inform(kWarningsWeekMode);
        report.outcome = warnings_outcome::WeekMode;
        return report;
    }
    if (!plan.group()) return report;

    przygotuj_ostrzezenia(plan, hooks);
    report.lines = sprawdz_ostrzezenia(plan);
    report.file = warnings_file(plan);
    if (io_result r = write_bytes(report.file, file_bytes(report.lines)); !r) {
        report.outcome = warnings_outcome::WriteFailed;
        report.error = r.error;
        plan.ui->warn(r.error);
        return report;
    }
    report.outcome = warnings_outcome::Written;
    if (hooks.openFile) hooks.openFile(report.file);
    return report;
}

}  // namespace planek
