#include "cli/cli.h"
#include "cli/nearest_name.h"
#include "core/file_io.h"
#include "document/month_acts.h"
#include "editing/refusal.h"
#include "files/program_session.h"
#include "settings/message_format.h"

namespace planek::cli {

namespace fs = std::filesystem;

std::vector<command> print_commands();     // commands_print.cpp
std::vector<command> edit_commands();      // commands_edit.cpp
std::vector<command> generate_commands();  // commands_generate.cpp
std::vector<command> export_commands();    // commands_export.cpp
std::vector<command> wish_commands();      // commands_wish.cpp
std::vector<command> init_commands();      // commands_init.cpp
std::vector<command> worker_commands();    // commands_worker.cpp
std::vector<command> backup_commands();    // commands_backup.cpp
std::vector<command> day_commands();       // commands_day.cpp
std::vector<command> group_commands();     // commands_group.cpp
std::vector<command> import_commands();    // commands_import.cpp
std::vector<command> db_commands();        // commands_db.cpp

const std::vector<command>& all_commands() {
    static const std::vector<command> table = [] {
        std::vector<command> t;
        for (auto group : {init_commands, import_commands, staff_commands, group_commands, worker_commands, backup_commands, demo_commands, generate_commands, calendar_commands, month_commands, day_commands,
                           edit_commands, wish_commands, schedule_commands, warnings_commands, print_commands, export_commands, config_commands, db_commands}) {
            std::vector<command> more = group();
            t.insert(t.end(), more.begin(), more.end());
        }
        return t;
    }();
    return table;
}

const command* find_command(const std::string& name) {
    for (const command& c : all_commands())
        if (name == c.name) return &c;
    return nullptr;
}

usage_error::usage_error(const char* k, const char* polish, std::initializer_list<std::string> a)
    : std::runtime_error(fill_message(polish, a)), key(k), args(a) {}

usage_error::usage_error(const std::string& said) : std::runtime_error(said) {}

std::string usage_error::text(const Translator& tr) const {
    if (key.empty()) return what();
    // The Polish text stands in for a missing entry with its values filled.
    const std::string entry = tr.tr("cli", key, "");
    return entry.empty() ? what() : fill_message(entry, args);
}

std::string say(const Plan& plan, const char* key, const char* polish, std::initializer_list<std::string> args) {
    return fill_message(plan.tr.tr("cli", key, polish), args);
}

const Translator& speaking(const context& c) { return c.plan.tr.empty() ? c.runLanguage : c.plan.tr; }

std::string say(const context& c, const char* key, const char* polish,
                std::initializer_list<std::string> args) {
    return fill_message(speaking(c).tr("cli", key, polish), args);
}

usage_error unknown_action(const context& c, const std::string& typed, const std::vector<std::string>& actions,
                           const char* key, const char* needed) {
    const std::string what = say(c, key, needed);
    if (typed.empty()) return usage_error(what);
    std::string text = say(c, "cli_UnknownAction", "nieznane działanie „%s”: %s", {typed, what});
    if (const auto nearest = nearest_name(typed, actions))
        text += say(c, "cli_DidYouMean", "; czy chodziło o „%s”?", {*nearest});
    return usage_error(text);
}

context::context(std::ostream& o, std::ostream& e, std::shared_ptr<CliInteraction> i)
    : out(o), err(e), ui(std::move(i)), plan(doc.plan()) {
    doc.set_interaction(ui);
    // The answers follow the language the session chooses.
    ui->speak(plan.tr);
}

context::context(std::ostream& o, std::ostream& e, std::shared_ptr<CliInteraction> i, Plan session)
    : out(o), err(e), ui(std::move(i)), doc(std::move(session)), plan(doc.plan()) {
    doc.set_interaction(ui);
    ui->speak(plan.tr);
}

bool context::month_exists(const std::string& file) const {
    if (held) return file == held->name;
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

result<> context::save_month() {
    if (held) return held->save(plan);
    return planek::save_month(doc);
}

bool context::open_root(bool staff) {
    if (held) return !plan.workers.empty() || !staff;
    // The user's own default folder is made at the first start, as the window makes it.
    if (!mayCreateRoot && root) {
        // Said here in the run's language: the folder has no language files.
        const fs::path folder = *root;
        std::error_code ec;
        if (!fs::is_directory(Paths::local(folder).data, ec)) {
            err << fill_message(runLanguage.tr("cli", "cli_NoProgramFolder",
                                               "Folder %s nie jest folderem programu: nie ma w nim folderu danych "
                                               "„dane” (folder oddziału zakłada planek-cli init, demo albo generate)."),
                                {folder.string()})
                << "\n";
            return false;
        }
    }
    session_request request;
    request.root = root;
    request.language = lang;
    request.stopOnUnreadableConfig = true;
    request.mayCreateRoot = mayCreateRoot || !root;
    request.startLanguage = &runLanguage;
    // A command about to write a new ward starts from an empty staff.
    if (!staff) request.beforeStaff = [](Plan&) { return false; };
    const result<session_start> opened = open_folder(doc, request);
    if (!opened) {
        err << opened.error().text << "\n";
        return false;
    }
    tell_user(*ui, opened);
    const session_start& s = *opened;
    ignoredOptions = s.ignoredOptions;
    if (!s.unreadableConfig.empty()) {
        err << s.error << "\n";
        return false;
    }
    return !staff || s.staffRead;  // the staff problems went out through the interaction
}

bool context::read_months(const std::vector<std::string>& files, std::optional<word> group, bool touchFiles,
                          bool wardOnly) {
    if (held) {
        months_request months;
        months.group = group;
        months.wholeFilesOnly = touchFiles;
        months.wardOnly = wardOnly && !touchFiles;
        if (files.size() != 1 || files.front() != held->name) {
            const std::string file = files.empty() ? std::string() : files.front();
            err << fill_message(plan.tr.msg("msg_NoMonthFile", "Nie ma pliku %s."), {file}) << "\n";
            return false;
        }
        const result<std::vector<std::string>> opened = open_held_month(doc, held->name, held->bytes, months);
        if (!opened) err << opened.error().text << "\n";
        return opened.ok();
    }
    open_request request;
    // A part of the month is saved only onto its file under its ward's lock.
    request.months.wardOnly = wardOnly && (!touchFiles || (plan.guards.lockedGroup && plan.guards.lockedGroup == group));
    request.months.files = files;
    request.months.group = group;
    request.months.touchFiles = touchFiles;
    request.months.wholeFilesOnly = touchFiles;
    const result<std::vector<std::string>> opened = planek::open_months(doc, request);
    if (!opened) err << opened.error().text << "\n";
    return opened.ok();
}

}  // namespace planek::cli
