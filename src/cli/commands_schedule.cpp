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
#include "editing/message_text.h"
#include "files/month_project.h"
#include "files/staff_group_files.h"
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
            if (a.accept && *a.accept != accept) throw usage_error("podaj --accept albo --discard, nie oba");
            a.accept = accept;
        };
    };
    const std::vector<std::string> words = arg_parser()
                                               .id("--group", a.group, "grupy")
                                               .value("--seed",
                                                      [&](const std::string& v) {
                                                          const auto seed = parse_int(v);
                                                          if (!seed || *seed < 0)
                                                              throw usage_error("niepoprawne ziarno „" + v + "”");
                                                          a.seed = std::uint64_t(*seed);
                                                      })
                                               .flag("--accept", choose(true))
                                               .flag("--discard", choose(false))
                                               .text("-o", a.out)
                                               .text("--output", a.out)
                                               .value("--algorithm",
                                                      [&](const std::string& v) {
                                                          if (v != "1" && v != "2")
                                                              throw usage_error("--algorithm przyjmuje 1 albo 2");
                                                          a.choice.algorithm = v == "1" ? 1 : 2;
                                                      })
                                               .value("--seconds",
                                                      [&](const std::string& v) {
                                                          const auto seconds = parse_int(v);
                                                          if (!seconds || *seconds < 1 || *seconds > 3600)
                                                              throw usage_error("--seconds wymaga liczby od 1 do 3600");
                                                          a.choice.seconds = double(*seconds);
                                                      })
                                               .flag("--compare", a.compare)
                                               .flag("--exact", a.exact)
                                               .value("--largest",
                                                      [&](const std::string& v) {
                                                          const auto n = parse_int(v);
                                                          if (!n || *n < 0 || *n > 1000)
                                                              throw usage_error("--largest wymaga liczby od 0 do 1000");
                                                          a.largest = int(*n);
                                                      })
                                               .value("--exact-seconds",
                                                      [&](const std::string& v) {
                                                          const auto seconds = parse_int(v);
                                                          if (!seconds || *seconds < 1 || *seconds > 36000)
                                                              throw usage_error(
                                                                  "--exact-seconds wymaga liczby od 1 do 36000");
                                                          a.exactSeconds = double(*seconds);
                                                      })
                                               .words(1)
                                               .parse(args);
    if (!words.empty()) a.file = words.front();
    if (a.compare) return a;
    if (a.file.empty()) throw usage_error("brak pliku miesiąca");
    if (!a.accept) throw usage_error("podaj --accept albo --discard");
    return a;
}

// Answers the scheduler's accept question with the command's choice; every
// other question gets the usual answers of the command line.
class decided_interaction : public Interaction {
public:
    decided_interaction(std::shared_ptr<Interaction> inner, std::string question, bool accept)
        : inner_(std::move(inner)), question_(std::move(question)), accept_(accept) {}
    Answer ask(const std::string& text, Buttons buttons) override {
        if (text == question_) return accept_ ? Answer::Yes : Answer::No;
        return inner_->ask(text, buttons);
    }
    void inform(const std::string& text) override { inner_->inform(text); }
    void warn(const std::string& text) override { inner_->warn(text); }

private:
    std::shared_ptr<Interaction> inner_;
    std::string question_;
    bool accept_;
};

bool open_schedule_month(context& c, const schedule_args& a) {
    // The run needs a group to fill.
    return c.open_month(a.file, a.group, true);
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
        c.out << p.id << " " << p.fullName() << ": norma " << hm(m.workerNorm) << ", zaplanowano " << hm(planned)
              << ", pozostaje " << hm(long(m.workerNorm) - planned) << "\n";
    }
}

void print_report(context& c, const scheduler_report& r) {
    c.out << "Propozycje: wstawiono " << r.placed << ", usunięto " << r.removed << ", przeniesiono " << r.moved
          << ", dni wolnych " << r.daysOff;
    if (r.refused > 0) c.out << ", niewstawionych (kolizje) " << r.refused;
    c.out << "\n";
    if (!r.asked) {
        c.out << "Automat niczego nie zaproponował.\n";
    } else {
        c.out << (r.accepted ? "Propozycje zatwierdzono.\n" : "Propozycje odrzucono.\n");
    }
    if (r.algorithm != 2) return;
    c.out << "Algorytm 2: kroków " << r.steps;
    if (r.timedOut) c.out << ", przerwany po limicie czasu";
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
    c.plan.hooks.project.chooseSaveFile = [&](const std::string&, const std::string&) {
        return std::optional<std::string>(target);
    };
    const bool saved = mi_SaveAs(c.plan);
    c.plan.hooks.project.chooseSaveFile = nullptr;
    if (saved) c.out << "Zapisano " << target << "\n";
    return saved;
}

int schedule(context& c) {
    const schedule_args a = parse_schedule_args(c.args);
    if (a.compare) return compare(c, a);
    if (!open_schedule_month(c, a)) return kExitFailure;
    Plan& plan = c.plan;
    if (a.seed) plan.random.seed(*a.seed);
    const std::string question =
        message(plan, "msg_AutoDutiesAccept", "Czy zatwierdzić automatycznie wpisane dyżury?");
    const std::shared_ptr<Interaction> usual = plan.ui;
    plan.ui = std::make_shared<decided_interaction>(usual, question, *a.accept);
    scheduler_choice choice = a.choice;
    choice.seed = a.seed;
    const scheduler_report report = uloz_planek(plan, choice);
    plan.ui = usual;

    print_workers(c);
    print_report(c, report);
    if (!a.out.empty()) {
        if (!save_to(c, a.out)) return kExitFailure;
    } else if (*a.accept) {
        if (!a_ProjectSave(plan)) return kExitFailure;
        c.out << "Zapisano " << plan.currentFile << "\n";
    }
    // The pattern positions moved on with the accepted month; they live in
    // the staff file, which the month's save wrote with it.
    if (report.accepted && !zapisz_gdy_zmienione(plan).ok()) return kExitFailure;
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
