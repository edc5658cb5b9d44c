#include "cli/cli.h"

#include "files/month_project.h"
#include "files/program_root.h"
#include "files/staff_group_files.h"
#include "settings/language.h"
#include "settings/language_install.h"
#include "settings/options_file.h"

namespace planek::cli {

std::vector<command> print_commands();     // commands_print.cpp
std::vector<command> edit_commands();      // commands_edit.cpp
std::vector<command> generate_commands();  // commands_generate.cpp
std::vector<command> export_commands();    // commands_export.cpp

const std::vector<command>& all_commands() {
    static const std::vector<command> table = [] {
        std::vector<command> t;
        for (auto group : {staff_commands, demo_commands, generate_commands, calendar_commands, month_commands,
                           edit_commands, schedule_commands, warnings_commands, print_commands, export_commands, config_commands}) {
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

context::context(std::ostream& o, std::ostream& e, std::shared_ptr<CliInteraction> i)
    : out(o), err(e), ui(std::move(i)) {
    plan.ui = ui;
}

bool context::open_root() {
    if (io_result r = open_program_root(plan, root); !r) {
        err << r.error << "\n";
        return false;
    }
    ensure_language_files(plan.paths.lang);
    if (lang) cb_LanguageChange(plan, language_index(*lang));
    return true;
}

bool context::load_staff() {
    if (!open_root()) return false;
    return wczytaj(plan).ok();  // the problems went out through the interaction
}

bool context::choose_group(std::optional<word> id, bool needOne) {
    plan.currentGroup = -1;
    for (size_t g = 0; g < plan.groups.size(); ++g) {
        const grupa& gr = plan.groups[g];
        if (id ? gr.id == *id : !gr.old) {
            plan.currentGroup = int(g);
            return true;
        }
    }
    if (id) {
        err << "Nie ma grupy " << *id << "\n";
        return false;
    }
    if (!needOne) return true;
    err << "Nie ma żadnej grupy\n";
    return false;
}

bool context::open_month(const std::string& file, std::optional<word> group, bool needGroup, bool touchFiles) {
    if (!load_staff()) return false;
    czytaj_opcje(plan, "opcje");
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        err << "Nie ma pliku " << file << "\n";
        return false;
    }
    if (!choose_group(group, needGroup)) return false;
    if (otworz_projekt(plan, {std::filesystem::absolute(file).string()}, touchFiles).empty()) {
        err << "Nie udało się otworzyć " << file << " (brak grup lub pracowników)\n";
        return false;
    }
    return true;
}

}  // namespace planek::cli
