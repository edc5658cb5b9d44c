// Both scheduler algorithms side by side, judged by the warnings check.
#include "cli/schedule_compare.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "calendar/summaries.h"
#include "cli/demo_ward.h"
#include "cli/ward_generator.h"
#include "core/decimal_text.h"
#include "files/month_file.h"
#include "files/month_project.h"
#include "files/program_session.h"
#include "files/staff_group_files.h"
#include "scheduler/scheduler.h"
#include "scheduler/warnings.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

constexpr const char* kLetters = "abcdefghijkl";

struct ward_case {
    std::string name;
    int workers = 0;  // 0: the demo ward
};

struct measured {
    std::array<int, 12> findings{};
    std::int64_t shortMinutes = 0;
    std::int64_t normMinutes = 0;
    double seconds = 0;
    std::int64_t unmet = 0;
    std::int64_t cost = 0;  // the search's own cost, summed over the groups
    int aboveNorm = 0;      // workers above norm and allowance over all their groups
    bool timedOut = false;  // a run stopped by the clock before its steps were done
    // The exact model: the cost of the solver's rosters, its bound, and
    // whether every group's month was solved, and proved.
    bool exact = false, solved = true, optimal = true;
    std::int64_t exactCost = 0;
    double bound = 0;
    int breaches = 0;
    std::int64_t exactShortMinutes = 0;
};

std::string month_file_name(int year, int month) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d_%02d.pnk", year, month);
    return buf;
}

void count_lines(const std::vector<std::string>& lines, measured& m) {
    for (const std::string& line : lines) {
        if (line.size() < 2 || line[1] != ' ') continue;
        const char* at = std::strchr(kLetters, line[0]);
        if (at && *at) ++m.findings[size_t(at - kLetters)];
    }
}

// Staffing shortfall of the current group as the check left its counts.
void count_shortfall(const Plan& plan, measured& m) {
    const grupa& g = *plan.group();
    const int days = std::min<int>(int(plan.days.size()), plan.months[size_t(plan.currentMonth)].dayCount);
    for (int d = 0; d < days; ++d)
        for (size_t s = 0; s < g.shifts.size(); ++s) {
            const day& dd = plan.days[size_t(d)];
            const int need = dd.holiday ? g.shifts[s].staffMinS : g.shifts[s].staffMin;
            const int have = s < dd.shiftHeadcount.size() ? dd.shiftHeadcount[s] : 0;
            if (have < need) m.shortMinutes += std::int64_t(need - have) * g.shifts[s].length;
        }
}

// Each worker once, with the duties of all her groups: a worker of two
// groups seen through each group alone would count twice, each time
// short of the whole norm.
void count_norm_deviation(Plan& plan, measured& m) {
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        const prac& p = plan.workers[w];
        const bool member = std::any_of(plan.groups.begin(), plan.groups.end(),
                                        [&](const grupa& g) { return !g.old && p.inGroup(g.id); });
        if (p.old || !member || plan.currentMonth >= int(p.months.size())) continue;
        odswiez_pracownika(plan, int(w), true, plan.currentMonth);
        const ms_& ms = p.months[size_t(plan.currentMonth)];
        const std::int64_t planned = std::int64_t(ms.sum.total[0].workedMinutes) + ms.sum.creditedMinutes;
        m.normMinutes += std::llabs(planned - ms.workerNorm);
        const period_totals& t = p.sum.period;
        const warnings_options& rules = plan.options.warnings;
        if (rules.NormativeExceeded &&
            std::int64_t(t.periodDutyMinutes) + t.periodCreditedMinutes - t.periodNorm > rules.vNormativeExceeded)
            ++m.aboveNorm;
    }
}

// The rows of the table: the first algorithm, the second with the rules
// first (every group's default) and the second with the norm first.
struct variant {
    const char* label;
    int algorithm;
    int aim;
};
constexpr variant kVariants[] = {{"1", 1, 0}, {"2", 2, 0}, {"2n", 2, 1}};

measured run_algorithm(Plan& plan, const std::string& file, const variant& v, const compare_options& o) {
    measured m;
    months_request again;
    again.files = {file};
    again.tab = 0;
    if (!open_session_months(plan, again)) return m;
    scheduler_choice choice;
    choice.algorithm = v.algorithm;
    const int algorithm = v.algorithm;
    std::vector<byte> aims;
    for (grupa& g : plan.groups) {
        aims.push_back(g.aim);
        g.aim = byte(v.aim);
    }
    choice.seconds = o.seconds;
    choice.seed = o.seed;
    // Processor time: the machine the table is made on may be busy with
    // other work, which would swell the wall-clock figures.
    std::clock_t start = std::clock();
    for (size_t g = 0; g < plan.groups.size(); ++g) {
        if (plan.groups[g].old) continue;
        plan.currentGroup = int(g);
        plan.random.seed(o.seed);
        if (o.exact && algorithm == 2 && v.aim == 0) {
            // Solved on the month as the search is about to see it, and
            // timed apart from it.
            const std::clock_t paused = std::clock();
            const exact_comparison e = compare_with_exact(plan, choice, o.exactSeconds);
            start += std::clock() - paused;
            m.exact = e.available;
            m.solved = m.solved && e.solved;
            m.optimal = m.optimal && e.optimal;
            m.exactCost += e.solved ? e.exactCost : 0;
            m.bound += e.bound;
            m.breaches += e.breaches;
            m.exactShortMinutes += e.exactShortMinutes;
        }
        const scheduler_report r = uloz_planek(plan, choice);
        m.unmet += std::int64_t(r.unmet.size());
        m.cost += r.cost;
        m.timedOut = m.timedOut || r.timedOut;
    }
    m.seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
    for (size_t g = 0; g < plan.groups.size() && g < aims.size(); ++g) plan.groups[g].aim = aims[g];
    for (size_t g = 0; g < plan.groups.size(); ++g) {
        if (plan.groups[g].old) continue;
        plan.currentGroup = int(g);
        przygotuj_ostrzezenia(plan);
        count_lines(sprawdz_ostrzezenia(plan), m);
        count_shortfall(plan, m);
    }
    count_norm_deviation(plan, m);
    return m;
}

std::string hours(const Translator& tr, std::int64_t minutes) {
    return decimal_text(double(minutes) / 60.0, 1, &tr);
}

void print_header(const context& c) {
    c.out << say(c, "cli_CompareWard", "oddział\talg");
    for (const char* l = kLetters; *l; ++l) c.out << "\t" << *l;
    c.out << say(c, "cli_CompareColumns",
                 "\trazem\tbrak obsady [h]\tsuma |plan-norma| [h]\tczas CPU [s]\tkoszt\tponad normę+f "
                 "(wszystkie grupy)")
          << "\n";
}

void print_row(std::ostream& out, const Translator& tr, const std::string& ward, const variant& v,
               const measured& m) {
    int total = 0;
    out << ward << "\t" << v.label;
    for (int n : m.findings) {
        out << "\t" << n;
        total += n;
    }
    // Marked when the clock cut a run short: its roster is not the one the
    // seed and the time would give on a less busy machine.
    const std::string time = decimal_text(m.seconds, 2, &tr) + (m.timedOut ? "!" : "");
    out << "\t" << total << "\t" << hours(tr, m.shortMinutes) << "\t" << hours(tr, m.normMinutes) << "\t"
        << time << "\t" << (v.algorithm == 2 ? std::to_string(m.cost) : std::string("-")) << "\t"
        << m.aboveNorm << "\n";
}

// The exact model's line under the second algorithm's: the cost of the
// solver's roster (marked when it is not proved the best, "-" when none was
// found in the time) and the bound no roster of whole shifts goes below.
void print_exact(std::ostream& out, const Plan& plan, const std::string& ward, const measured& m) {
    if (!m.exact) {
        out << say(plan, "cli_ExactUnavailable", "%s\tMIP: ten program zbudowano bez CBC (coinor-libcbc-dev)", {ward})
            << "\n";
        return;
    }
    char bound[64];
    std::snprintf(bound, sizeof bound, "%.0f", m.bound);
    const std::string best = m.solved ? std::to_string(m.exactCost) + (m.optimal ? "" : "*") : "-";
    const double gap = m.solved && m.exactCost > 0 ? 100.0 * double(m.cost - m.exactCost) / double(m.exactCost) : 0;
    const std::string gapText = (gap >= 0 ? "+" : "") + decimal_text(gap, 2, &plan.tr) + "%";
    // Beside the cost, the staffing: the search must never leave more
    // shifts short than the solver's roster does.
    const std::string shortfall =
        m.solved ? say(plan, "cli_ExactShortfall", ", brak obsady %s h", {hours(plan.tr, m.exactShortMinutes)})
                 : std::string();
    out << say(plan, "cli_ExactLine", "%s\tMIP: najlepszy %s, granica %s, algorytm 2 względem najlepszego %s%s",
               {ward, best, bound, gapText,
                shortfall + (m.breaches > 0 ? say(plan, "cli_ExactBreaches", " (łamie zasady u %s)",
                                                  {std::to_string(m.breaches)})
                                            : std::string())})
        << "\n";
}

// One ward in its own folder with its one empty month, both algorithms.
bool compare_ward(context& c, const ward_case& w, const compare_options& o) {
    context sub(c.out, c.err, c.ui);
    sub.root = o.folder / w.name;
    sub.lang = c.lang;
    std::error_code ec;
    fs::remove_all(*sub.root, ec);
    fs::create_directories(*sub.root, ec);
    sub.mayCreateRoot = true;  // the comparison writes its own wards
    if (!sub.open_root()) return false;
    // Each ward is built apart in its own folder; the session had none to change.
    Plan plan = sub.doc.copy();
    for (const fs::path& p : {plan.paths.templates, plan.paths.printouts, plan.paths.lang})
        fs::create_directories(p, ec);
    if (w.workers == 0) {
        build_demo_ward(plan);
    } else {
        ward_options wo;
        wo.workers = w.workers;
        wo.seed = o.seed;
        build_generated_ward(plan, wo);
    }
    if (!zapisz(plan).ok()) return false;
    const civil_date today = plan.clock->today();
    const std::string file = (plan.paths.data / month_file_name(today.year, today.month)).string();
    plan.ui = std::make_shared<SilentInteraction>(Answer::Yes);
    months_request opening;
    opening.files = {file};
    opening.group = plan.groups.empty() ? std::nullopt : std::optional<word>(plan.groups.front().id);
    const result<std::vector<std::string>> opened =
        write_empty_month_file(file, today.year, today.month) ? open_session_months(plan, opening)
                                                              : result<std::vector<std::string>>(refusal{});
    if (!opened || opened->empty()) {
        c.err << say(c, "cli_CompareMonthNotOpened", "Nie udało się otworzyć pustego miesiąca oddziału %s.",
                     {w.name})
              << "\n";
        return false;
    }
    // Written empty, so that each algorithm starts from the same file.
    if (!zapisz_dyzury_i_wolne(plan)) return false;
    for (const variant& v : kVariants) {
        const measured m = run_algorithm(plan, opened->front(), v, o);
        print_row(c.out, plan.tr, w.name, v, m);
        if (o.exact && v.algorithm == 2 && v.aim == 0) print_exact(c.out, plan, w.name, m);
    }
    return true;
}

}  // namespace

int compare_algorithms(context& c, const compare_options& o) {
    std::vector<ward_case> wards{{"demo", 0}};
    for (int n : {20, 60, 200})
        if (n <= o.largest) wards.push_back({"w" + std::to_string(n), n});
    print_header(c);
    for (const ward_case& w : wards)
        if (!compare_ward(c, w, o)) return kExitFailure;
    return kExitOk;
}

}  // namespace planek::cli
