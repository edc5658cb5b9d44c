// planek-cli wish: a worker's wish for a day of a month file, entered as the
// worker's popup in the window enters it.
#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "editing/message_text.h"
#include "editing/month_access.h"
#include "editing/wishes.h"
#include "files/month_project.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

struct wish_args {
    std::string file;
    word workerId = 0;
    int day = 0;
    wish w;
    std::optional<word> group;
};

int number_arg(const std::string& text, const char* what, int low, int high) {
    auto v = parse_int(text);
    if (!v || *v < low || *v > high) throw usage_error(std::string(what) + ": niepoprawna wartość „" + text + "”");
    return int(*v);
}

wish_args parse_wish_args(const std::vector<std::string>& args) {
    wish_args a;
    int weight = 1;
    const std::vector<std::string> words =
        arg_parser()
            .value("--weight", [&](const std::string& v) { weight = number_arg(v, "--weight", 1, 3); })
            .value("--group", [&](const std::string& v) { a.group = word(number_arg(v, "--group", 1, 65535)); })
            .numbers_are_words()
            .parse(args);
    if (words.size() < 4) throw usage_error("za mało argumentów");
    a.file = words[0];
    a.workerId = word(number_arg(words[1], "pracownik", 1, 65535));
    a.day = number_arg(words[2], "dzień", 1, 255);
    const std::string& kind = words[3];
    size_t used = 4;
    if (kind == "off") {
        a.w.kind = wish_kind::DayOff;
    } else if (kind == "none") {
        a.w.kind = wish_kind::None;
    } else if (kind == "shift" || kind == "not") {
        if (words.size() < 5) throw usage_error("po „" + kind + "” podaj numer zmiany");
        a.w.kind = kind == "shift" ? wish_kind::Shift : wish_kind::NotShift;
        a.w.shift = byte(number_arg(words[4], "zmiana", 1, 255));
        used = 5;
    } else {
        throw usage_error("życzenie to off, shift N, not N albo none, nie „" + kind + "”");
    }
    if (words.size() > used) throw usage_error("nieoczekiwany argument „" + words[used] + "”");
    a.w.weight = a.w.used() ? byte(weight) : 0;
    return a;
}

int wish_command(context& c) {
    const wish_args a = parse_wish_args(c.args);
    if (!c.load_staff()) return kExitFailure;
    Plan& plan = c.plan;
    const int worker = plan.workerIndexById(a.workerId);
    if (worker < 0) {
        c.err << say(plan, "cli_NoWorker", "Nie ma pracownika %s", {std::to_string(a.workerId)}) << "\n";
        return kExitFailure;
    }
    std::error_code ec;
    if (!fs::is_regular_file(a.file, ec)) {
        c.err << say(plan, "cli_NoMonthFile", "Nie ma pliku %s (pusty miesiąc zapisuje planek-cli new)", {a.file})
              << "\n";
        return kExitFailure;
    }
    // The shift is one of the worker's group, the named one or her first.
    std::optional<word> group = a.group;
    if (!group)
        for (const grupa& g : plan.groups)
            if (!g.old && plan.workers[size_t(worker)].inGroup(g.id)) {
                group = g.id;
                break;
            }
    if (!c.read_months({a.file}, group, true)) return kExitFailure;
    const int dayIndex = a.day - first_day_of_month(plan);
    const wish_refusal refusal = ustaw_zyczenie(plan, worker, dayIndex, a.w);
    if (refusal.refused()) {
        c.err << message(plan, refusal.key, refusal.fallback) << "\n";
        return kExitFailure;
    }
    if (!a_ProjectSave(plan)) {
        c.err << say(plan, "cli_NotSaved", "Nie zapisano pliku %s", {plan.currentFile}) << "\n";
        return kExitFailure;
    }
    const std::string who = plan.workers[size_t(worker)].fullName();
    if (a.w.used()) {
        c.out << say(plan, "cli_WishSet", "Życzenie: %s, dzień %s: %s (waga %s)",
                     {who, std::to_string(a.day), wish_caption(plan, a.w), std::to_string(a.w.weight)})
              << "\n";
    } else {
        c.out << say(plan, "cli_WishCleared", "Bez życzenia: %s, dzień %s", {who, std::to_string(a.day)}) << "\n";
    }
    c.out << say(plan, "cli_Saved", "Zapisano %s", {plan.currentFile}) << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> wish_commands() {
    return {{"wish", "PLIK.pnk PRACOWNIK DZIEŃ (off|shift N|not N|none) [--weight 1..3] [--group ID]",
             "życzenie pracownika na dzień: wolne, zmiana, której chce, albo której wolałby nie mieć", wish_command}};
}

}  // namespace planek::cli
