#include "files/save_conflict.h"

#include "core/text.h"
#include "editing/message_text.h"
#include "files/line_text.h"
#include "files/month_file.h"
#include "files/month_lock.h"
#include "files/month_project.h"
#include "files/staff_file.h"
#include "files/staff_group_files.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

// "2024_03.pnk" -> "2024_03 (2).pnk", the first name nobody has taken.
fs::path free_name_beside(const fs::path& file) {
    std::error_code ec;
    for (int n = 2;; ++n) {
        fs::path p = file.parent_path() / (file.stem().string() + " (" + std::to_string(n) + ")" +
                                           file.extension().string());
        if (!fs::exists(p, ec)) return p;
    }
}

// Writes the shown month to a file of its own and makes it the tab's file.
result<> save_month_elsewhere(Plan& plan) {
    const fs::path old(plan.currentFile);
    std::optional<std::string> chosen;
    if (plan.hooks.project.chooseSaveFile) {
        chosen = plan.hooks.project.chooseSaveFile(old.parent_path().string(), free_name_beside(old).filename().string());
        if (!chosen || chosen->empty())
            return refused(refusal_kind::Conflict, changed_since_read_text(plan, old, std::nullopt), old.string());
    }
    const fs::path target = chosen ? fs::path(*chosen) : free_name_beside(old);
    std::string bytes;
    if (io_result encoded = month_file_bytes(plan, target, bytes); !encoded)
        return refused(refusal_kind::Io, encoded.error, target.string());
    // A name we made up must still be free when the file is written; one the
    // user chose in the dialog was agreed to there.
    const file_fingerprint absent;
    const guarded_write_result w =
        write_bytes_if_unchanged(target, bytes, chosen ? nullptr : &absent, plan_owner(plan), &plan.tr);
    if (!w.ok()) return refused(refusal_kind::Io, w.io.error, target.string());
    plan.guards.read[guard_key(target)] = w.written;
    plan.currentFile = target.string();
    if (plan.currentMonth >= 0 && plan.currentMonth < int(plan.openFiles.size()))
        plan.openFiles[plan.currentMonth] = plan.currentFile;
    return result<>().with(
        notice(message(plan, "msg_SavedElsewhere", "Miesiąc zapisano w pliku %s.", {target.string()}), target.string()));
}

// Keeps what a worker's run-time state holds when its record is replaced.
void keep_run_state(prac& record, prac& now) {
    record.dailyNorm = now.dailyNorm;
    record.work = now.work;
    record.work32 = now.work32;
    record.dayExcluded = std::move(now.dayExcluded);
    record.dayDuties = std::move(now.dayDuties);
    record.dutyLists = std::move(now.dutyLists);
    record.months = std::move(now.months);
    record.sum = now.sum;
}

}  // namespace

void take_merged_staff(Plan& plan, const std::vector<std::string>& merged) {
    file_problems ignored{plan.tr, {}};
    std::vector<prac> added;
    for (size_t n = 0; n < merged.size(); ++n) {
        prac record = read_staff_line(merged[n], "kadra.ini", int(n + 1), ignored);
        const int at = plan.workerIndexById(record.id);
        if (at < 0) {
            added.push_back(std::move(record));
            continue;
        }
        keep_run_state(record, plan.workers[size_t(at)]);
        plan.workers[size_t(at)] = std::move(record);
    }
    append_loaded_workers(plan, std::move(added));
}

bool agree_to_merge_staff(Plan& plan, const guarded_write_result& conflict, const fs::path& file,
                          const std::vector<staff_clash>& clashes) {
    std::string listed;
    constexpr size_t kShown = 10;
    for (size_t n = 0; n < clashes.size() && n < kShown; ++n)
        listed += kLineBreak + message(plan, "msg_StaffClash", "%s: %s — tutaj „%s”, w nowszym pliku „%s”",
                                       {clashes[n].worker, clashes[n].field, clashes[n].ours, clashes[n].theirs});
    if (clashes.size() > kShown)
        listed += kLineBreak + message(plan, "msg_StaffClashMore", "… i %s innych", {std::to_string(clashes.size() - kShown)});
    return plan.ui->ask(changed_since_read_text(plan, file, conflict.changedBy) + kLineBreak + kLineBreak +
                            message(plan, "msg_StaffClashes",
                                    "Te same dane pracowników zmieniono tu i w nowszym pliku:") +
                            listed + kLineBreak + kLineBreak +
                            message(plan, "msg_MergeStaff",
                                    "Zapisać w nowszym pliku wartości z tego programu? (Nie: pracownicy trafią do "
                                    "osobnego pliku)"),
                        Buttons::YesNo) == Answer::Yes;
}

std::string changed_since_read_text(const Plan& plan, const fs::path& file, const std::optional<lock_owner>& by) {
    if (by)
        return message(plan, "msg_FileChangedBy",
                       "Plik %s zmienił %s (komputer %s) od chwili, gdy go odczytano. Nie został zapisany.",
                       {file.string(), by->user, by->host});
    return message(plan, "msg_FileChanged",
                   "Plik %s zmienił się od chwili, gdy go odczytano (zapisał go inny program). Nie został zapisany.",
                   {file.string()});
}

result<> settle_month_conflict(Plan& plan, const guarded_write_result& conflict) {
    const fs::path file(plan.currentFile);
    const std::string text = changed_since_read_text(plan, file, conflict.changedBy);
    if (plan.ui->ask(text + kLineBreak + kLineBreak +
                         message(plan, "msg_SaveChangedElsewhere", "Zapisać ten miesiąc w innym pliku?"),
                     Buttons::YesNo) == Answer::Yes)
        return save_month_elsewhere(plan);
    if (plan.ui->ask(message(plan, "msg_ReloadChanged",
                             "Wczytać plik %s ponownie? Zmiany wprowadzone od jego odczytu zostaną utracone.",
                             {file.filename().string()}),
                     Buttons::YesNo) == Answer::Yes) {
        const result<> reread = otworz(plan, plan.currentFile);
        if (plan.hooks.project.refreshViews) plan.hooks.project.refreshViews(plan);
        // The month as the other program left it; still not saved by us.
        result<> notSaved(refused(refusal_kind::Conflict, text, file.string()));
        notSaved.note_all(said_by(reread));
        return notSaved;
    }
    return refused(refusal_kind::Conflict, text, file.string());
}

}  // namespace planek
