#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "document/view_acts.h"
#include "editing/refusal.h"
#include "scheduler/warnings.h"

namespace planek::cli {

namespace {

struct warnings_args {
    std::string file;
    std::optional<word> group;
};

warnings_args parse_warnings_args(const std::vector<std::string>& args) {
    warnings_args a;
    const std::vector<std::string> words = arg_parser().id("--group", a.group, "grupy").words(1).parse(args);
    if (words.empty()) throw usage_error("cli_NoMonthFileGiven", "brak pliku miesiąca");
    a.file = words.front();
    return a;
}

int warnings(context& c) {
    const warnings_args a = parse_warnings_args(c.args);
    if (!c.open_month(a.file, a.group, false, true)) return kExitFailure;
    const result<warnings_report> checked = check_warnings(c.doc);
    tell_user(*c.ui, checked);
    if (!checked) return kExitFailure;
    for (const std::string& line : checked->lines) c.out << line << "\n";
    return checked->outcome == warnings_outcome::Written ? kExitOk : kExitFailure;
}

}  // namespace

std::vector<command> warnings_commands() {
    return {{"warnings", "PLIK.pnk [--group ID]",
             "sprawdza plan miesiąca (ostrzeżenia), zapisuje warnings.txt i wypisuje jego wiersze", warnings}};
}

}  // namespace planek::cli
