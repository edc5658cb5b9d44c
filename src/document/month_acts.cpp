#include "document/month_acts.h"

#include <system_error>

#include "document/act.h"
#include "editing/message_text.h"
#include "files/backups.h"
#include "files/file_problems.h"
#include "files/group_file.h"
#include "files/month_file.h"
#include "files/month_lock.h"
#include "files/month_project.h"
#include "files/program_root.h"
#include "files/recent_files.h"
#include "files/staff_file.h"
#include "files/staff_group_files.h"
#include "settings/options_file.h"
#include "settings/user_settings.h"

namespace planek {

namespace fs = std::filesystem;

namespace {

refusal cancelled() { return refused(refusal_kind::Cancelled, {}); }

months_request for_editing(std::vector<std::string> files) {
    months_request m;
    m.files = std::move(files);
    m.touchFiles = true;
    m.wholeFilesOnly = true;
    return m;
}

// Another project or month is shown: no day of it is selected yet.
void forget_selection(Plan& plan) {
    plan.selectedCellDay = -1;
    plan.selectedCellShift = -1;
}

// A month that took the place of the one shown is on disk as read; one that
// could not is no change at all, so nobody hears of it as one.
template <class T>
result<T> month_replaced(act& a, result<T> replaced) {
    if (!replaced) {
        a.quiet();
        return a.finish(std::move(replaced));
    }
    forget_selection(a.plan());
    a.month_on_disk();
    return a.finish(std::move(replaced));
}

}  // namespace

result<session_start> open_folder(roster_document& doc, const session_request& request) {
    act a(doc, kEverything);
    session_start started = open_program_session(a.plan(), request);
    a.month_on_disk();
    if (started.outcome == session_outcome::NoRoot)
        return a.finish(result<session_start>(refused(refusal_kind::Io, started.error)));
    std::vector<refusal> notes = started.notes;
    result<session_start> opened(std::move(started));
    opened.note_all(notes);
    return a.finish(std::move(opened));
}

result<std::vector<std::string>> open_months(roster_document& doc, const open_request& request) {
    // A refused open asks nothing and changes nothing.
    result<std::vector<std::string>> checked = check_session_months(doc.plan(), request.months);
    if (!checked) return checked;
    act a(doc, kEverything);
    result<std::vector<std::string>> opened(std::vector<std::string>{});
    if (request.askToSave) {
        const result<Answer> asked = czy_zapis(a.plan());
        if (!asked) {
            a.quiet();
            return a.finish(failed_as<std::vector<std::string>>(asked));
        }
        opened.note_all(asked.notes);
    }
    months_request months = request.months;
    months.files = *checked;
    months.checked = true;
    result<std::vector<std::string>> read = open_session_months(a.plan(), months);
    forget_selection(a.plan());
    a.month_on_disk();
    read.note_all(opened.notes);
    return a.finish(std::move(read));
}

result<std::vector<std::string>> open_held_month(roster_document& doc, const std::string& name,
                                                 const std::string& bytes, const months_request& request) {
    act a(doc, kEverything);
    // The month read anew replaces the rows the steps before were made on.
    a.history().clear();
    return month_replaced(a, open_session_held_month(a.plan(), name, bytes, request));
}

result<std::vector<std::string>> open_project(roster_document& doc, const std::vector<std::string>& files) {
    // A cancelled dialog leaves everything as it was, unasked.
    if (files.empty()) return cancelled();
    return open_months(doc, {for_editing(files), true});
}

result<std::vector<std::string>> open_recent(roster_document& doc, int position) {
    for (const recent_project& r : recent_projects(doc.plan()))
        if (r.position == position) return open_project(doc, r.files);
    return refused(refusal_kind::NoSuchFile, {});
}

result<> show_tab(roster_document& doc, int tab, bool forEditing) {
    const Plan& shown = doc.plan();
    if (tab < 0 || tab >= int(shown.openFiles.size()) || tab == shown.currentMonth)
        return refused(refusal_kind::NoSuchEntry, {});
    months_request target = for_editing({shown.openFiles[size_t(tab)]});
    target.touchFiles = target.wholeFilesOnly = forEditing;
    target.tab = tab;
    result<std::vector<std::string>> checked = check_session_months(shown, target);
    if (!checked) return failed_as<void>(checked);
    act a(doc, kEverything);
    Plan& plan = a.plan();
    const bool unsaved = doc.modified();
    const result<Answer> asked = czy_zapis(plan);
    if (!asked) {
        a.quiet();
        return a.finish(failed_as<void>(asked));
    }
    result<> shownNow;
    shownNow.note_all(asked.notes);
    // Unsaved edits of the month left behind are dropped, not carried along.
    if (*asked == Answer::No && unsaved && !plan.currentFile.empty())
        shownNow.note_all(said_by(otworz(plan, plan.currentFile, forEditing)));
    target.files = *checked;
    target.checked = true;
    const result<std::vector<std::string>> opened = open_session_months(plan, target);
    a.month_on_disk();
    if (!opened) return a.finish(failed_as<void>(opened));
    shownNow.note_all(opened.notes);
    return a.finish(std::move(shownNow));
}

result<> open_calendar(roster_document& doc, const std::string& file, std::optional<word> group) {
    act a(doc, kEverything);
    result<std::vector<std::string>> opened = open_session_calendar(a.plan(), file, group);
    a.month_on_disk();
    if (!opened) return a.finish(failed_as<void>(opened));
    return a.finish();
}

result<> new_month(roster_document& doc) {
    act a(doc, kEverything);
    return month_replaced(a, a_ProjectNew(a.plan()));
}

namespace {

result<> saved_or_not(act& a, result<> saved) {
    // A cancelled name or a refused write leaves the month as it was.
    if (saved) {
        a.month_on_disk();
        Plan& plan = a.plan();
        // The wards left with edits were held until now.
        release_other_wards(plan, plan.currentFile);
        // Another ward's planner's duties came in with the merge.
        if (plan.guards.mergedOnSave) a.also(kEverything);
    }
    return a.finish(std::move(saved));
}

}  // namespace

result<> save_month(roster_document& doc) {
    act a(doc, change::file | change::workers);
    a.plan().guards.mergedOnSave = false;
    return saved_or_not(a, a_ProjectSave(a.plan()));
}

result<> save_held_month(roster_document& doc, const std::function<result<>(const Plan&)>& save) {
    act a(doc, change::file | change::workers);
    Plan& plan = a.plan();
    result<> saved = save(plan);
    if (saved) {
        a.month_on_disk();
        // What the store took is what the tables hold now.
        file_problems ignored{plan.tr, {}};
        plan.staffOnDisk = staff_on_disk{staff_file_lines(plan.workers, ignored), {}};
        plan.groupLinesOnDisk = group_file_lines(plan.groups, ignored);
    }
    return a.finish(std::move(saved));
}

result<> save_month_as(roster_document& doc) {
    act a(doc, change::file | change::workers);
    Plan& plan = a.plan();
    if (!plan.guards.wardLocks || !plan.hooks.project.chooseSaveFile) return saved_or_not(a, mi_SaveAs(plan));
    // Another file gets the whole month as this program has it: a part of it
    // another planner holds would be written over their work.
    refusal held;
    const std::string current = plan.currentFile;
    auto chooser = plan.hooks.project.chooseSaveFile;
    plan.hooks.project.chooseSaveFile = [&](const std::string& folder,
                                            const std::string& proposed) -> std::optional<std::string> {
        std::optional<std::string> chosen = chooser(folder, proposed);
        if (!chosen || *chosen == current) return chosen;
        const std::vector<month_hold> holds = month_holds(*chosen, plan.clock->now());
        if (holds.empty()) return chosen;
        held = refused(refusal_kind::Locked,
                       lock_holder_text(plan, holds.front().owner) + ". " +
                           message(plan, "msg_NotSavedWhileHeld", "Nie zapisano pliku %s.",
                                   {fs::path(*chosen).filename().string()}),
                       *chosen);
        return std::nullopt;
    };
    result<> saved = mi_SaveAs(plan);
    plan.hooks.project.chooseSaveFile = std::move(chooser);
    if (held.said()) saved = result<>(held);
    return saved_or_not(a, std::move(saved));
}

result<> save_month_to(roster_document& doc, const std::string& file) {
    act a(doc, change::file | change::workers);
    Plan& plan = a.plan();
    auto chooser = std::move(plan.hooks.project.chooseSaveFile);
    plan.hooks.project.chooseSaveFile = [&](const std::string&, const std::string&) {
        return std::optional<std::string>(file);
    };
    result<> saved = mi_SaveAs(plan);
    plan.hooks.project.chooseSaveFile = std::move(chooser);
    return saved_or_not(a, std::move(saved));
}

result<> create_month_file(roster_document& doc, const std::string& file) {
    act a(doc, change::file | change::workers);
    Plan& plan = a.plan();
    const month_lock_outcome lock = lock_month(plan, file);
    if (!lock.open) {
        a.quiet();
        return a.finish(result<>(lock.said));
    }
    plan.currentFile = file;
    plan.openFiles = {file};
    plan.approvedStatus = 0;
    plan.planType = 0;
    result<> saved = zapisz_dyzury_i_wolne(plan);
    saved.note(lock.said);
    return saved_or_not(a, std::move(saved));
}

result<> autosave(roster_document& doc) {
    // Only the autosave file and the staff files change; no view follows.
    act a(doc, 0);
    return a.finish(t_SaveTimer(a.plan()));
}

result<> recover_autosave(roster_document& doc) {
    act a(doc, kEverything);
    result<> recovered = autosave_recovery(a.plan());
    if (!recovered) {
        a.quiet();
        return a.finish(std::move(recovered));
    }
    forget_selection(a.plan());
    // The recovered month exists nowhere else yet.
    a.month_off_disk();
    return a.finish(std::move(recovered));
}

result<> restore_month_copy(roster_document& doc) {
    act a(doc, kEverything);
    Plan& plan = a.plan();
    // The copy replaces every ward's part, so no other ward may be planned
    // meanwhile.
    const std::string file = plan.currentFile;
    if (plan.guards.wardLocks && !file.empty()) {
        if (refusal held = take_whole_month(plan, file); held.said()) {
            a.quiet();
            return a.finish(result<>(held));
        }
    }
    result<> restored = a_RestoreMonth(plan);
    if (plan.guards.wardLocks && !file.empty()) give_back_whole_month(plan, file);
    if (!restored && restored.error().kind == refusal_kind::Cancelled) a.quiet();
    a.month_on_disk();
    return a.finish(std::move(restored));
}

void release_locks(roster_document& doc) {
    act a(doc, 0);
    release_month_locks(a.plan());
    [[maybe_unused]] const result<> released = a.finish();
}

std::optional<fs::path> start_root(const start_request& request) {
    if (request.root || request.file.empty()) return request.root;
    // The desktop opens a month file with no folder given: the file's own
    // staff and groups are the ones whose figures it shows.
    if (std::optional<fs::path> root = root_of_month_file(request.file)) return root;
    std::error_code ec;
    if (!request.askRoot || !fs::is_regular_file(request.file, ec)) return std::nullopt;
    return request.askRoot(fs::absolute(request.file, ec));
}

result<> start_program(roster_document& doc, const start_request& request) {
    act a(doc, kEverything);
    Plan& plan = a.plan();
    if (request.userSettingsFolder) plan.options.userSettingsFolder = *request.userSettingsFolder;
    if (plan.options.userSettingsFolder.empty()) plan.options.userSettingsFolder = default_user_settings_folder();
    session_request session;
    session.root = start_root(request);
    session.language = request.language;
    bool loginRefused = false;
    result<> outcome;
    session.beforeStaff = [&](Plan& p) {
        // A failed archive is told; the start goes on.
        if (const io_result archived = version_archive(p); !archived)
            outcome.note(refused(refusal_kind::Io, archived.error));
        if (p.options.user.pwd.empty()) return true;
        const std::optional<std::string> typed = request.askPassword ? request.askPassword() : std::nullopt;
        loginRefused = !typed || !check_password(p, *typed);
        return !loginRefused;
    };
    const result<session_start> started = open_folder(doc, session);
    if (!started) return a.finish(failed_as<void>(started));
    if (loginRefused) return a.finish(result<>(cancelled()));
    outcome.note_all(started.notes);
    outcome.note_all(said_by(a_ProjectNew(plan)));
    a.month_on_disk();
    const result<> recovered = recover_autosave(doc);
    outcome.note_all(said_by(recovered));
    if (!recovered && !request.file.empty()) {
        std::error_code ec;
        const fs::path file = fs::weakly_canonical(fs::absolute(request.file, ec), ec);
        // A file named on the command line that is not there is ignored.
        if (!ec && fs::exists(file, ec))
            outcome.note_all(said_by(open_months(doc, {for_editing({file.string()}), false})));
    }
    return a.finish(std::move(outcome));
}

result<> close_program(roster_document& doc, const windows_options& placement) {
    act a(doc, 0);
    Plan& plan = a.plan();
    const result<Answer> asked = czy_zapis(plan);
    if (!asked) return a.finish(failed_as<void>(asked));
    result<> closed;
    closed.note_all(asked.notes);
    if (plan.saveStaffAtExit) {
        const files_report saved = zapisz(plan);
        if (!saved.ok()) {
            // Closing now would lose the staff changes: the reason, then the question.
            const std::string why = saved.said.said() ? saved.said.text + "\n\n" : std::string();
            if (plan.ui->ask(why + plan.tr.msg("msg_CloseWithoutSaving",
                                               "Nie udało się zapisać kadry i grup. Zamknąć program mimo to?"),
                             Buttons::YesNo) != Answer::Yes)
                return a.finish(result<>(cancelled()));
        } else {
            closed.note(saved.said);
        }
    }
    // A failed archive is told and is tried again at the next exit.
    if (const io_result archived = periodic_archive(plan); !archived)
        closed.note(refused(refusal_kind::Io, archived.error));
    plan.options.windows = placement;
    if (const result<> written = write_exit_options(plan); !written) closed.note(written.error());
    if (plan.options.glowne.DeletePrintoutsFilesAfterClose) {
        std::error_code ec;
        for (const std::string& f : plan.printoutFiles) fs::remove(f, ec);
        plan.printoutFiles.clear();
    }
    usun_autosave(plan);
    release_month_locks(plan);
    return a.finish(std::move(closed));
}

}  // namespace planek
