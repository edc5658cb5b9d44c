#include "files/month_project.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "core/file_fingerprint.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "files/month_file.h"
#include "files/month_lock.h"
#include "files/recent_files.h"
#include "settings/options_file.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

void refresh_views(Plan& plan) {
    if (plan.hooks.project.refreshViews) plan.hooks.project.refreshViews(plan);
}

// The period is emptied before a project is opened into it.
void reset_period(Plan& plan) {
    plan.openFiles.clear();
    plan.months.clear();
    for (grupa& g : plan.groups) g.monthSettings.clear();
    for (prac& w : plan.workers) {
        w.months.clear();
        w.dayDuties.clear();
        w.dayExcluded.clear();
        w.dutyLists.clear();
    }
    plan.currentMonth = 0;
}

// The invariant of the tables: at least one period month everywhere.
void keep_one_month(Plan& plan) {
    if (!plan.months.empty()) return;
    plan.months.resize(1);
    for (grupa& g : plan.groups) g.monthSettings.resize(1);
    for (prac& w : plan.workers) w.months.resize(1);
    plan.currentMonth = 0;
}

// A month read for one ward's part and never saved: a look at the ward.
bool looks_at_part(const Plan& plan, bool touchFiles) { return !touchFiles && !plan.guards.wardOnly.empty(); }

bool in_part(const Plan& plan, const prac& w) {
    const std::vector<word>& part = plan.guards.wardOnly;
    return std::any_of(part.begin(), part.end(), [&](word g) { return w.inGroup(g); });
}

void refresh_opened_tab(Plan& plan, int tab, bool appended) {
    const bool last = tab == int(plan.months.size()) - 1;
    normatyw(plan, true, tab, last || plan.months.empty());
    odswiez_dall(plan, tab, appended);
    odswiez_dall2(plan, tab);
    for (const listed_worker& lw : plan.listed)
        if (lw.worker >= 0 && lw.worker < int(plan.workers.size()))
            call_odswiez_pracownika(plan, lw.worker, plan.showWorkers == ShowWorkers::All, plan.currentMonth);
}

struct chosen_file {
    std::string key;
    std::string path;
};

}  // namespace

std::string proposed_file_name(const Plan& plan) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d_%.2d", plan.year, plan.month);
    return std::string(buf) + ".pnk";
}

file_dialog project_open_dialog(Plan& plan) {
    file_dialog d;
    d.title = plan.tr.tr("dialogs", "d_ProjectOpen", "Otwórz planek");
    d.filter = plan.tr.tr("dialogs", "d_ProjectOpenFilter", "planek dyzurow (.pnk)|*.pnk");
    d.folder = dopisz_path(plan, (plan.paths.data / "x").string(), "path", false);
    d.defaultExtension = "pnk";
    return d;
}

file_dialog project_save_dialog(Plan& plan) {
    file_dialog d;
    d.title = plan.tr.tr("dialogs", "d_ProjectSave", "Zapisz projekt");
    d.filter = plan.tr.tr("dialogs", "d_ProjectSaveFilter", "planek dyzurow (.pnk)|*.pnk");
    d.folder = dopisz_path(plan, (plan.paths.data / "x").string(), "path", false);
    d.name = proposed_file_name(plan);
    d.defaultExtension = "pnk";
    return d;
}

file_dialog backup_open_dialog(const Plan& plan) {
    file_dialog d;
    d.title = plan.tr.msg("d_BackupOpen", "Restore...");
    d.filter = plan.tr.msg("d_BackupFilter", "Backup file (*.bak)|*.bak");
    d.folder = plan.paths.backup.string();
    d.defaultExtension = "bak";
    return d;
}

std::string project_caption(const Plan& plan) {
    if (plan.currentFile.empty()) return plan.options.appTitle;
    return plan.options.appTitle + " - " + fs::path(plan.currentFile).filename().string();
}

bool restore_pending(const Plan& plan) {
    std::error_code ec;
    if (plan.currentFile.empty()) return false;
    return fs::exists(fs::path(plan.currentFile + kRestoreMarker), ec) ||
           fs::exists(plan.paths.data / (std::string("planek.ini") + kRestoreMarker), ec);
}

result<> otworz(Plan& plan, const std::string& path, bool touchFiles) {
    usun_tymczasowych_pracownikow(plan);
    if (plan.groups.empty() || plan.workers.empty()) return refusal{};
    result<> opened;
    if (touchFiles) {
        const month_lock_outcome lock = lock_month(plan, path);
        if (!lock.open) return lock.said;
        opened.note(lock.said);
    }
    auto it = std::find(plan.openFiles.begin(), plan.openFiles.end(), path);
    const bool appended = it == plan.openFiles.end();
    int tab = int(it - plan.openFiles.begin());
    if (appended) {
        // A period that still holds its placeholder month takes the file in it.
        if (plan.openFiles.empty() && plan.months.size() == 1) plan.months.clear();
        plan.openFiles.push_back(path);
        plan.months.emplace_back();
        const size_t n = plan.months.size();
        for (grupa& g : plan.groups) g.monthSettings.resize(n);
        // A look at one ward leaves the rest of the staff without months
        // (the reader gives them to the workers the ward's part names).
        const bool part = looks_at_part(plan, touchFiles);
        for (prac& w : plan.workers)
            if (!part || !w.months.empty()) w.months.resize(n);
        tab = int(n) - 1;
    }
    plan.currentMonth = tab;
    plan.currentFile = path;
    if (touchFiles)
        wczytaj_dyzury_i_wolne(plan, &opened.notes);
    else
        wczytaj_tylko_do_odczytu(plan, &opened.notes);
    refresh_opened_tab(plan, tab, appended);
    return opened;
}

result<std::vector<std::string>> otworz_projekt(Plan& plan, const std::vector<std::string>& chosen, bool touchFiles) {
    result<std::vector<std::string>> opened(std::vector<std::string>{});
    if (chosen.empty()) return opened;
    if (touchFiles) release_month_locks(plan);
    reset_period(plan);
    if (touchFiles) {
        refusal unsaved;
        dopisz_path(plan, chosen.front(), "path", true, &unsaved);
        opened.note(unsaved);
    }

    std::vector<chosen_file> taken;
    const bool firstWeekMode = month_file_week_mode(chosen.front());
    for (size_t i = 0; i < chosen.size(); ++i) {
        if (i > 0 && (firstWeekMode || month_file_week_mode(chosen[i]) != firstWeekMode)) continue;
        const year_month ym = ustal_miesiac(plan, chosen[i]);
        char key[48];
        std::snprintf(key, sizeof key, "%d%.2d%.2d", ym.year, ym.month, int(i % 100));
        taken.push_back({key, chosen[i]});
    }
    std::stable_sort(taken.begin(), taken.end(),
                     [](const chosen_file& a, const chosen_file& b) { return a.key < b.key; });
    // Every worker of the hospital gets a month and its days per file: room
    // for all of them at once, not doubled again and again as the files come.
    plan.months.reserve(taken.size());
    for (grupa& g : plan.groups) g.monthSettings.reserve(taken.size());
    const bool part = looks_at_part(plan, touchFiles);
    for (prac& w : plan.workers) {
        if (part && !in_part(plan, w)) continue;
        w.months.reserve(taken.size());
        w.dayDuties.reserve(taken.size() * kMaxDays);
        w.dayExcluded.reserve(taken.size() * kMaxDays);
    }
    for (const chosen_file& f : taken) {
        const result<> one = otworz(plan, f.path, touchFiles);
        opened.note_all(said_by(one));
        if (one) opened->push_back(f.path);
    }
    keep_one_month(plan);
    if (touchFiles) opened.note(dopisz_projekt(plan, *opened));
    refresh_views(plan);
    return opened;
}

result<> otworz_z_bajtow(Plan& plan, const std::string& name, const std::string& bytes,
                         std::vector<month_problem>& problems) {
    usun_tymczasowych_pracownikow(plan);
    if (plan.groups.empty() || plan.workers.empty()) return refusal{};
    reset_period(plan);
    plan.openFiles.push_back(name);
    plan.months.emplace_back();
    for (grupa& g : plan.groups) g.monthSettings.resize(1);
    for (prac& w : plan.workers) w.months.resize(1);
    plan.currentMonth = 0;
    plan.currentFile = name;
    result<> opened;
    problems = read_month_bytes(plan, bytes);
    if (refusal said = month_problems_said(plan, name, problems); said.said()) opened.note(said);
    refresh_opened_tab(plan, 0, true);
    refresh_views(plan);
    return opened;
}

result<Answer> czy_zapis(Plan& plan) {
    Answer answer = Answer::No;
    if (plan.modified && !czy_puste_dyzury_i_wolne(plan)) {
        answer = plan.ui->ask(message(plan, "msg_FileSaveQuestion", "Czy zapisać bieżące dane?"), Buttons::YesNoCancel);
    }
    if (answer == Answer::Cancel) return refused(refusal_kind::Cancelled, {});
    if (answer == Answer::Yes) {
        const result<> saved = a_ProjectSave(plan);
        if (!saved) return saved.error().said() ? saved.error() : refused(refusal_kind::Cancelled, {});
        result<Answer> done(answer);
        done.note_all(saved.notes);
        return done;
    }
    return answer;
}

result<> a_ProjectNew(Plan& plan) {
    const result<Answer> asked = czy_zapis(plan);
    if (!asked) return failed_as<void>(asked);
    // The options stay as applied: one applied and not saved is not lost.
    release_month_locks(plan);
    plan.currentFile.clear();
    plan.openFiles.clear();
    plan.months.resize(1);
    for (grupa& g : plan.groups) g.monthSettings.resize(1);
    plan.currentMonth = 0;
    for (prac& w : plan.workers)
        if (w.months.empty()) w.months.resize(1);
    wczytaj_dyzury_i_wolne(plan);
    plan.approvedStatus = 0;
    plan.planType = 0;
    normatyw(plan, true, 0, true);
    for (prac& w : plan.workers) {
        w.months.resize(1);
        ms_& m = w.months[0];
        m.partTime = w.partTimeDefault;
        m.ownNorm = w.ownNormDefault;
        m.ownNormCalculated = w.ownNormCalculatedDefault;
        m.ownNormValue = w.ownNormValueDefault;
    }
    refresh_views(plan);
    result<> made;
    made.note_all(asked.notes);
    return made;
}

result<> a_ProjectSave(Plan& plan) {
    if (plan.currentFile.empty()) {
        if (!plan.hooks.project.chooseSaveFile) return refused(refusal_kind::Cancelled, {});
        const file_dialog dialog = project_save_dialog(plan);
        std::optional<std::string> chosen = plan.hooks.project.chooseSaveFile(dialog.folder, dialog.name);
        if (!chosen || chosen->empty()) return refused(refusal_kind::Cancelled, {});
        // A name chosen in the dialog is the user's word: even the damaged
        // file the month came from may be written over now.
        plan.guards.damaged.erase(guard_key(fs::path(*chosen)));
        plan.currentFile = *chosen;
        if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.openFiles.size()))
            plan.openFiles[plan.currentMonth] = *chosen;
        else if (plan.openFiles.empty())
            plan.openFiles.push_back(*chosen);
    }
    if (restore_pending(plan)) return refused(refusal_kind::Locked, {}, plan.currentFile);
    // The month set alone: the folder remembered is the one a month was opened from.
    result<> saved = zapisz_dyzury_i_wolne(plan);
    if (!saved) return saved;
    refresh_views(plan);
    return saved;
}

result<> mi_SaveAs(Plan& plan) {
    const std::string remembered = plan.currentFile;
    const std::vector<std::string> files = plan.openFiles;
    plan.currentFile.clear();
    result<> saved = a_ProjectSave(plan);
    if (saved) return saved;
    // Cancelled, or the new file could not be written: the plan stays with
    // the file it had.
    plan.currentFile = remembered;
    plan.openFiles = files;
    return saved;
}

}  // namespace planek
