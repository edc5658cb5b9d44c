#include "files/backups.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <map>

#include "core/ini_file.h"
#include "core/system_error_text.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "files/archive.h"
#include "files/month_file.h"
#include "files/month_project.h"
#include "files/recent_files.h"
#include "files/staff_group_files.h"
#include "settings/option_values.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

bool skipped_folder(const fs::path& folder) {
    const std::string name = folder.filename().string();
    return (!name.empty() && name[0] == '.') || lower_pl(name) == "recycled";
}

bool has_extension(const fs::path& file, const std::string& ext) {
    return lower_pl(file.extension().string()) == ext;
}

// Files of one extension below `root`, recursively, in a stable order.
void collect(const fs::path& root, const std::string& ext, std::vector<fs::path>& out) {
    std::error_code ec;
    if (!fs::is_directory(root, ec)) return;
    std::vector<fs::path> found;
    fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        const fs::directory_entry& e = *it;
        if (e.is_directory(ec)) {
            if (skipped_folder(e.path())) it.disable_recursion_pending();
            continue;
        }
        if (e.is_regular_file(ec) && has_extension(e.path(), ext)) found.push_back(e.path());
    }
    std::sort(found.begin(), found.end());
    out.insert(out.end(), found.begin(), found.end());
}

// Whether `inner` is `outer` or lies below it, part by part (so "dane2" is
// not inside "dane").
bool lies_within(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path a = fs::weakly_canonical(inner, ec);
    const fs::path b = fs::weakly_canonical(outer, ec);
    auto ia = a.begin();
    for (auto ib = b.begin(); ib != b.end(); ++ib, ++ia) {
        if (ib->empty()) continue;  // a trailing separator
        if (ia == a.end() || *ia != *ib) return false;
    }
    return true;
}

fs::path last_project_folder(const Plan& plan) {
    std::string first = plan.options.recentProjects[0];
    IniFile ini(recent_config_file(plan));
    if (auto stored = ini.value("pliki_Project", "plik1")) first = *stored;
    const std::vector<std::string> files = split_fields(first);
    if (files.empty() || files.front().empty()) return {};
    return fs::path(files.front()).parent_path();
}

// Bare names inside the archive, made unique: "a.pnk", "a_2.pnk", ...
std::vector<archive_member> unique_members(const Plan& plan, const std::vector<fs::path>& files,
                                           io_result& result) {
    std::vector<archive_member> members;
    std::map<std::string, int> taken;
    for (const fs::path& f : files) {
        archive_member m;
        std::string error;
        if (!read_bytes(f, m.bytes, error, kAnyFileBound, &plan.tr)) {
            result = {error.empty()
                          ? message(plan, "msg_CantReadFile", "Nie można odczytać pliku %s.", {f.string()})
                          : error};
            return {};
        }
        std::string name = f.filename().string();
        const std::string stem = f.stem().string();
        const std::string ext = f.extension().string();
        for (int n = 2; taken.count(lower_pl(name)); ++n) name = stem + "_" + std::to_string(n) + ext;
        taken[lower_pl(name)] = 1;
        m.name = name;
        members.push_back(std::move(m));
    }
    return members;
}

civil_date file_date(const fs::path& file) {
    std::error_code ec;
    const auto ft = fs::last_write_time(file, ec);
    if (ec) return {};
    const std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::file_clock::to_sys(ft));
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

long days_from(const civil_date& a, const civil_date& b) {
    namespace chr = std::chrono;
    auto days = [](const civil_date& d) {
        return chr::sys_days(chr::year(d.year) / chr::month(unsigned(d.month)) / chr::day(unsigned(d.day)));
    };
    return long((days(b) - days(a)).count());
}

bool copy_safely(const Translator& tr, const fs::path& from, const fs::path& to, std::string& error) {
    std::string bytes;
    if (!read_bytes(from, bytes, error, kAnyFileBound, &tr)) return false;
    io_result r = write_bytes(to, bytes, &tr);
    error = r.error;
    return r.ok();
}

// File and copy change places through the ".~ak" file, so running it again
// brings the first contents back. Every step writes whole files.
bool swap_with_copy(const Translator& tr, const fs::path& file, std::string& error) {
    const fs::path bak = file.string() + ".bak";
    const fs::path ak = file.string() + kRestoreMarker;
    std::error_code ec;
    if (!fs::exists(bak, ec)) return true;
    const fs::path first = fs::exists(file, ec) ? file : bak;
    return copy_safely(tr, first, ak, error) && copy_safely(tr, bak, file, error) &&
           copy_safely(tr, ak, bak, error);
}

const char* const kConfirmTail =
    " %s Czy ją przywrócić?%sBy ewentualnie przywrócić obecne dane ponownie uruchom \"odzyskiwanie danych\".";

}  // namespace

std::vector<fs::path> backup_file_list(const Plan& plan) {
    std::vector<fs::path> files;
    for (const char* ext : {".ini", ".inr", ".pnk"}) collect(plan.paths.data, ext, files);
    const fs::path last = last_project_folder(plan);
    std::error_code ec;
    if (!last.empty() && fs::is_directory(last, ec) && !lies_within(last, plan.paths.data))
        collect(last, ".pnk", files);
    return files;
}

io_result backup_files(Plan& plan, const std::string& archiveName) {
    const std::vector<fs::path> files = backup_file_list(plan);
    std::error_code ec;
    fs::create_directories(plan.paths.backup, ec);
    if (ec)
        return {message(plan, "msg_FolderNotMade", "Nie można utworzyć katalogu %s: %s",
                        {plan.paths.backup.string(), system_error_text(ec, &plan.tr)})};
    io_result result;
    const std::vector<archive_member> members = unique_members(plan, files, result);
    if (!result) return result;
    return archive_pack_members(members, plan.paths.backup / archiveName, &plan.tr);
}

std::string version_archive_name() {
    std::string v = kMonthFileVersion;
    std::replace(v.begin(), v.end(), '.', '_');
    return "backup_ver_" + v + ".bak";
}

io_result version_archive(Plan& plan) {
    std::error_code ec;
    if (fs::exists(plan.paths.backup / version_archive_name(), ec)) return {};
    return backup_files(plan, version_archive_name());
}

io_result periodic_archive(Plan& plan) {
    const int every = plan.options.glowne.autoarchiving;
    if (every <= 0) return {};
    const civil_date today = plan.clock->today();
    civil_date last = plan.options.glowne.last_backup;
    if (last.year == 0) last = today;
    std::error_code ec;
    const bool lastExists = fs::exists(plan.paths.backup / ("backup_" + option_date_text(last) + ".bak"), ec);
    if (days_from(last, today) <= every && lastExists) return {};
    io_result r = backup_files(plan, "backup_" + option_date_text(today) + ".bak");
    if (!r) return r;
    plan.options.glowne.last_backup = today;
    return r;
}

result<> t_SaveTimer(const Plan& plan) {
    // The autosave file alone: the month's own file, the staff, the Sunday
    // record, the modified state and the title stay as they are.
    // Sealed like the month's own file, so a recovery can tell it whole.
    const fs::path file = autosave_file(plan);
    std::string bytes;
    io_result r = month_file_bytes(plan, file, bytes);
    if (r) r = write_bytes(file, bytes, &plan.tr);
    if (!r) return refused(refusal_kind::Io, r.error, file.string());
    return {};
}

result<> autosave_recovery(Plan& plan) {
    std::error_code ec;
    const fs::path file = autosave_file(plan);
    if (!fs::exists(file, ec)) return refused(refusal_kind::NoSuchFile, {});
    const std::string question = message(plan, "msg_RestoreFormBackupFileQuestion",
                                         "Istnieje niezapisany plik. %sRozpocząć próbę odzyskania go?", {kLineBreak});
    if (plan.ui->ask(question, Buttons::YesNo) != Answer::Yes) return refused(refusal_kind::Cancelled, {});
    // The period starts again with the recovered month as its only tab.
    plan.openFiles.clear();
    plan.months.clear();
    for (prac& w : plan.workers) w.months.clear();
    for (grupa& g : plan.groups) g.monthSettings.clear();
    plan.currentMonth = 0;
    const result<> opened = otworz(plan, file.string());
    if (plan.months.empty()) {
        plan.months.resize(1);
        for (prac& w : plan.workers) w.months.resize(1);
        for (grupa& g : plan.groups) g.monthSettings.resize(1);
    }
    plan.currentFile.clear();
    if (!plan.openFiles.empty()) plan.openFiles.front().clear();
    // The recovered plan exists nowhere else yet.
    return opened;
}

void usun_autosave(Plan& plan) {
    std::error_code ec;
    fs::remove(autosave_file(plan), ec);
}

restore_menu mi_RestoreDataClick(const Plan& plan) {
    std::error_code ec;
    restore_menu m;
    m.month = !plan.currentFile.empty() && fs::exists(fs::path(plan.currentFile + ".bak"), ec);
    m.workers = fs::exists(plan.paths.data / "grupy.ini.bak", ec) || fs::exists(plan.paths.data / "kadra.inr.bak", ec);
    return m;
}

result<> a_RestoreMonth(Plan& plan) {
    if (const result<Answer> asked = czy_zapis(plan); !asked) return failed_as<void>(asked);
    if (plan.currentFile.empty()) return refused(refusal_kind::NoSuchFile, {});
    const fs::path file(plan.currentFile);
    const fs::path bak = plan.currentFile + ".bak";
    std::error_code ec;
    if (!fs::exists(bak, ec)) return refused(refusal_kind::NoSuchFile, {});
    const std::string question =
        message(plan, "msg_ConfirmBackupRestore",
                std::string("Istniejąca kopia zapasowa dla wybranego miesiąca pochodzi z: %s") + kConfirmTail,
                {option_date_text(file_date(bak)), kLineBreak, std::string(kLineBreak) + kLineBreak});
    if (plan.ui->ask(question, Buttons::YesNo) != Answer::Yes) return refused(refusal_kind::Cancelled, {});
    std::string error;
    const bool swapped = swap_with_copy(plan.tr, file, error);
    // Opening the month again drops the marker; until then nothing can save
    // the plan in memory over the restored file.
    result<> opened = otworz(plan, plan.currentFile);
    fs::remove(fs::path(plan.currentFile + kRestoreMarker), ec);
    if (!swapped) {
        result<> notSwapped(refused(refusal_kind::Io, error, file.string()));
        notSwapped.note_all(said_by(opened));
        return notSwapped;
    }
    return opened;
}

result<> a_RestoreWorkers(Plan& plan) {
    const fs::path groups = plan.paths.data / "grupy.ini";
    const fs::path staff = plan.paths.data / "kadra.inr";
    std::error_code ec;
    const fs::path gb = groups.string() + ".bak", kb = staff.string() + ".bak";
    const bool haveG = fs::exists(gb, ec), haveK = fs::exists(kb, ec);
    if (!haveG && !haveK) return refused(refusal_kind::NoSuchFile, {});
    civil_date newest{};
    fs::file_time_type latest = fs::file_time_type::min();
    for (const fs::path& p : {gb, kb})
        if (fs::exists(p, ec) && fs::last_write_time(p, ec) > latest) {
            latest = fs::last_write_time(p, ec);
            newest = file_date(p);
        }
    const std::string question =
        message(plan, "msg_ConfirmWorkersBackupRestore",
                std::string("Istniejąca kopia zapasowa danych pracowników pochodzi z: %s") + kConfirmTail,
                {option_date_text(newest), kLineBreak, std::string(kLineBreak) + kLineBreak});
    if (plan.ui->ask(question, Buttons::YesNo) != Answer::Yes) return refused(refusal_kind::Cancelled, {});
    const result<Answer> asked = czy_zapis(plan);
    if (!asked) return failed_as<void>(asked);
    const files_report written = zapisz(plan);
    plan.saveStaffAtExit = false;
    std::string error;
    bool ok = swap_with_copy(plan.tr, groups, error);
    if (ok) ok = swap_with_copy(plan.tr, staff, error);
    fs::remove(fs::path(groups.string() + kRestoreMarker), ec);
    fs::remove(fs::path(staff.string() + kRestoreMarker), ec);
    // The files stay as the swap left them; the user hears of it with the
    // advice to start again.
    result<> restored;
    restored.note(written.said);
    if (!ok) restored.note(refused(refusal_kind::Io, error));
    return restored;
}

result<> restore_archive(const Plan& plan, const fs::path& archive) {
    const fs::path target = plan.paths.backup / "dane";
    std::error_code ec;
    fs::create_directories(target, ec);
    if (io_result r = archive_unpack(archive, target, nullptr, &plan.tr); !r)
        return refused(refusal_kind::Io, r.error, archive.string());
    return result<>().with(notice(message(plan, "d_RestoreSuccessful", "Odzyskane pliki zostały zapisane w katalogu: %s%s",
                                          {kLineBreak, target.string()}),
                                  target.string()));
}

}  // namespace planek
