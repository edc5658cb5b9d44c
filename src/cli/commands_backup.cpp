// planek-cli backup and recover: the archives of the user's data, and the
// month the autosave kept from a run that did not end.
#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "document/month_acts.h"
#include "editing/refusal.h"
#include "files/backups.h"
#include "files/month_file.h"
#include "settings/option_values.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

// The window's restore dialog offers only these.
bool archive_name(const fs::path& p) { return p.extension() == ".bak"; }

// "backup_2026-12-10.bak", the name the periodic archive takes, with "_2",
// "_3"... when one of that name is there already: a backup never replaces one.
std::string free_archive_name(const Plan& plan) {
    const std::string stem = "backup_" + option_date_text(plan.clock->today());
    std::error_code ec;
    std::string name = stem + ".bak";
    for (int n = 2; fs::exists(plan.paths.backup / name, ec); ++n) name = stem + "_" + std::to_string(n) + ".bak";
    return name;
}

int backup_create(context& c, const std::vector<std::string>& args) {
    const std::vector<std::string> words = arg_parser().words(1).parse(args);
    std::string name = words.empty() ? std::string() : words[0];
    if (!name.empty() && (fs::path(name).has_parent_path() || !archive_name(name)))
        throw usage_error("cli_BackupBadName", "nazwa archiwum to sama nazwa pliku z rozszerzeniem .bak, nie „%s”", {name});
    if (!c.load_staff()) return kExitFailure;
    // The archive reads the files on disk; the plan only gives the folders.
    Plan look = c.doc.copy();
    if (name.empty()) name = free_archive_name(look);
    if (const io_result packed = backup_files(look, name); !packed) {
        c.err << packed.error << "\n";
        return kExitFailure;
    }
    c.out << (look.paths.backup / name).string() << "\n";
    return kExitOk;
}

int backup_list(context& c, const std::vector<std::string>& args) {
    arg_parser().words(0).parse(args);
    if (!c.open_root()) return kExitFailure;
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(c.plan.paths.backup, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && archive_name(it->path())) found.push_back(it->path());
    std::sort(found.begin(), found.end());
    for (const fs::path& p : found) c.out << p.filename().string() << "\t" << fs::file_size(p, ec) << "\n";
    return kExitOk;
}

// An archive named alone is one of the backup folder's.
int backup_restore(context& c, const std::vector<std::string>& args) {
    const std::vector<std::string> words = arg_parser().words(1).parse(args);
    if (words.empty()) throw usage_error("cli_BackupNeedsArchive", "podaj archiwum (zob. planek-cli backup list)");
    if (!c.open_root()) return kExitFailure;
    fs::path archive = words[0];
    std::error_code ec;
    if (!fs::exists(archive, ec) && !archive.has_parent_path()) archive = c.plan.paths.backup / archive;
    if (!fs::is_regular_file(archive, ec)) {
        c.err << say(c.plan, "cli_BackupNoArchive", "Nie ma archiwum %s", {words[0]}) << "\n";
        return kExitFailure;
    }
    const result<> restored = restore_archive(c.plan, archive);
    if (!restored) {
        tell_user(*c.ui, restored);
        return kExitFailure;
    }
    // The folder the files went to, for a script; never over the live data.
    c.out << (c.plan.paths.backup / "dane").string() << "\n";
    return kExitOk;
}

int backup(context& c) {
    const std::string action = c.args.empty() ? std::string() : c.args[0];
    const std::vector<std::string> rest(c.args.begin() + (c.args.empty() ? 0 : 1), c.args.end());
    if (action == "create") return backup_create(c, rest);
    if (action == "list") return backup_list(c, rest);
    if (action == "restore") return backup_restore(c, rest);
    throw unknown_action(c, action, {"create", "list", "restore"}, "cli_BackupNeedsAction",
                         "podaj, co zrobić: create, list albo restore");
}

// The start's offer of the autosave, answered by --yes, and the month it
// gives saved under a name: the recovered month has none of its own.
int recover(context& c) {
    std::string out;
    arg_parser().text("-o", out).words(0).parse(c.args);
    if (out.empty()) throw usage_error("cli_RecoverNeedsOutput", "podaj plik, do którego zapisać odzyskany miesiąc (-o PLIK.pnk)");
    if (out == "-") throw usage_error("cli_RecoverNeedsFile", "odzyskany miesiąc zapisuje się do pliku, nie na standardowe wyjście");
    if (!c.load_staff()) return kExitFailure;
    std::error_code ec;
    if (!fs::exists(autosave_file(c.plan), ec)) {
        c.err << say(c.plan, "cli_RecoverNothing", "Nie ma autozapisu do odzyskania (%s)", {autosave_file(c.plan).string()})
              << "\n";
        return kExitFailure;
    }
    const result<> recovered = recover_autosave(c.doc);
    tell_user(*c.ui, recovered);
    if (!recovered) {
        if (recovered.error().kind == refusal_kind::Cancelled)
            c.err << say(c.plan, "cli_RecoverDeclined", "Nie odzyskano autozapisu (zob. --yes)") << "\n";
        return kExitFailure;
    }
    const std::string target = fs::absolute(out, ec).string();
    const result<> saved = save_month_to(c.doc, target);
    tell_user(*c.ui, saved);
    if (!saved) return kExitFailure;
    // Saved under its name, the month is safe: the autosave goes as at a normal end.
    Plan look = c.doc.copy();
    usun_autosave(look);
    c.out << say(c.plan, "cli_Saved", "Zapisano %s", {target}) << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> backup_commands() {
    return {
        {"backup", "create [NAZWA.bak] | list | restore ARCHIWUM",
         "archiwum danych użytkownika: tworzy, wypisuje albo rozpakowuje do backup/dane", backup},
        {"recover", "-o PLIK.pnk", "odzyskuje miesiąc z autozapisu przerwanej pracy i zapisuje go do pliku", recover},
    };
}

}  // namespace planek::cli
