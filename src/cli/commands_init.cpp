// The one command that makes an empty program folder: every other command
// (but demo and generate, which write a ward) refuses a folder without one,
// so a mistyped --root is never taken for a new ward.
#include <system_error>

#include "cli/arg_parser.h"
#include "cli/cli.h"

namespace planek::cli {

namespace fs = std::filesystem;

namespace {

int init(context& c) {
    // An option mistyped is refused, never taken for the folder's name.
    const std::vector<std::string> words = arg_parser().parse(c.args);
    if (words.size() > 1) throw usage_error("cli_TooManyArguments", "za dużo argumentów");
    if (words.empty() && !c.root) throw usage_error("cli_NoFolderName", "brak nazwy folderu");
    if (!words.empty()) c.root = words[0];
    std::error_code ec;
    const bool existed = fs::is_directory(fs::path(*c.root) / "dane", ec);
    c.mayCreateRoot = true;
    if (!c.open_root()) return kExitFailure;
    c.out << say(c, existed ? "cli_FolderWasThere" : "cli_FolderMade",
                 existed ? "Folder programu %s już był; nic nie zmieniono." : "Założono folder programu %s.",
                 {c.plan.paths.root.string()})
          << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> init_commands() {
    return {{"init", "[DIR]", "zakłada pusty folder programu (dane/, templates/, wydruki/, lang/)", init}};
}

}  // namespace planek::cli
