// Both scheduler algorithms side by side, judged by the warnings check.
#include "cli/schedule_compare.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "calendar/summaries.h"
#include "cli/demo_ward.h"
#include "cli/ward_generator.h"
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
    }
}

measured run_algorithm(Plan& plan, const std::string& file, int algorithm, const compare_options& o) {
    measured m;
    months_request again;
    again.files = {file};
    again.tab = 0;
    if (!open_session_months(plan, again)) return m;
    scheduler_choice choice;
    choice.algorithm = algorithm;
    choice.seconds = o.seconds;
    choice.seed = o.seed;
    // Processor time: the machine the table is made on may be busy with
    // other work, which would swell the wall-clock figures.
    const std::clock_t start = std::clock();
    for (size_t g = 0; g < plan.groups.size(); ++g) {
        if (plan.groups[g].old) continue;
        plan.currentGroup = int(g);
        plan.random.seed(o.seed);
        m.unmet += std::int64_t(uloz_planek(plan, choice).unmet.size());
    }
    m.seconds = double(std::clock() - start) / CLOCKS_PER_SEC;
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

std::string hours(std::int64_t minutes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", double(minutes) / 60.0);
    return buf;
}

void print_header(std::ostream& out) {
    out << "oddział\talg";
    for (const char* c = kLetters; *c; ++c) out << "\t" << *c;
    out << "\trazem\tbrak obsady [h]\tsuma |plan-norma| [h]\tczas CPU [s]\n";
}

void print_row(std::ostream& out, const std::string& ward, int algorithm, const measured& m) {
    int total = 0;
    out << ward << "\t" << algorithm;
    for (int n : m.findings) {
        out << "\t" << n;
        total += n;
    }
    char time[32];
    std::snprintf(time, sizeof time, "%.2f", m.seconds);
    out << "\t" << total << "\t" << hours(m.shortMinutes) << "\t" << hours(m.normMinutes) << "\t" << time << "\n";
}

// One ward in its own folder with its one empty month, both algorithms.
bool compare_ward(context& c, const ward_case& w, const compare_options& o) {
    context sub(c.out, c.err, c.ui);
    sub.root = o.folder / w.name;
    sub.lang = c.lang;
    std::error_code ec;
    fs::remove_all(*sub.root, ec);
    fs::create_directories(*sub.root, ec);
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
        c.err << "Nie udało się otworzyć pustego miesiąca oddziału " << w.name << ".\n";
        return false;
    }
    // Written empty, so that each algorithm starts from the same file.
    if (!zapisz_dyzury_i_wolne(plan)) return false;
    for (int algorithm : {1, 2})
        print_row(c.out, w.name, algorithm, run_algorithm(plan, opened->front(), algorithm, o));
    return true;
}

}  // namespace

int compare_algorithms(context& c, const compare_options& o) {
    std::vector<ward_case> wards{{"demo", 0}};
    for (int n : {20, 60, 200})
        if (n <= o.largest) wards.push_back({"w" + std::to_string(n), n});
    print_header(c.out);
    for (const ward_case& w : wards)
        if (!compare_ward(c, w, o)) return kExitFailure;
    return kExitOk;
}

}  // namespace planek::cli
