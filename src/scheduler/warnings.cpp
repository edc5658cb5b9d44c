#include "scheduler/warnings.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <utility>
#include <map>
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
    odswiez_liste_prac_panel(plan);
    for (const listed_worker& entry : plan.listed)
        if (listed_index_ok(plan, entry)) odswiez_pracownika(plan, entry.worker, false, plan.currentMonth);
}

void staffing_rules(const warning_writer& ww, warning_lines& out) {
    const warnings_options& o = ww.plan().options.warnings;
    if (o.DiscontinuosStaff) rule_k_gaps(ww, out);
    if (o.StaffLessPercent || o.StaffBiggerPercent) rule_j_percent(ww, out);
    if (o.StaffLess || o.StaffBigger) rule_c_persons(ww, out);
}

void worker_rules(const warning_writer& ww, int w, const IniFile* sundays, warning_lines& out) {
    const warnings_options& o = ww.plan().options.warnings;
    if (o.NormativeExceeded) rule_f_norm_exceeded(ww, w, out);
    if (o.LacksDuties) rule_g_norm_unreached(ww, w, out);
    if (o.DutyNexttoDuty) rule_a_rest(ww, w, out);
    if (o.Nights2) rule_b_nights(ww, w, out);
    if (o.WeekIntervalTooShort) rule_h_week_rest(ww, w, out);
    if (o.WeekWorkTime) rule_l_week_time(ww, w, out);
    if (o.DutyTooLong || o.DutyTooShort) rule_ed_duty_length(ww, w, out);
    if (sundays) rule_i_sundays(ww, w, *sundays, out);
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

// One character of a UTF-8 text: its code point (a byte that does not
// start a well-formed sequence stands alone, kept apart from real code
// points) and how many bytes it takes.
std::pair<std::uint32_t, size_t> next_character(const std::string& text, size_t i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    const size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    constexpr std::uint32_t kLoneByte = 0x80000000u;
    if (n == 0 || i + n > text.size()) return {kLoneByte | b, 1};
    std::uint32_t cp = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < n; ++k) {
        const unsigned char c = static_cast<unsigned char>(text[i + k]);
        if ((c & 0xC0) != 0x80) return {kLoneByte | b, 1};
        cp = (cp << 6) | (c & 0x3F);
    }
    return {cp, n};
}

// The logged places in the order of the sorted lines; equal lines take
// theirs in the order they were written.
std::vector<warning_place> places_in_order(const std::vector<std::string>& lines,
                                           const std::vector<placed_line>& log) {
    std::map<std::string, std::deque<warning_place>> byText;
    for (const placed_line& l : log) byText[l.text].push_back(l.place);
    std::vector<warning_place> places;
    places.reserve(lines.size());
    for (const std::string& line : lines) {
        std::deque<warning_place>& queue = byText[line];
        places.push_back(queue.empty() ? warning_place{} : queue.front());
        if (!queue.empty()) queue.pop_front();
    }
    return places;
}

}  // namespace


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

std::vector<std::string> sprawdz_ostrzezenia(const Plan& plan, std::vector<warning_place>* places) {
    warning_lines lines;
    std::optional<IniFile> sundays;
    if (plan.options.warnings.WorkSundaysMaxCount && !plan.listed.empty()) {
        // The month's Sundays as planned count, in memory: a check writes
        // nothing but its findings, and an unsaved Sunday is no worked one yet.
        sundays.emplace(niedziele_z_miesiacem(plan));
    }
    std::vector<placed_line> log;
    const warning_writer ww(plan, places ? &log : nullptr);
    staffing_rules(ww, lines);
    for (const listed_worker& entry : plan.listed) {
        if (!listed_index_ok(plan, entry)) continue;
        const size_t before = log.size();
        worker_rules(ww, entry.worker, sundays ? &*sundays : nullptr, lines);
        for (size_t i = before; i < log.size(); ++i) log[i].place.worker = entry.worker;
    }

    if (lines.empty())
        lines.push_back(ww.line(warning_texts::NoWarnings, {}));
    else
        sortuj_ostrzezenia(lines);
    if (places) *places = places_in_order(lines, log);
    return lines;
}

void sortuj_ostrzezenia(std::vector<std::string>& lines) {
    // compare_pl weighs one character at a time, so each line becomes the
    // list of its characters' ranks once: the few distinct characters are
    // ranked with compare_pl itself, and the lines are then compared by
    // rank. The order stays exact and thousands of lines that share long
    // beginnings sort quickly.
    std::map<std::uint32_t, std::string> distinct;  // code point -> its bytes
    std::vector<std::vector<std::uint32_t>> keys(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        for (size_t at = 0; at < line.size();) {
            const auto [cp, n] = next_character(line, at);
            if (cp >= 0x80 && !distinct.count(cp)) distinct.emplace(cp, line.substr(at, n));
            keys[i].push_back(cp);
            at += n;
        }
    }
    std::vector<std::pair<std::uint32_t, std::string>> ordered(distinct.begin(), distinct.end());
    for (std::uint32_t c = 0; c < 0x80; ++c) ordered.emplace_back(c, std::string(1, char(c)));
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return compare_pl(a.second, b.second) < 0; });
    std::array<std::uint32_t, 0x80> asciiRank{};
    std::map<std::uint32_t, std::uint32_t> rank;
    std::uint32_t r = 0;
    for (size_t i = 0; i < ordered.size(); ++i) {
        if (i > 0 && compare_pl(ordered[i - 1].second, ordered[i].second) != 0) ++r;
        if (ordered[i].first < 0x80)
            asciiRank[ordered[i].first] = r;
        else
            rank[ordered[i].first] = r;
    }
    for (auto& key : keys)
        for (std::uint32_t& c : key) c = c < 0x80 ? asciiRank[c] : rank[c];

    std::vector<size_t> order(lines.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<std::string> sorted;
    sorted.reserve(lines.size());
    for (size_t i : order) sorted.push_back(std::move(lines[i]));
    lines = std::move(sorted);
}

std::filesystem::path warnings_file(const Plan& plan) { return plan.paths.root / kWarningsFileName; }

warnings_report a_WarningsExecute(Plan& plan, const warnings_hooks& hooks) {
    warnings_report report;
    if (plan.weekMode) {
        report.outcome = warnings_outcome::WeekMode;
        return report;
    }
    if (!plan.group()) return report;

    przygotuj_ostrzezenia(plan, hooks);
    report.lines = sprawdz_ostrzezenia(plan, &report.places);
    report.file = warnings_file(plan);
    if (io_result r = write_bytes(report.file, file_bytes(report.lines), &plan.tr); !r) {
        report.outcome = warnings_outcome::WriteFailed;
        report.error = r.error;
        return report;
    }
    report.outcome = warnings_outcome::Written;
    if (hooks.openFile) hooks.openFile(report.file);
    return report;
}

}  // namespace planek
