// planek-cli wish: a worker's wish for a day of a month file, entered as the
// worker's popup in the window enters it.
#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "document/month_acts.h"
#include "document/wish_acts.h"
#include "editing/month_access.h"
#include "editing/refusal.h"
#include "editing/wishes.h"

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

// `key` and `polish` say what the number names.
int number_arg(const std::string& text, const char* key, const char* polish, int low, int high) {
    auto v = parse_int(text);
    if (!v || *v < low || *v > high) throw usage_error(key, polish, {text});
    return int(*v);
}

wish_args parse_wish_args(const std::vector<std::string>& args) {
    wish_args a;
    int weight = 1;
    const std::vector<std::string> words =
        arg_parser()
            .value("--weight",
                   [&](const std::string& v) {
                       weight = number_arg(v, "cli_BadWeight", "--weight: niepoprawna wartość „%s”", 1, 3);
                   })
            .value("--group",
                   [&](const std::string& v) {
                       a.group = word(
                           number_arg(v, "cli_BadGroupId", "niepoprawny identyfikator grupy „%s”", 1, 65535));
                   })
            .numbers_are_words()
            .parse(args);
    if (words.size() < 4) throw usage_error("cli_TooFewArguments", "za mało argumentów");
    a.file = words[0];
    a.workerId =
        word(number_arg(words[1], "cli_BadWorkerId", "niepoprawny identyfikator pracownika „%s”", 1, 65535));
    a.day = number_arg(words[2], "cli_BadDay", "niepoprawny dzień „%s”", 1, 255);
    const std::string& kind = words[3];
    size_t used = 4;
    if (kind == "off") {
        a.w.kind = wish_kind::DayOff;
    } else if (kind == "none") {
        a.w.kind = wish_kind::None;
    } else if (kind == "shift" || kind == "not") {
        if (words.size() < 5) throw usage_error("cli_WishShiftNumber", "po „%s” podaj numer zmiany", {kind});
        a.w.kind = kind == "shift" ? wish_kind::Shift : wish_kind::NotShift;
        a.w.shift = byte(number_arg(words[4], "cli_BadShiftNumber", "niepoprawny numer zmiany „%s”", 1, 255));
        used = 5;
    } else {
        throw usage_error("cli_WishKind", "życzenie to off, shift N, not N albo none, nie „%s”", {kind});
    }
    if (words.size() > used)
        throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {words[used]});
    a.w.weight = a.w.used() ? byte(weight) : 0;
    return a;
}

int wish_command(context& c) {
    const wish_args a = parse_wish_args(c.args);
    if (!c.load_staff()) return kExitFailure;
    const Plan& plan = c.plan;
    const int worker = plan.workerIndexById(a.workerId);
    if (worker < 0) {
        c.err << say(plan, "cli_NoWorker", "Nie ma pracownika %s", {std::to_string(a.workerId)}) << "\n";
        return kExitFailure;
    }
    if (!c.month_exists(a.file)) {
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
    // A wish is one ward's part of the month, as an edit is.
    c.doc.set_lock_group(group);
    if (!c.read_months({a.file}, group, true, true)) return kExitFailure;
    const int dayIndex = a.day - first_day_of_month(plan);
    if (const result<> set = set_wish(c.doc, worker, dayIndex, a.w); !set) {
        c.err << set.error().text << "\n";
        return kExitFailure;
    }
    if (const result<> saved = c.save_month(); !saved) {
        tell_user(*c.ui, saved);
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
