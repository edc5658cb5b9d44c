// planek-cli generate: a whole ward of the size asked for, with its months.
#include <cstdio>
#include <filesystem>
#include <ostream>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/ward_generator.h"
#include "core/system_error_text.h"
#include "core/text.h"
#include "files/month_lock.h"
#include "files/staff_group_files.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxWorkers = 5000;
constexpr int kMaxGroups = 200;
constexpr int kMaxMonths = 24;

struct generate_args {
    std::string dir;
    ward_options options;
    bool workersGiven = false;
};

int bounded(const std::string& option, const std::string& text, int low, int high) {
    const auto v = parse_int(text);
    if (!v || *v < low || *v > high)
        throw usage_error("cli_NumberRange", "%s wymaga liczby od %s do %s",
                          {option, std::to_string(low), std::to_string(high)});
    return int(*v);
}

generate_args parse_generate_args(const std::vector<std::string>& args) {
    generate_args a;
    const std::vector<std::string> words =
        arg_parser()
            .value("--workers",
                   [&](const std::string& v) {
                       a.options.workers = bounded("--workers", v, 1, kMaxWorkers);
                       a.workersGiven = true;
                   })
            .value("--groups", [&](const std::string& v) { a.options.groups = bounded("--groups", v, 1, kMaxGroups); })
            .value("--months", [&](const std::string& v) { a.options.months = bounded("--months", v, 1, kMaxMonths); })
            .value("--seed",
                   [&](const std::string& v) {
                       const auto seed = parse_int(v);
                       if (!seed || *seed < 0)
                           throw usage_error("cli_BadSeed", "niepoprawne ziarno „%s”", {v});
                       a.options.seed = std::uint64_t(*seed);
                   })
            .value("--from",
                   [&](const std::string& v) {
                       int y = 0, m = 0;
                       char dash = 0, extra = 0;
                       if (std::sscanf(v.c_str(), "%d%c%d%c", &y, &dash, &m, &extra) != 3 || dash != '-' ||
                           y < 1900 || y > 9999 || m < 1 || m > 12)
                           throw usage_error("cli_FromMonthForm", "--from ma postać RRRR-MM");
                       a.options.fromYear = y;
                       a.options.fromMonth = m;
                   })
            .words(1)
            .parse(args);
    if (words.empty()) throw usage_error("cli_NoFolderName", "brak nazwy folderu");
    a.dir = words.front();
    if (!a.workersGiven) throw usage_error("cli_WorkersNeeded", "podaj liczbę pracowników: --workers N");
    return a;
}

// Staff, groups or month files: anything the generated ward would replace.
bool holds_data(const fs::path& data) {
    std::error_code ec;
    if (fs::exists(data / "grupy.ini", ec) || fs::exists(data / "kadra.inr", ec)) return true;
    for (fs::directory_iterator it(data, ec), end; !ec && it != end; it.increment(ec))
        if (it->path().extension() == ".pnk") return true;
    return false;
}

int generate(context& c) {
    const generate_args a = parse_generate_args(c.args);
    c.root = a.dir;
    c.mayCreateRoot = true;
    if (!c.open_root()) return kExitFailure;
    const Paths& paths = c.plan.paths;
    std::error_code ec;
    if (holds_data(paths.data)) {
        if (c.ui->ask(say(c, "cli_ReplaceWithGenerated",
                          "Folder %s zawiera już dane. Zastąpić je wygenerowanym oddziałem?",
                          {paths.data.string()}),
                      Buttons::YesNo) != Answer::Yes) {
            c.err << say(c, "cli_NothingSaved", "Nic nie zapisano.") << "\n";
            return kExitFailure;
        }
    }
    for (const fs::path& p : {paths.templates, paths.printouts, paths.lang}) {
        fs::create_directories(p, ec);
        if (ec) {
            c.err << say(c, "cli_CannotMakeFolder", "Nie można utworzyć folderu %s: %s",
                         {p.string(), system_error_text(ec, &speaking(c))})
                  << "\n";
            return kExitFailure;
        }
    }
    // The ward is built apart and written; the session had none to change.
    Plan ward = c.doc.copy();
    build_generated_ward(ward, a.options);
    if (!zapisz(ward).ok()) return kExitFailure;
    const generated_months months = write_generated_months(ward, a.options);
    release_month_locks(ward);
    // Leave taken and pattern positions moved on with the months.
    if (!zapisz(ward).ok()) return kExitFailure;
    if (int(months.files.size()) != a.options.months) {
        c.err << say(c, "cli_MonthsPartlySaved", "Zapisano %s z %s plików miesięcy.",
                     {std::to_string(months.files.size()), std::to_string(a.options.months)})
              << "\n";
        return kExitFailure;
    }
    c.out
        << say(c, "cli_WardGenerated",
               "Zapisano oddział w %s: grup %s, pracowników %s, plików miesięcy %s (dyżurów %s, wolnych %s).",
               {paths.root.string(), std::to_string(ward.groups.size()), std::to_string(ward.workers.size()),
                std::to_string(months.files.size()), std::to_string(months.duties),
                std::to_string(months.daysOff)})
        << "\n";
    for (const std::string& f : months.files) c.out << "  " << f << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> generate_commands() {
    return {{"generate", "DIR --workers N [--groups G] [--months M] [--seed S] [--from RRRR-MM]",
             "zapisuje w folderze DIR oddział dowolnej wielkości z miesiącami ułożonymi automatem", generate}};
}

}  // namespace planek::cli
