// planek-cli schedule: one run of the automatic scheduler over a month file.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/schedule_compare.h"
#include "core/text.h"
#include "document/month_acts.h"
#include "document/schedule_acts.h"
#include "editing/refusal.h"
#include "scheduler/scheduler.h"
#include "settings/options_file.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

struct schedule_args {
    std::string file;
    std::optional<word> group;
    std::optional<std::uint64_t> seed;
    std::optional<bool> accept;  // --accept / --discard
    std::string out;             // -o
    scheduler_choice choice;     // --algorithm, --seconds
    bool compare = false;        // --compare [DIR]
    bool exact = false;          // --exact: the exact model beside algorithm 2
    double exactSeconds = 120;   // --exact-seconds S
    int largest = 200;           // --largest N: workers of the largest ward compared
};

schedule_args parse_schedule_args(const std::vector<std::string>& args) {
    schedule_args a;
    auto choose = [&](bool accept) {
        return [&a, accept] {
            if (a.accept && *a.accept != accept)
                throw usage_error("cli_AcceptNotBoth", "podaj --accept albo --discard, nie oba");
            a.accept = accept;
        };
    };
    const std::vector<std::string> words = arg_parser()
                                               .id("--group", a.group, "grupy")
                                               .value("--seed",
                                                      [&](const std::string& v) {
                                                          const auto seed = parse_int(v);
                                                          if (!seed || *seed < 0)
                                                              throw usage_error("cli_BadSeed",
                                                                                "niepoprawne ziarno „%s”",
                                                                                {v});
                                                          a.seed = std::uint64_t(*seed);
                                                      })
                                               .flag("--accept", choose(true))
                                               .flag("--discard", choose(false))
                                               .text("-o", a.out)
                                               .text("--output", a.out)
                                               .value("--algorithm",
                                                      [&](const std::string& v) {
        if (v != "1" && v != "2") throw usage_error("cli_AlgorithmChoice", "--algorithm przyjmuje 1 albo 2");
        a.choice.algorithm = v == "1" ? 1 : 2;
                                                      })
                                               .value("--seconds",
                                                      [&](const std::string& v) {
                                                          const auto seconds = parse_int(v);
                                                          if (!seconds || *seconds < 1 || *seconds > 3600)
                                                              throw usage_error(
                                                                  "cli_NumberRange",
                                                                  "%s wymaga liczby od %s do %s",
                                                                  {"--seconds", "1", "3600"});
                                                          a.choice.seconds = double(*seconds);
                                                      })
                                               .flag("--compare", a.compare)
                                               .flag("--exact", a.exact)
                                               .value("--largest",
                                                      [&](const std::string& v) {
                                                          const auto n = parse_int(v);
                                                          if (!n || *n < 0 || *n > 1000)
                                                              throw usage_error(
                                                                  "cli_NumberRange",
                                                                  "%s wymaga liczby od %s do %s",
                                                                  {"--largest", "0", "1000"});
                                                          a.largest = int(*n);
                                                      })
                                               .value("--exact-seconds",
                                                      [&](const std::string& v) {
                                                          const auto seconds = parse_int(v);
                                                          if (!seconds || *seconds < 1 || *seconds > 36000)
                                                              throw usage_error(
                                                                  "cli_NumberRange",
                                                                  "%s wymaga liczby od %s do %s",
                                                                  {"--exact-seconds", "1", "36000"});
                                                          a.exactSeconds = double(*seconds);
                                                      })
                                               .words(1)
                                               .parse(args);
    if (!words.empty()) a.file = words.front();
    if (a.compare) return a;
    // Its report is on standard output already; a month file there would mix with it.
    if (a.out == "-")
        throw usage_error("cli_ScheduleOutputNotStdout",
                          "schedule pisze na standardowe wyjście swoje sprawozdanie: podaj plik miesiąca (-o WYNIK.pnk)");
    if (a.file.empty()) throw usage_error("cli_NoMonthFileGiven", "brak pliku miesiąca");
    if (!a.accept) throw usage_error("cli_AcceptOrDiscard", "podaj --accept albo --discard");
    return a;
}

bool open_schedule_month(context& c, const schedule_args& a) {
    if (!c.load_staff()) return false;
    // The run fills one ward: only that ward's part of the month is locked,
    // so the other wards' planners go on meanwhile; saved in place, only its
    // part is read, as an edit reads it.
    std::optional<word> group = a.group;
    const Plan& plan = c.plan;
    if (!group && plan.group() && !plan.group()->old) group = plan.group()->id;
    for (size_t g = 0; !group && g < plan.groups.size(); ++g)
        if (!plan.groups[g].old) group = plan.groups[g].id;
    c.doc.set_lock_group(group);
    return c.read_months({a.file}, group, true, a.out.empty());
}

std::string hm(long minutes) {
    const long v = minutes < 0 ? -minutes : minutes;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%ld:%02ld", minutes < 0 ? "-" : "", v / 60, v % 60);
    return buf;
}

void print_workers(context& c) {
    const Plan& plan = c.plan;
    const grupa* g = plan.group();
    for (const prac& p : plan.workers) {
        if (p.old || !p.inGroup(g->id) || plan.currentMonth >= int(p.months.size())) continue;
        const ms_& m = p.months[plan.currentMonth];
        const long planned = long(m.sum.total[0].workedMinutes) + m.sum.creditedMinutes;
        c.out << say(plan, "cli_ScheduleWorker", "%s %s: norma %s, zaplanowano %s, pozostaje %s",
                     {std::to_string(p.id), p.fullName(), hm(m.workerNorm), hm(planned),
                      hm(long(m.workerNorm) - planned)})
              << "\n";
    }
}

void print_report(context& c, const scheduler_report& r) {
    const Plan& plan = c.plan;
    c.out << say(plan, "cli_Proposals",
                 "Propozycje: wstawiono %s, usunięto %s, przeniesiono %s, dni wolnych %s",
                 {std::to_string(r.placed), std::to_string(r.removed), std::to_string(r.moved),
                  std::to_string(r.daysOff)});
    if (r.refused > 0)
        c.out << say(plan, "cli_ProposalsRefused", ", niewstawionych (kolizje) %s",
                     {std::to_string(r.refused)});
    c.out << "\n";
    if (!r.asked) {
        c.out << say(plan, "cli_NothingProposed", "Automat niczego nie zaproponował.") << "\n";
    } else {
        c.out << (r.accepted ? say(plan, "cli_ProposalsAccepted", "Propozycje zatwierdzono.")
                             : say(plan, "cli_ProposalsDiscarded", "Propozycje odrzucono."))
              << "\n";
    }
    if (r.algorithm != 2) return;
    c.out << say(plan, "cli_Algorithm2Steps", "Algorytm 2: kroków %s", {std::to_string(r.steps)});
    if (r.timedOut) c.out << say(plan, "cli_Algorithm2TimedOut", ", przerwany po limicie czasu");
    c.out << "\n";
    for (const std::string& line : r.unmet) c.out << line << "\n";
    for (const std::string& line : r.wishes) c.out << line << "\n";
}

int compare(context& c, const schedule_args& a) {
    compare_options o;
    o.folder = a.file.empty() ? fs::temp_directory_path() / "planek-compare" : fs::path(a.file);
    o.seconds = a.choice.seconds;
    if (a.seed) o.seed = *a.seed;
    o.exact = a.exact;
    o.exactSeconds = a.exactSeconds;
    o.largest = a.largest;
    return compare_algorithms(c, o);
}

bool save_to(context& c, const std::string& out) {
    const std::string target = fs::absolute(out).string();
    const result<> saved = save_month_to(c.doc, target);
    tell_user(*c.ui, saved);
    if (saved) c.out << say(c, "cli_Saved", "Zapisano %s", {target}) << "\n";
    return saved.ok();
}

int schedule(context& c) {
    const schedule_args a = parse_schedule_args(c.args);
    if (a.compare) return compare(c, a);
    if (!open_schedule_month(c, a)) return kExitFailure;
    if (a.seed) c.doc.seed_random(*a.seed);
    scheduler_choice choice = a.choice;
    choice.seed = a.seed;
    const result<scheduler_report> ran =
        run_scheduler(c.doc, choice, *a.accept ? proposals::Accept : proposals::Discard);
    tell_user(*c.ui, ran);
    const scheduler_report report = ran ? *ran : scheduler_report{};

    print_workers(c);
    print_report(c, report);
    // The pattern positions that moved on with an accepted month are in the
    // staff file, which the month's save writes with it.
    if (!a.out.empty()) {
        if (!save_to(c, a.out)) return kExitFailure;
    } else if (*a.accept) {
        const result<> saved = save_month(c.doc);
        tell_user(*c.ui, saved);
        if (!saved) return kExitFailure;
        c.out << say(c, "cli_Saved", "Zapisano %s", {c.plan.currentFile}) << "\n";
    }
    return kExitOk;
}

}  // namespace

std::vector<command> schedule_commands() {
    return {{"schedule",
             "PLIK.pnk [--group ID] [--algorithm 1|2] [--seconds S] [--seed N] (--accept|--discard) [-o WYNIK.pnk]"
             " | --compare [DIR] [--seconds S] [--seed N] [--largest N] [--exact [--exact-seconds S]]",
             "układa miesiąc automatem i zatwierdza albo odrzuca propozycje; --compare porównuje oba algorytmy",
             schedule}};
}

}  // namespace planek::cli
