// planek-cli import: the groups and staff of the older single-file layout
// (planek.ini) taken into a program folder. The window reads that file at
// its start whenever the data folder holds one, and writes the tables in
// the current layout when it closes; this is the same start and the same
// close, with the old file put in place before and set aside after, so the
// next start reads the new files.
#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/system_error_text.h"
#include "document/month_acts.h"
#include "editing/refusal.h"
#include "files/staff_archive.h"

namespace planek::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kOldFile = "planek.ini";

// The old file in DIR itself or in its data folder.
fs::path old_file_in(const fs::path& dir) {
    std::error_code ec;
    for (const fs::path& p : {dir / kOldFile, dir / "dane" / kOldFile})
        if (fs::is_regular_file(p, ec)) return p;
    return {};
}

int import(context& c) {
    const std::vector<std::string> words = arg_parser().words(1).parse(c.args);
    if (words.empty()) throw usage_error("cli_ImportNeedsFolder", "podaj folder ze starym plikiem planek.ini");
    const fs::path from = old_file_in(words[0]);
    // Nothing to take is refused before a folder is made for it.
    if (from.empty()) {
        c.err << say(c, "cli_ImportNoOldFile", "W folderze %s nie ma pliku planek.ini", {words[0]}) << "\n";
        return kExitFailure;
    }
    // A folder this import makes goes again when the import fails: a ward
    // is made only with its staff.
    std::error_code ec;
    struct new_folder {
        fs::path root;
        bool keep = false;
        ~new_folder() {
            std::error_code e;
            if (!root.empty() && !keep) fs::remove_all(root, e);
        }
    } made{c.root && !fs::exists(*c.root, ec) ? fs::absolute(*c.root, ec) : fs::path()};
    // The folder is opened first: the refusals below speak its language.
    c.mayCreateRoot = true;
    if (!c.open_root()) return kExitFailure;
    const fs::path data = c.plan.paths.data;
    // The old file is read instead of the new ones: staff already there
    // would be written over at the close.
    for (const char* name : {"grupy.ini", kStaffArchive, kStaffMember})
        if (fs::exists(data / name, ec)) {
            c.err << say(c.plan, "cli_ImportStaffThere",
                         "W folderze %s są już grupy albo kadra (%s): import przyjmuje je tylko do folderu bez nich",
                         {data.string(), name})
                  << "\n";
            return kExitFailure;
        }
    const fs::path placed = data / kOldFile;
    const bool inPlace = fs::equivalent(from, placed, ec);
    if (!inPlace && !fs::copy_file(from, placed, fs::copy_options::overwrite_existing, ec)) {
        c.err << say(c.plan, "cli_ImportNotCopied", "Nie można skopiować %s do %s: %s",
                     {from.string(), placed.string(), system_error_text(ec, &speaking(c))})
              << "\n";
        return kExitFailure;
    }
    auto take_back = [&] {
        if (!inPlace) fs::remove(placed, ec);
    };
    // The window's start: the reader's problems go out as it tells them.
    if (!c.load_staff()) {
        take_back();
        return kExitFailure;
    }
    if (c.plan.groups.empty() && c.plan.workers.empty()) {
        take_back();
        c.err << say(c.plan, "cli_ImportEmpty", "W pliku %s nie ma grup ani pracowników", {from.string()}) << "\n";
        return kExitFailure;
    }
    // The window's close writes the tables in the current layout.
    const result<> closed = close_program(c.doc, c.plan.options.windows);
    tell_user(*c.ui, closed);
    if (!closed) {
        take_back();
        return kExitFailure;
    }
    // While the old file lies there it is what every start reads.
    const fs::path kept = data / "planek.ini.imported";
    fs::rename(placed, kept, ec);
    if (ec) {
        c.err << say(c.plan, "cli_ImportNotMoved", "Nie można przenieść %s do %s: %s",
                     {placed.string(), kept.string(), system_error_text(ec, &speaking(c))})
              << "\n";
        return kExitFailure;
    }
    made.keep = true;
    c.out << say(c.plan, "cli_Imported", "Przeniesiono z %s: grupy %s, pracownicy %s",
                 {from.string(), std::to_string(c.plan.groups.size()), std::to_string(c.plan.workers.size())})
          << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> import_commands() {
    return {{"import", "DIR",
             "przenosi grupy i kadrę ze starego pliku planek.ini (w DIR albo DIR/dane) do folderu programu", import}};
}

}  // namespace planek::cli
