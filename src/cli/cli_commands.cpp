#include "cli/cli.h"

#include "files/program_session.h"
#include "settings/message_format.h"

namespace planek::cli {

std::vector<command> print_commands();     // commands_print.cpp
std::vector<command> edit_commands();      // commands_edit.cpp
std::vector<command> generate_commands();  // commands_generate.cpp
std::vector<command> export_commands();    // commands_export.cpp
std::vector<command> wish_commands();      // commands_wish.cpp

const std::vector<command>& all_commands() {
    static const std::vector<command> table = [] {
        std::vector<command> t;
        for (auto group : {staff_commands, demo_commands, generate_commands, calendar_commands, month_commands,
                           edit_commands, wish_commands, schedule_commands, warnings_commands, print_commands, export_commands, config_commands}) {
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

std::string say(const Plan& plan, const char* key, const char* polish, std::initializer_list<std::string> args) {
    return fill_message(plan.tr.tr("cli", key, polish), args);
}

context::context(std::ostream& o, std::ostream& e, std::shared_ptr<CliInteraction> i)
    : out(o), err(e), ui(std::move(i)) {
    plan.ui = ui;
    // The answers follow the language the session chooses.
    ui->speak(plan.tr);
}

bool context::open_root(bool staff) {
    session_request request;
    request.root = root;
    request.language = lang;
    request.stopOnUnreadableConfig = true;
    // A command about to write a new ward starts from an empty staff.
    if (!staff) request.beforeStaff = [](Plan&) { return false; };
    const session_start s = open_program_session(plan, request);
    ignoredOptions = s.ignoredOptions;
    if (s.outcome == session_outcome::NoRoot || !s.unreadableConfig.empty()) {
        err << s.error << "\n";
        return false;
    }
    return !staff || s.staffRead;  // the staff problems went out through the interaction
}

bool context::read_months(const std::vector<std::string>& files, std::optional<word> group, bool touchFiles) {
    months_request request;
    request.files = files;
    request.group = group;
    request.touchFiles = touchFiles;
    request.wholeFilesOnly = touchFiles;
    const months_open opened = open_session_months(plan, request);
    if (!opened.ok()) err << opened.error << "\n";
    return opened.ok();
}

}  // namespace planek::cli
