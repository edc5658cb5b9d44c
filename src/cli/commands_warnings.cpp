#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "core/text.h"
#include "scheduler/warnings.h"

namespace planek::cli {

namespace {

struct warnings_args {
    std::string file;
    std::optional<int> groupId;
};

warnings_args parse_warnings_args(const std::vector<std::string>& args) {
    warnings_args a;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--group") {
            if (i + 1 >= args.size()) throw usage_error("po --group brak identyfikatora grupy");
            const std::optional<long long> id = parse_int(args[++i]);
            if (!id || *id < 1 || *id > 65535) throw usage_error("niepoprawny identyfikator grupy „" + args[i] + "”");
            a.groupId = int(*id);
        } else if (a.file.empty()) {
            a.file = args[i];
        } else {
            throw usage_error("nieoczekiwany argument „" + args[i] + "”");
        }
    }
    if (a.file.empty()) throw usage_error("brak pliku miesiąca");
    return a;
}

int warnings(context& c) {
    const warnings_args a = parse_warnings_args(c.args);
    if (!c.open_month(a.file, a.groupId ? std::optional<word>(word(*a.groupId)) : std::nullopt)) return kExitFailure;
    const warnings_report r = a_WarningsExecute(c.plan);
    for (const std::string& line : r.lines) c.out << line << "\n";
    return r.outcome == warnings_outcome::Written ? kExitOk : kExitFailure;
}

}  // namespace

std::vector<command> warnings_commands() {
    return {{"warnings", "PLIK.pnk [--group ID]",
             "sprawdza plan miesiąca (ostrzeżenia), zapisuje warnings.txt i wypisuje jego wiersze", warnings}};
}

}  // namespace planek::cli
