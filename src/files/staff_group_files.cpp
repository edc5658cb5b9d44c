#include "files/staff_group_files.h"

#include <algorithm>
#include <system_error>

#include "core/cp1250.h"
#include "core/file_io.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "files/archive.h"
#include "files/group_file.h"
#include "core/guarded_write.h"
#include "core/stored_fields.h"
#include "files/legacy_import.h"
#include "files/line_text.h"
#include "files/month_lock.h"
#include "files/save_conflict.h"
#include "files/record_ids.h"
#include "files/staff_archive.h"
#include "files/staff_file.h"
#include "files/staff_merge.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// The staff and group files are read either way; a copy that was due but
// could not be made is told with the other problems of the read.
void keep_safety_copies(const fs::path& file, file_problems& problems) {
    for (const auto& [ext, days] : {std::pair{".bak", 4}, std::pair{".err", 10}})
        if (safety_copy_result copy = safety_copy(file, ext, days, &problems.tr); !copy.error.empty())
            problems.add_text(std::move(copy.error));
}

bool is_file(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

void remove_file(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
}

fs::path with_ext(fs::path p, const std::string& ext) { return p += ext; }

std::string msg(const Plan& plan, const std::string& key, const std::string& fallback,
                std::initializer_list<std::string> args) {
    return fill_text(plan.tr.msg(key, fallback), args);
}

std::vector<std::string> line_places(const std::string& file, const std::vector<int>& lines,
                                     const file_problems& problems) {
    std::vector<std::string> where;
    for (int n : lines) where.push_back(problems.where(file, n));
    return where;
}

// The next save rewrites the file from the tables; what could not be read
// must survive that, so the file as it was is copied aside first.
void keep_original(const Plan& plan, const fs::path& source, file_problems& problems) {
    fs::path copy = keep_copy(plan, source, ".bad_");
    if (!copy.empty())
        problems.add_text(msg(plan, "msg_OriginalKept", "Plik %s w pierwotnej postaci zachowano jako %s.",
                              {source.filename().string(), copy.filename().string()}));
    else
        problems.add_text(msg(plan, "msg_OriginalNotKept", "Nie udało się zachować kopii pliku %s.",
                              {source.string()}));
}

bool any_text(const std::vector<std::string>& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const std::string& l) { return !trim(l).empty(); });
}

// The group file, else its safety copies: the first that can be read and
// holds a line. An unreadable or empty file is reported and passed over.
fs::path find_groups(Plan& plan, std::vector<std::string>& lines, file_problems& problems,
                     files_report& report) {
    const fs::path main = plan.paths.data / "grupy.ini";
    plan.guards.damaged.erase(guard_key(main));
    bool unreadable = false;
    for (const fs::path& p : {main, with_ext(main, ".bak"), with_ext(main, ".err")}) {
        if (!is_file(p)) continue;
        std::string error;
        if (!read_lines(p, lines, error, kGroupFileBound, &plan.tr)) {
            problems.add_text(error);
            // What could not be read (too large, no permission) is never
            // replaced by the groups of a copy.
            if (p == main)
                plan.guards.damaged[guard_key(main)] =
                    error + " " + msg(plan, "msg_GroupsNotOverwritten",
                                      "Plik %s nie zostanie nadpisany, dopóki nie da się go odczytać.",
                                      {main.filename().string()});
            unreadable = true;
        } else if (!any_text(lines)) {
            problems.add_text(msg(plan, "msg_FileEmpty", "Plik %s jest pusty.", {p.string()}));
        } else {
            if (p != main)
                problems.add_text(msg(plan, "msg_GroupsFromCopy", "Grupy wczytano z kopii %s.",
                                      {p.filename().string()}));
            return p;
        }
    }
    if (unreadable) report.failed = true;
    return {};
}

// What a file was when it was read, kept only when the tables come from it:
// taken before the read, so a write slipping in between shows as a change.
void note_read(Plan& plan, const fs::path& file, const file_fingerprint& before, const fs::path& source) {
    if (source.empty() || source == file)
        plan.guards.read[guard_key(file)] = before;
    else
        plan.guards.read.erase(guard_key(file));
}

void load_groups(Plan& plan, file_problems& problems, files_report& report) {
    std::vector<std::string> lines;
    const file_fingerprint asRead = current_fingerprint(plan.paths.data / "grupy.ini");
    const fs::path source = find_groups(plan, lines, problems, report);
    note_read(plan, plan.paths.data / "grupy.ini", asRead, source);
    if (source.empty()) return;
    if (source.filename() == "grupy.ini") {
        // Only a readable file replaces the safety copies.
        keep_safety_copies(source, problems);
    }
    const size_t before = problems.size();
    const std::string name = source.filename().string();
    std::vector<int> numbers;
    std::vector<grupa> groups = read_group_lines(lines, name, problems, &numbers);
    mend_ids(
        groups, line_places(name, numbers, problems),
        [&problems](const grupa& g) {
            return fill_text(problems.tr.msg("msg_OwnerGroup", "grupa „%s”"), {g.name});
        },
        problems);
    if (problems.size() > before) keep_original(plan, source, problems);
    append_loaded_groups(plan, std::move(groups));
}

// The staff file held in an archive, or a reason naming the archive.
bool read_staff_archive(const Plan& plan, const fs::path& archive, std::string& bytes, std::string& why) {
    const archive_check c = read_staff_member(archive, bytes);
    if (c.ok()) return true;
    why = archive_fault_text(plan.tr, archive, c);
    return false;
}

// A plain staff file beside a good archive is a leftover of an older
// version; the archive wins, but a leftover that differs from it is kept
// under the dated name a failed save would have used.
void settle_plain_leftover(const Plan& plan, const fs::path& plain, const std::string& archived,
                           file_problems& problems) {
    if (!is_file(plain)) return;
    std::string bytes, error;
    if (read_bytes(plain, bytes, error) && bytes == archived) {
        remove_file(plain);
        return;
    }
    fs::path kept = free_dated_name(plan, plain, ".error_");
    std::error_code ec;
    fs::rename(plain, kept, ec);
    problems.add_text(msg(plan, "msg_PlainStaffKept",
                          "Plik %s różnił się od zawartości archiwum kadra.inr; zachowano go jako %s.",
                          {plain.filename().string(), (ec ? plain : kept).filename().string()}));
}

// The staff archive does not read whole. Its bytes are kept once under
// ".bad_", and the staff come from the newest copy that reads whole: taken
// for good only when the user says so; otherwise (and always on the command
// line) for viewing, with the archive refused to every save. Returns the
// file the staff came from, empty when no copy reads whole.
fs::path take_staff_copy(Plan& plan, const fs::path& inr, const std::string& why, std::string& bytes,
                         file_problems& problems, files_report& report) {
    const fs::path kept = keep_copy(plan, inr, ".bad_");
    const std::string keptText =
        kept.empty() ? msg(plan, "msg_OriginalNotKept", "Nie udało się zachować kopii pliku %s.", {inr.string()})
                     : msg(plan, "msg_OriginalKept", "Plik %s w pierwotnej postaci zachowano jako %s.",
                           {inr.filename().string(), kept.filename().string()});
    std::optional<staff_copy> copy = newest_good_staff_copy(plan);
    if (!copy) {
        const std::string refusal =
            why + " " +
            msg(plan, "msg_StaffNotLoaded", "Pracownicy nie zostali wczytani; plik %s pozostaje bez zmian.",
                {inr.string()});
        plan.guards.damaged[guard_key(inr)] = refusal;
        problems.add_text(refusal);
        problems.add_text(keptText);
        report.failed = true;
        return {};
    }
    const std::string offered = staff_copy_text(plan, *copy);
    bool take = false;
    if (plan.guards.damagePolicy == damage_policy::Ask)
        take = plan.ui->ask(why + kLineBreak +
                                msg(plan, "msg_TakeStaffCopy",
                                    "Najnowsza dobra kopia to %s. Wczytać z niej pracowników i zapisać ich w %s przy "
                                    "następnym zapisie?%sNie: pracownicy z kopii tylko do wglądu, plik %s pozostaje "
                                    "bez zmian.",
                                    {offered, inr.filename().string(), kLineBreak, inr.filename().string()}),
                            Buttons::YesNo) == Answer::Yes;
    bytes = std::move(copy->bytes);
    if (take) {
        report.copyTaken = true;
        problems.add_text(msg(plan, "msg_StaffFromCopy", "Pracowników wczytano z kopii %s.", {offered}));
    } else {
        const std::string refusal =
            why + " " +
            msg(plan, "msg_StaffViewOnly",
                "Pracowników wczytano z kopii %s tylko do wglądu; nic nie zostanie zapisane w %s, dopóki nie zastąpi "
                "go dobra kopia.",
                {offered, inr.filename().string()});
        plan.guards.damaged[guard_key(inr)] = refusal;
        problems.add_text(refusal);
    }
    problems.add_text(keptText);
    return copy->file;
}

// Finds the staff: the archive, else (when it does not read whole) a copy
// of it (never refreshed from a damaged archive), else a plain file of an
// older version. Returns the file the bytes came from, empty when there are
// none. `asRead` is what the archive was before the read; when the archive
// is packed here from the plain file, it becomes the archive just made,
// which is what was read.
fs::path find_staff(Plan& plan, std::string& bytes, file_fingerprint& asRead, file_problems& problems,
                    files_report& report) {
    const fs::path inr = plan.paths.data / kStaffArchive;
    const fs::path ini = plan.paths.data / kStaffMember;
    plan.guards.damaged.erase(guard_key(inr));
    if (is_file(inr)) {
        std::string why;
        if (read_staff_archive(plan, inr, bytes, why)) {
            keep_safety_copies(inr, problems);
            remove_file(with_ext(ini, ".bak"));
            remove_file(with_ext(ini, ".err"));
            settle_plain_leftover(plan, ini, bytes, problems);
            return inr;
        }
        return take_staff_copy(plan, inr, why, bytes, problems, report);
    }
    if (!is_file(ini)) return {};
    std::string error;
    if (!read_bytes(ini, bytes, error, kStaffFileBound, &plan.tr)) {
        problems.add_text(error);
        report.failed = true;
        return {};
    }
    // Packed before the plain file goes, so a crash before exit loses nothing.
    if (io_result r = archive_pack_members({{kStaffMember, bytes}}, inr, &plan.tr); !r) {
        problems.add_text(r.error);
        return ini;
    }
    asRead = current_fingerprint(inr);
    remove_file(ini);
    return inr;
}

void load_staff(Plan& plan, file_problems& problems, files_report& report) {
    std::string bytes;
    const fs::path inr = plan.paths.data / kStaffArchive;
    file_fingerprint asRead = current_fingerprint(inr);
    const fs::path source = find_staff(plan, bytes, asRead, problems, report);
    note_read(plan, inr, asRead, source);
    if (source.empty()) return;
    std::string tooMany;
    if (!within_line_bound(kStaffMember, bytes, kStaffFileBound, tooMany, &plan.tr)) {
        // Nothing of it is read, and nothing overwrites it.
        plan.guards.damaged[guard_key(inr)] = tooMany;
        plan.guards.read.erase(guard_key(inr));
        problems.add_text(tooMany);
        report.failed = true;
        return;
    }
    const size_t before = problems.size();
    std::vector<int> numbers;
    std::vector<prac> workers = read_staff_lines(split_text_lines(cp1250_to_utf8(bytes)), kStaffMember, problems,
                                                 &numbers);
    mend_ids(
        workers, line_places(kStaffMember, numbers, problems),
        [&problems](const prac& w) {
            return fill_text(problems.tr.msg("msg_OwnerWorker", "pracownik „%s”"), {w.fullName()});
        },
        problems);
    if (problems.size() > before) keep_original(plan, source, problems);
    append_loaded_workers(plan, std::move(workers));
}

// The lines the tables give now, as a save would write them.
std::vector<std::string> group_lines_now(const Plan& plan) {
    file_problems ignored{plan.tr, {}};
    return group_file_lines(plan.groups, ignored);
}

std::vector<std::string> staff_lines_now(const Plan& plan) {
    file_problems ignored{plan.tr, {}};
    return staff_file_lines(plan.workers, ignored);
}

// The stored fields alone: a line is made from nothing else.
std::vector<prac> stored_records(const std::vector<prac>& workers) {
    std::vector<prac> records(workers.size());
    for (size_t i = 0; i < workers.size(); ++i) copy_fields(records[i], workers[i], kStaffFields);
    return records;
}

// Whether the tables give other staff lines than `disk`. A worker whose
// stored fields are those her line on disk was made from gives that line
// again, so only the workers changed since are made into lines.
bool staff_lines_differ(const Plan& plan, const staff_on_disk& disk) {
    const size_t n = plan.workers.size();
    if (disk.lines.size() != n) return true;
    if (disk.records.size() != n) return staff_lines_now(plan) != disk.lines;
    file_problems ignored{plan.tr, {}};
    for (size_t i = 0; i < n; ++i)
        if (!same_fields(plan.workers[i], disk.records[i], kStaffFields) &&
            staff_file_line(plan.workers[i], ignored) != disk.lines[i])
            return true;
    return false;
}

}  // namespace

void remember_on_disk(Plan& plan) {
    plan.groupLinesOnDisk = group_lines_now(plan);
    plan.staffOnDisk = staff_on_disk{staff_lines_now(plan), stored_records(plan.workers)};
}

void append_loaded_groups(Plan& plan, std::vector<grupa>&& groups) {
    for (grupa& g : groups) {
        g.customNorm = false;
        g.customNormMinutes = 0;
        g.monthNorm = 0;
        plan.groups.push_back(std::move(g));
    }
}

void append_loaded_workers(Plan& plan, std::vector<prac>&& workers) {
    for (prac& w : workers) {
        w.months.resize(std::max<size_t>({w.months.size(), plan.months.size(), 1}));
        plan.workers.push_back(std::move(w));
    }
    plan.rebuildWorkerIds();
}

files_report wczytaj(Plan& plan) {
    files_report report;
    file_problems problems{plan.tr, {}};
    plan.groups.clear();
    plan.workers.clear();
    if (plan.paths.data.empty()) {
        // Never read or write relative to whatever the current folder is.
        report.failed = true;
        problems.add_text(plan.tr.msg("msg_NoDataFolder", "Nie wybrano folderu danych."));
    } else if (is_file(plan.paths.data / "planek.ini")) {
        if (!wczytaj_stary_planek_ini(plan, problems)) report.failed = true;
    } else {
        load_groups(plan, problems, report);
        load_staff(plan, problems, report);
    }
    plan.rebuildWorkerIds();
    remember_on_disk(plan);
    // The damaged archive holds none of the copy's lines: the next save writes them.
    if (report.copyTaken) plan.staffOnDisk = staff_on_disk{};
    // Indexes into the old tables must not outlive them.
    if (plan.currentGroup >= int(plan.groups.size())) plan.currentGroup = plan.groups.empty() ? -1 : 0;
    if (plan.currentWorker >= int(plan.workers.size())) plan.currentWorker = -1;
    report.problems = std::move(problems.items);
    report.said = problems_said(plan, report.problems, "msg_LoadProblems", "Podczas odczytu danych wystąpiły problemy:");
    return report;
}

namespace {

// The staff lines of a file as this program would write them, so that two
// texts differ only where a value does.
std::vector<std::string> staff_lines_as_written(const Plan& plan, const std::string& bytes) {
    file_problems ignored{plan.tr, {}};
    const std::vector<std::string> lines = split_text_lines(cp1250_to_utf8(bytes));
    std::vector<prac> workers;
    for (size_t n = 0; n < lines.size(); ++n)
        if (!trim(lines[n]).empty()) workers.push_back(read_staff_line(lines[n], kStaffMember, int(n + 1), ignored));
    return staff_file_lines(workers, ignored);
}

// When somebody saved the staff since this program read them, this
// program's changes go onto the newer file, balances by the difference made
// here; only a field both changed is put to the user, and declined, the staff
// go to a file of their own like any staff that could not be written. The
// newer file becomes what was read, so a save tried again on a still newer
// one adds this program's difference once.
io_result merge_newer_staff(Plan& plan, const fs::path& inr, std::vector<std::string>& lines,
                            staff_stage& staged, file_problems& problems) {
    const auto it = plan.guards.read.find(guard_key(inr));
    if (it == plan.guards.read.end()) return {};
    // Taken before the bytes are read: a file changed in between is caught by the save's check.
    const file_fingerprint now = current_fingerprint(inr);
    if (!now.exists || same_content(it->second, now)) return {};
    guarded_write_result refused;
    refused.changed = true;
    if (auto owner = read_lock_file(open_lock_file(inr)); owner && !is_this_process(*owner)) refused.changedBy = owner;
    refused.io = {changed_file_text(inr, refused.changedBy, &plan.tr)};
    std::string theirs, why;
    if (!read_staff_archive(plan, inr, theirs, why)) return {why};
    const std::vector<std::string> theirLines = staff_lines_as_written(plan, theirs);
    const staff_merge merged =
        merge_staff_lines(plan.staffOnDisk ? plan.staffOnDisk->lines : std::vector<std::string>{}, lines, theirLines);
    if (!merged.clashes.empty() && !agree_to_merge_staff(plan, refused, inr, merged.clashes)) return refused.io;
    plan.guards.read[guard_key(inr)] = now;
    plan.staffOnDisk = staff_on_disk{theirLines, {}};
    take_merged_staff(plan, merged.lines);
    lines = staff_file_lines(plan.workers, problems);
    staged.merged = msg(plan, "msg_StaffMerged",
                          "Plik %s zapisał w międzyczasie inny program; zmiany z tego programu dodano do niego.",
                          {inr.filename().string()});
    return {};
}

// An archive that cannot be read is not overwritten before its bytes are
// kept: it may still be repairable. A copy of those bytes kept at the read
// is enough; otherwise it moves aside under a dated name.
bool set_aside_unreadable(Plan& plan, const fs::path& inr, file_problems& problems) {
    if (!is_file(inr)) return true;
    std::string bytes, why;
    if (read_staff_archive(plan, inr, bytes, why)) return true;
    plan.guards.read.erase(guard_key(inr));  // nothing was read from it to be kept
    std::string raw, error;
    if (read_bytes(inr, raw, error) && !kept_copy_of(inr, ".bad_", raw).empty()) return true;
    fs::path aside = free_dated_name(plan, inr, ".bad_");
    std::error_code ec;
    fs::rename(inr, aside, ec);
    if (ec) return false;
    problems.add_text(msg(plan, "msg_ArchiveSetAside", "Uszkodzone archiwum %s zachowano jako %s.",
                          {inr.filename().string(), aside.filename().string()}));
    return true;
}

// A file nobody may write is refused like a read-only month, naming it.
bool refused_read_only(const Plan& plan, const fs::path& file, staff_stage& staged) {
    if (!is_read_only(file)) return false;
    staged.refused = msg(plan, "msg_FileReadOnlyNamed",
                         "Plik %s posiada atrybut \"tylko do odczytu\". Brak możliwości zapisu do niego.",
                         {file.string()});
    return true;
}

// A file that did not read whole is written over only once the user chose.
bool refused_damaged(const Plan& plan, const fs::path& file, staff_stage& staged) {
    const auto it = plan.guards.damaged.find(guard_key(file));
    if (it == plan.guards.damaged.end()) return false;
    staged.refused = it->second;
    return true;
}

// A failed save leaves the staff on disk only as the dated plain file.
void keep_staff_aside(const Plan& plan, const std::string& bytes, file_problems& problems) {
    const fs::path kept = free_dated_name(plan, plan.paths.data / kStaffMember, ".error_");
    if (io_result r = write_bytes(kept, bytes, &plan.tr); r)
        problems.add_text(msg(plan, "msg_StaffKeptPlain", "Dane pracowników zapisano w pliku %s.", {kept.string()}));
    else
        problems.add_text(msg(plan, "msg_StaffNotSaved", "Dane pracowników nie zostały zapisane: %s", {r.error}));
}

void stage_groups(Plan& plan, save_set& set, staff_stage& staged, file_problems& problems) {
    std::vector<std::string> lines = group_file_lines(plan.groups, problems);
    const fs::path file = plan.paths.data / "grupy.ini";
    if (lines.empty() || refused_damaged(plan, file, staged) || refused_read_only(plan, file, staged)) return;
    std::string bytes;
    if (io_result r = lines_bytes(plan.paths.data / "grupy.ini", lines, bytes, &plan.tr); !r) {
        staged.refused = r.error;
        return;
    }
    set.add(plan.paths.data / "grupy.ini", std::move(bytes));
    staged.groupLines = std::move(lines);
}

void stage_staff(Plan& plan, save_set& set, staff_stage& staged, file_problems& problems) {
    const fs::path inr = plan.paths.data / kStaffArchive;
    // The plain staff file is built in memory and never written beside the
    // archive; only a failed save puts it on disk, under the dated name.
    std::vector<std::string> lines = staff_file_lines(plan.workers, problems);
    staged.staffBytes = encode_lines(lines);
    if (refused_damaged(plan, inr, staged) || refused_read_only(plan, inr, staged)) return;
    if (!set_aside_unreadable(plan, inr, problems)) {
        staged.refused = msg(plan, "msg_ArchiveNotReplaced", "Nie można zastąpić uszkodzonego archiwum %s.",
                             {inr.string()});
        return;
    }
    if (io_result merged = merge_newer_staff(plan, inr, lines, staged, problems); !merged) {
        staged.refused = merged.error;
        return;
    }
    staged.staffBytes = encode_lines(lines);
    std::string bytes;
    if (io_result r = archive_bytes({{kStaffMember, staged.staffBytes}}, inr, bytes, &plan.tr); !r) {
        staged.refused = r.error;
        return;
    }
    set.add(inr, std::move(bytes));
    staged.staffLines = std::move(lines);
    staged.staffRecords = stored_records(plan.workers);
}

}  // namespace

staff_stage stage_staff_files(Plan& plan, save_set& set, file_problems& problems, bool onlyChanged) {
    staff_stage staged;
    if (plan.paths.data.empty()) return staged;
    if (onlyChanged && (!plan.saveStaffAtExit || !plan.groupLinesOnDisk || !plan.staffOnDisk)) return staged;
    std::error_code ec;
    fs::create_directories(plan.paths.data, ec);
    if (!plan.groups.empty() && (!onlyChanged || group_lines_now(plan) != *plan.groupLinesOnDisk))
        stage_groups(plan, set, staged, problems);
    if (!plan.workers.empty() && (!onlyChanged || staff_lines_differ(plan, *plan.staffOnDisk)))
        stage_staff(plan, set, staged, problems);
    return staged;
}

void staff_files_saved(Plan& plan, staff_stage& staged) {
    if (staged.groupLines) plan.groupLinesOnDisk = std::move(staged.groupLines);
    if (staged.staffLines) plan.staffOnDisk = staff_on_disk{std::move(*staged.staffLines), std::move(staged.staffRecords)};
}

files_report zapisz(Plan& plan) {
    files_report report;
    file_problems problems{plan.tr, {}};
    if (plan.paths.data.empty()) {
        report.failed = true;
        report.problems = {plan.tr.msg("msg_NoDataFolder", "Nie wybrano folderu danych.")};
        report.said = problems_said(plan, report.problems, "msg_SaveProblems", "Podczas zapisu danych wystąpiły problemy:");
        return report;
    }
    save_set set;
    set.tr = &plan.tr;
    staff_stage staged = stage_staff_files(plan, set, problems, false);
    // Groups and staff go together: the staff never name a group the group
    // file on disk does not hold, nor the other way round.
    io_result saved = staged.refused.empty()
                          ? commit_guarded_save_set(set, plan.paths.data, plan.guards.read, plan_owner(plan)).io
                          : io_result{staged.refused};
    if (saved) {
        staff_files_saved(plan, staged);
    } else {
        report.failed = true;
        problems.add_text(saved.error);
        if (!plan.workers.empty()) keep_staff_aside(plan, staged.staffBytes, problems);
    }
    report.problems = std::move(problems.items);
    report.said = problems_said(plan, report.problems, "msg_SaveProblems", "Podczas zapisu danych wystąpiły problemy:");
    return report;
}

bool staff_files_behind(const Plan& plan) {
    // Unread files are not known to differ, and after a staff restore the
    // files on disk are the ones to keep.
    if (!plan.saveStaffAtExit || !plan.groupLinesOnDisk || !plan.staffOnDisk) return false;
    return group_lines_now(plan) != *plan.groupLinesOnDisk || staff_lines_differ(plan, *plan.staffOnDisk);
}

files_report zapisz_gdy_zmienione(Plan& plan) {
    if (!staff_files_behind(plan)) return {};
    return zapisz(plan);
}

}  // namespace planek
