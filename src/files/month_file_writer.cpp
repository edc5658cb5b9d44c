#include <algorithm>
#include <cstdio>

#include "core/cp1250.h"
#include "core/guarded_write.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "files/file_problems.h"
#include "files/month_file.h"
#include "files/month_merge.h"
#include "files/month_lock.h"
#include "files/month_seal.h"
#include "files/month_wishes.h"
#include "files/month_overtime.h"
#include "files/save_conflict.h"
#include "files/save_set.h"
#include "files/staff_group_files.h"
#include "files/sundays.h"
#include "settings/option_values.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

class section_writer {
public:
    explicit section_writer(std::vector<std::string>& lines) : lines_(lines) {}
    void begin(const std::string& name) {
        if (!lines_.empty()) lines_.push_back("");
        lines_.push_back("[" + name + "]");
    }
    void put(const std::string& key, const std::string& value) { lines_.push_back(key + "=" + value); }
    void put(const std::string& key, long long value) { put(key, std::to_string(value)); }

private:
    std::vector<std::string>& lines_;
};

// Line breaks of a day note are kept as the field separator.
std::string note_to_line(const std::string& note) {
    std::string out;
    for (size_t i = 0; i < note.size(); ++i) {
        if (note[i] == '\r' && i + 1 < note.size() && note[i + 1] == '\n') continue;
        if (note[i] == '\r' || note[i] == '\n') {
            out += kSep;
        } else {
            out += note[i];
        }
    }
    return out;
}

// A duty note is one field of its line: a separator or a line break inside
// it would shift every later field, so they become blanks.
std::string safe_field(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, kSep.size(), kSep) == 0) {
            out += ' ';
            i += kSep.size() - 1;
        } else if (text[i] == '\r' || text[i] == '\n') {
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string duty_line(const dyzur& d) {
    return join_fields({std::to_string(d.groupId), std::to_string(d.workerId), std::to_string(d.day),
                        std::to_string(d.length), std::to_string(d.shift), std::to_string(d.start),
                        std::to_string(d.overtime), safe_field(d.note), flag_text(d.onRequest),
                        std::to_string(d.dutyAs), flag_text(d.medical), flag_text(d.alsoOvertime)});
}

std::string day_off_line(const wolne_& w) {
    return join_fields({std::to_string(w.groupId), std::to_string(w.workerId), std::to_string(w.dayFrom),
                        std::to_string(w.dayTo), std::to_string(w.normMinutes), kind_text(w.symbol),
                        flag_text(w.customNorm), flag_text(w.normWithPartTime),
                        std::to_string(w.customNormMinutes)});
}

const miesiac* shown_month(const Plan& plan) {
    if (plan.currentMonth < 0 || plan.currentMonth >= int(plan.months.size())) return nullptr;
    return &plan.months[plan.currentMonth];
}

const ms_* month_of(const prac& w, const Plan& plan) {
    if (plan.currentMonth < 0 || plan.currentMonth >= int(w.months.size())) return nullptr;
    return &w.months[plan.currentMonth];
}

int shown_day_count(const Plan& plan) { return std::min<int>(int(plan.days.size()), kMaxDays); }

void write_calendar(section_writer& out, const Plan& plan) {
    const miesiac* m = shown_month(plan);
    const int days = shown_day_count(plan);
    auto param = [&](int d) -> const day_param* {
        return (m && d < int(m->days.size())) ? &m->days[d] : nullptr;
    };
    out.begin("info");
    out.put("wersja", kMonthFileVersion);
    // Says the file ends with [koniec]: a cut after these lines shows as one.
    out.put(kEndAnnounced, "1");
    out.put("data", option_date_text(plan.clock->today()));
    out.put("status", plan.approvedStatus);
    out.put("stan", plan.planType);
    out.begin("okres");
    out.put("FromYear", plan.year);
    out.put("FromMonth", plan.month);
    out.put("WeekMode", flag_text(plan.weekMode));
    out.put("WeekModeFrom", plan.weekModeFrom);
    out.put("WeekModeCount", plan.weekModeCount);
    out.begin("urlop_normatyw");
    for (size_t k = 0; k < plan.options.dayOffKinds.size(); ++k)
        out.put(plan.options.dayOffKinds[k].code, flag_text(counts_toward_norm(plan, int(k))));
    out.begin("kalendarz_ostre_dyzury");
    for (int d = 0; d < days; ++d)
        if (param(d) && param(d)->erDuty) out.put(std::to_string(d), "1");
    out.begin("kalendarz_wlasny");
    for (int d = 0; d < days; ++d)
        if (param(d) && param(d)->ownHoliday) out.put(std::to_string(d), "1");
    out.begin("kalendarz_notatki");
    for (int d = 0; d < days; ++d)
        if (param(d) && !param(d)->note.empty()) out.put(std::to_string(d), note_to_line(param(d)->note));
}

void write_groups(section_writer& out, const Plan& plan) {
    for (const grupa& g : plan.groups) {
        if (g.old) continue;
        out.begin("g" + std::to_string(g.id));
        out.put("CustomNorma", flag_text(g.customNorm));
        out.put("Norma", g.customNormMinutes);
        out.put("day8", g.dailyNorm);
        out.put("sob_swieto", flag_text(g.saturdayHoliday));
        out.put("wolne_za_sob_swieto", flag_text(g.dayOffForSaturdayHoliday));
        out.put("noc_w_swieto_jak_swieto", flag_text(g.nightOnHolidayAsHoliday));
        out.put("bez_swiat", flag_text(g.noHolidays));
    }
}

void write_duties(section_writer& out, const Plan& plan) {
    out.begin("dyzury");
    int n = 0;
    for (const prac& w : plan.workers) {
        const ms_* m = month_of(w, plan);
        if (!m) continue;
        for (const auto& list : m->duties)
            for (const dyzur& d : list)
                if (d.groupId != 0) out.put("d" + std::to_string(++n), duty_line(d));
    }
    for (const dyzur& d : plan.orphanDuties) out.put("d" + std::to_string(++n), duty_line(d));
}

// The entry of day index d: its own, or the entry of the head slot whose
// range covers d, so a day off of several days is written once per day.
const wolne_* entry_covering(const ms_& m, int d) {
    const wolne_& slot = m.daysOff[d];
    if (slot.used()) return &slot;
    const int head = slot.headIndex;
    if (head == kNoHead || head >= d || head >= kMaxDays) return nullptr;
    const wolne_& h = m.daysOff[head];
    if (!h.used() || head + (int(h.dayTo) - int(h.dayFrom)) < d) return nullptr;
    return &h;
}

void write_days_off(section_writer& out, const Plan& plan) {
    out.begin("wolne");
    int n = 0;
    const int days = shown_day_count(plan);
    for (const prac& w : plan.workers) {
        const ms_* m = month_of(w, plan);
        if (!m) continue;
        for (int d = 0; d < days; ++d)
            if (const wolne_* e = entry_covering(*m, d)) out.put("w" + std::to_string(++n), day_off_line(*e));
    }
    for (const wolne_& w : plan.orphanDaysOff) out.put("w" + std::to_string(++n), day_off_line(w));
}

void write_workers(section_writer& out, const Plan& plan) {
    auto each = [&](const char* section, auto&& fn) {
        out.begin(section);
        for (const prac& w : plan.workers)
            if (const ms_* m = month_of(w, plan)) fn(w, *m);
    };
    each("normatywy_wlasne", [&](const prac& w, const ms_& m) {
        if (m.ownNorm) out.put(std::to_string(w.id), m.ownNormValue);
    });
    each("normatywy_wlasne_wyliczane", [&](const prac& w, const ms_& m) {
        if (m.ownNorm) out.put(std::to_string(w.id), flag_text(m.ownNormCalculated));
    });
    each("wymiar_etatu", [&](const prac& w, const ms_& m) { out.put(std::to_string(w.id), real_text(m.partTime)); });
    each("manu_nadpracowania", [&](const prac& w, const ms_& m) {
        if (m.overtimeManual != 0) out.put(std::to_string(w.id), m.overtimeManual);
    });
    each("auto_nadpracowania_z_poprzedniego", [&](const prac& w, const ms_& m) {
        if (m.overtimeFromPrevious != 0) out.put(std::to_string(w.id), m.overtimeFromPrevious);
    });
    out.begin("auto_nadpracowania");
    const std::vector<std::optional<long>> balances = month_overtime_balances(plan);
    for (size_t i = 0; i < plan.workers.size(); ++i) {
        if (plan.workers[i].old) continue;
        if (balances[i]) out.put(std::to_string(plan.workers[i].id), *balances[i]);
    }
}

}  // namespace

fs::path autosave_file(const Plan& plan) { return plan.paths.root / kAutosaveName; }

bool is_autosave_file(const Plan& plan, const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(autosave_file(plan), ec);
    const fs::path b = fs::weakly_canonical(fs::path(path), ec);
    return a == b || fs::path(path).filename() == kAutosaveName;
}

bool czy_puste_dyzury_i_wolne(const Plan& plan) {
    for (const grupa& g : plan.groups)
        if (g.customNorm) return false;
    for (const prac& w : plan.workers) {
        const ms_* m = month_of(w, plan);
        if (!m) continue;
        // Overtime carried in before the first duty is planned is the
        // month's own content too.
        if (m->overtimeFromPrevious != 0 || m->overtimeManual != 0) return false;
        for (const auto& list : m->duties)
            if (!list.empty()) return false;
        for (const wolne_& slot : m->daysOff)
            if (slot.used()) return false;
        for (const wish& x : m->wishes)
            if (x.used()) return false;
    }
    return true;
}

std::vector<std::string> month_file_lines(const Plan& plan) {
    std::vector<std::string> lines;
    section_writer out(lines);
    if (!plan.days.empty()) write_calendar(out, plan);
    // Entries of workers missing from the staff list count as entries: a plan
    // brought from another staff list must not lose them on its first save.
    const bool orphans = !plan.orphanDuties.empty() || !plan.orphanDaysOff.empty();
    if (orphans || !czy_puste_dyzury_i_wolne(plan)) {
        write_groups(out, plan);
        write_duties(out, plan);
        write_days_off(out, plan);
        if (!plan.workers.empty()) write_workers(out, plan);
    }
    const std::vector<std::string> wishes = wish_section_lines(plan);
    if (!wishes.empty() && !lines.empty()) lines.push_back("");
    lines.insert(lines.end(), wishes.begin(), wishes.end());
    return lines;
}

io_result month_file_bytes(const Plan& plan, const fs::path& file, std::string& bytes) {
    // A month read for one ward's part is no whole month to write anywhere.
    if (!plan.guards.wardOnly.empty())
        return {message(plan, "msg_MonthReadInPart",
                        "Plik %s wczytano tylko w części jednego oddziału; tak wczytanego miesiąca nie zapisuje się "
                        "jako całego pliku.",
                        {plan.currentFile})};
    if (io_result r = lines_bytes(file, month_file_lines(plan), bytes, &plan.tr); !r) return r;
    bytes = seal_month_bytes(std::move(bytes));
    return {};
}

namespace {

// The month went to a file of its own: the files of its set stayed as they
// were, and the user must hear it (a leave's balance did not move).
refusal files_left_as_they_were(const Plan& plan, const save_set& set) {
    std::string names;
    for (size_t n = 1; n < set.files.size(); ++n)
        names += (names.empty() ? "" : ", ") + set.files[n].target.filename().string();
    return refused(refusal_kind::Conflict,
                   fill_text(plan.tr.msg("msg_SetFilesNotChanged",
                                         "Plików zapisywanych razem z miesiącem (%s) nie zmieniono."),
                             {names}));
}

// The month changed on disk since this program read it. A program that
// holds one ward's part puts its changes onto the newer file when the two
// programs changed different parts; gives the merged month, with the newer
// file now counted as read, or nothing when the month is a conflict.
std::optional<std::vector<std::string>> month_onto_newer(Plan& plan, const fs::path& file,
                                                         const std::vector<std::string>& ours) {
    const std::string key = guard_key(file);
    const auto base = plan.guards.monthLines.find(key);
    if (!plan.guards.lockedGroup || base == plan.guards.monthLines.end()) return std::nullopt;
    const month_probe theirs = probe_month_file(plan, file);
    // A newer file that does not read whole is nothing to build on.
    if (!theirs.problems.empty()) return std::nullopt;
    const auto seen = theirs.read.guards.read.find(key);
    if (seen == theirs.read.guards.read.end()) return std::nullopt;
    const std::vector<std::string> theirLines = month_file_lines(theirs.read);
    month_merge m = merge_month_lines(base->second, ours, theirLines);
    if (!m.ok()) return std::nullopt;
    plan.guards.read[key] = seen->second;
    base->second = theirLines;
    return std::move(m.lines);
}

// A month read for one ward's part, put onto the file as it is now: the
// lines this program changed since the read, every other line as it stands.
struct part_on_file {
    std::vector<std::string> lines;
    file_fingerprint read;  // of the file the lines were put onto
    std::string clash;      // why they could not be, for the message
};

part_on_file part_onto_file(const Plan& plan, const fs::path& file) {
    part_on_file p;
    std::string bytes, error;
    const auto base = plan.guards.monthLines.find(guard_key(file));
    if (base == plan.guards.monthLines.end() || !read_bytes(file, bytes, error, kMonthFileBound, &plan.tr)) {
        p.clash = error.empty() ? file.filename().string() : error;
        return p;
    }
    const std::vector<std::string> theirs = split_text_lines(cp1250_to_utf8(bytes));
    // Never built on a file that does not prove itself whole.
    if (const month_end_check end = check_month_end(bytes); !end.trusted()) {
        p.clash = month_end_reason(plan.tr, end);
        return p;
    }
    month_merge m = splice_month_lines(base->second, month_file_lines(plan), unsealed_month_lines(theirs));
    if (!m.ok()) {
        for (const std::string& c : m.clashes) p.clash += (p.clash.empty() ? "" : ", ") + c;
        return p;
    }
    p.lines = std::move(m.lines);
    p.read = fingerprint_of(file, bytes);
    return p;
}

refusal part_not_saved(const Plan& plan, const fs::path& file, const std::string& why) {
    return refused(refusal_kind::Conflict,
                   message(plan, "msg_MonthPartNotSaved",
                           "Nie zapisano pliku %s: wczytano z niego tylko część jednego oddziału, a zmian tego "
                           "programu nie da się nanieść na plik w obecnej postaci (%s).",
                           {file.string(), why}),
                   file.string());
}

}  // namespace

result<> zapisz_dyzury_i_wolne(Plan& plan) {
    if (plan.currentFile.empty())
        return refused(refusal_kind::Io, plan.tr.msg("msg_NoFileToSave", "Brak pliku do zapisu."));
    const fs::path file(plan.currentFile);
    if (is_read_only(file))
        return refused(refusal_kind::Locked,
                       message(plan, "msg_FileReadOnly",
                               "Plik o wybranej nazwie posiada atrybut \"tylko do odczytu\". Brak możliwości "
                               "zapisu do niego."),
                       file.string());
    if (refusal held = ward_save_refusal(plan, plan.currentFile); held.said()) return held;
    // A file that did not prove itself whole keeps what is left of it until
    // the user saves the month under another name.
    if (const auto damaged = plan.guards.damaged.find(guard_key(file)); damaged != plan.guards.damaged.end())
        return refused(refusal_kind::Locked, damaged->second, file.string());
    // The month first, then what it draws on: the Sunday record and the
    // staff with their balances and pattern starts, all or none of them.
    // When another program saves the Sunday record or the staff in between,
    // they are read again and this program's changes put onto them; the
    // month itself is never merged.
    // A month read for one ward's part holds less than its file: only this
    // program's changes go onto the file, and only under that ward's lock.
    const bool inPart = !plan.guards.wardOnly.empty();
    if (inPart && (!plan.guards.lockedGroup || plan.guards.wardOnly != std::vector<word>{*plan.guards.lockedGroup} ||
                   !plan.guards.monthLines.count(guard_key(file))))
        return refused(refusal_kind::Locked,
                       message(plan, "msg_MonthReadInPart",
                               "Plik %s wczytano tylko w części jednego oddziału; tak wczytanego miesiąca nie "
                               "zapisuje się jako całego pliku.",
                               {file.string()}),
                       file.string());
    bool partRebased = false;
    constexpr int kTries = 8;
    result<> saved;
    save_set set;
    staff_stage staff;
    set_write_result written;
    std::string merged;
    std::optional<std::vector<std::string>> onNewer;  // this program's wards put onto a newer month
    for (int attempt = 1;; ++attempt) {
        set = {};
        set.tr = &plan.tr;
        saved = result<>();
        std::string bytes;
        std::optional<std::vector<std::string>> part;
        if (inPart) {
            part_on_file p = part_onto_file(plan, file);
            if (!p.clash.empty()) return part_not_saved(plan, file, p.clash);
            part = std::move(p.lines);
        }
        if (io_result r = lines_bytes(file, part ? *part : onNewer ? *onNewer : month_file_lines(plan), bytes,
                                      &plan.tr);
            !r)
            return refused(refusal_kind::Io, r.error, file.string());
        set.add(file, seal_month_bytes(std::move(bytes)));
        // A Sunday record that cannot be written is said; the month goes on without it.
        if (!plan.weekMode) saved.note(stage_niedziele(plan, set).error());
        file_problems problems{plan.tr, {}};
        staff = stage_staff_files(plan, set, problems, true);
        if (!staff.merged.empty()) merged = staff.merged;
        saved.note(problems_said(plan, problems.items, "msg_SaveProblems", "Podczas zapisu danych wystąpiły problemy:"));
        if (!staff.refused.empty()) {
            const std::string why =
                set.files.size() > 1
                    ? fill_text(plan.tr.msg("msg_MonthSetNotSaved",
                                            "Nie zapisano pliku %s ani plików zapisywanych razem z nim. %s"),
                                {file.string(), staff.refused})
                    : staff.refused;
            return refused(refusal_kind::Io, why, file.string());
        }
        // The month changed since it was read: this program's wards go onto
        // the newer file while its save lock keeps everybody else out.
        auto rebase = [&](staged_file& f) {
            if (f.target != file) return false;
            if (inPart) {
                part_on_file p = part_onto_file(plan, file);
                std::string onto;
                if (!p.clash.empty() || !lines_bytes(file, p.lines, onto)) return false;
                f.bytes = seal_month_bytes(std::move(onto));
                plan.guards.read[guard_key(file)] = p.read;
                partRebased = true;
                return true;
            }
            std::optional<std::vector<std::string>> next =
                month_onto_newer(plan, file, onNewer ? *onNewer : month_file_lines(plan));
            std::string merged;
            if (!next || !lines_bytes(file, *next, merged, &plan.tr)) return false;
            f.bytes = seal_month_bytes(std::move(merged));
            onNewer = std::move(next);
            return true;
        };
        written = commit_guarded_save_set(set, plan.paths.data, plan.guards.read, plan_owner(plan), rebase);
        if (!written.changed || written.changedFile == file || attempt == kTries) break;
    }
    if (!merged.empty()) saved.note(notice(merged));
    plan.guards.mergedOnSave = false;
    if (inPart && written.changed && written.changedFile == file)
        // Never a file of its own: the part read is no whole month.
        return part_not_saved(plan, file, written.io.error);
    plan.guards.mergedOnSave = (onNewer || partRebased) && written.ok();
    if ((onNewer || partRebased) && written.ok()) {
        // The other wards' part is the newer file's: read, the plan shows it.
        wczytaj_dyzury_i_wolne(plan);
        saved.note(notice(fill_text(plan.tr.msg("msg_MonthMergedByGroup",
                                                "Plik %s zapisał w międzyczasie planujący innego oddziału; "
                                                "zmiany z tego programu dodano do niego."),
                                    {file.filename().string()})));
    } else if (written.ok() && plan.guards.lockedGroup) {
        plan.guards.monthLines[guard_key(file)] = month_file_lines(plan);
    }
    if (written.changed && written.changedFile == file) {
        // Another program saved this month meanwhile: it goes under another
        // name, or nowhere; the files saved with it wait for the next save.
        result<> settled = settle_month_conflict(plan, written);
        if (!settled) return settled;
        if (set.files.size() > 1) settled.note(files_left_as_they_were(plan, set));
        if (plan.months.size() > 1) refresh_period_views(plan);
        settled.note_all(saved.notes);
        return settled;
    }
    if (!written.ok()) {
        std::string why = written.io.error;
        if (set.files.size() > 1)
            why = fill_text(plan.tr.msg("msg_MonthSetNotSaved",
                                        "Nie zapisano pliku %s ani plików zapisywanych razem z nim. %s"),
                            {file.string(), why});
        return refused(refusal_kind::Io, why, file.string());
    }
    staff_files_saved(plan, staff);
    if (plan.months.size() > 1) refresh_period_views(plan);
    return saved;
}

io_result write_empty_month_file(const std::filesystem::path& file, int year, int month,
                                 const Translator* tr) {
    // Sealed as every month we write, so the empty month reads whole.
    return write_bytes(file,
                       seal_month_bytes("[okres]\r\nFromYear=" + std::to_string(year) +
                                        "\r\nFromMonth=" + std::to_string(month) + "\r\n"),
                       tr);
}

}  // namespace planek

