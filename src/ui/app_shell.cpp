#include "ui/app_shell.h"

#include <system_error>

#include "files/backups.h"
#include "files/month_lock.h"
#include "files/month_project.h"
#include "files/program_root.h"
#include "files/program_session.h"
#include "files/recent_files.h"
#include "files/staff_group_files.h"
#include "settings/options_file.h"
#include "settings/user_settings.h"

namespace planek::ui {

namespace fs = std::filesystem;

std::optional<fs::path> start_root(const start_request& request) {
    if (request.root || request.file.empty()) return request.root;
    // The desktop opens a month file with no folder given: the file's own
    // staff and groups are the ones whose figures it shows.
    if (std::optional<fs::path> root = root_of_month_file(request.file)) return root;
    std::error_code ec;
    if (!request.askRoot || !fs::is_regular_file(request.file, ec)) return std::nullopt;
    return request.askRoot(fs::absolute(request.file, ec));
}

StartOutcome start_program(Plan& plan, const start_request& request, std::string* error) {
    if (plan.options.userSettingsFolder.empty()) plan.options.userSettingsFolder = default_user_settings_folder();
    session_request session;
    session.root = start_root(request);
    session.language = request.language;
    bool refused = false;
    session.beforeStaff = [&](Plan& p) {
        // A failed archive was told to the user; the start goes on.
        [[maybe_unused]] const io_result archived = version_archive(p);
        if (p.options.user.pwd.empty()) return true;
        const std::optional<std::string> typed = request.askPassword ? request.askPassword() : std::nullopt;
        refused = !typed || !check_password(p, *typed);
        return !refused;
    };
    const session_start started = open_program_session(plan, session);
    if (started.outcome == session_outcome::NoRoot) {
        if (error) *error = started.error;
        return StartOutcome::NoRoot;
    }
    if (refused) return StartOutcome::LoginRefused;
    a_ProjectNew(plan);
    if (!autosave_recovery(plan) && !request.file.empty()) {
        std::error_code ec;
        const fs::path file = fs::weakly_canonical(fs::absolute(request.file, ec), ec);
        // A file named on the command line that is not there is ignored.
        if (!ec && fs::exists(file, ec)) {
            months_request months;
            months.files = {file.string()};
            months.touchFiles = true;
            open_session_months(plan, months);
        }
    }
    return StartOutcome::Started;
}

bool close_program(Plan& plan, const windows_options& placement) {
    if (czy_zapis(plan) == Answer::Cancel) return false;
    if (plan.saveStaffAtExit) {
        const files_report saved = zapisz(plan);
        // The reason was shown already; closing now would lose the staff changes.
        if (!saved.ok() &&
            plan.ui->ask(plan.tr.msg("msg_CloseWithoutSaving",
                                     "Nie udało się zapisać kadry i grup. Zamknąć program mimo to?"),
                         Buttons::YesNo) != Answer::Yes)
            return false;
    }
    // A failed archive was told to the user and is tried again at the next exit.
    [[maybe_unused]] const io_result archived = periodic_archive(plan);
    plan.options.windows = placement;
    std::string error;
    if (!write_exit_options(plan, &error)) plan.ui->warn(error);
    if (plan.options.glowne.DeletePrintoutsFilesAfterClose) {
        std::error_code ec;
        for (const std::string& f : plan.printoutFiles) fs::remove(f, ec);
        plan.printoutFiles.clear();
    }
    usun_autosave(plan);
    release_month_locks(plan);
    return true;
}

}  // namespace planek::ui
