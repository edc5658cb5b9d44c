// planek-bench: the cost of the whole-month operations and of one edit over
// generated wards of 20, 60, 200 and 600 workers, as a table with the
// scaling ratios and the goals they are held to.
//
//   planek-bench [--wards DIR] [benchmark flags]  timings (Google Benchmark)
//   planek-bench --count                          one run of each, for callgrind (see count.sh)
//   planek-bench --memory                         resident memory, 600 workers, 12 months open
//   planek-bench --generate                       only fills the ward cache
//   planek-bench --table FILE                     the table of "op workers groups count" lines
//   planek-bench --hospital [--runs N]            one planner's commands at 300, 600, 1200 workers
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>
#include <valgrind/callgrind.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "bench_hospital.h"
#include "bench_ops.h"
#include "bench_table.h"
#include "bench_ward.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/panel_names.h"
#include "editing/undo_stack.h"

namespace planek::bench {

namespace {

const std::vector<int> kSizes = {20, 60, 200, 600};
// The generator's own ward (groups of about 30), and the whole staff in one
// group: the second makes every per-group operation see every worker.
const std::vector<int> kLayouts = {0, 1};

std::string layout_name(int groups) { return groups == 0 ? "ward" : "one-group"; }

std::string cell_name(size_t op, int workers, int groups) {
    std::string name = operations()[op].name;
    for (char& c : name)
        if (c == ' ') c = '_';
    return name + "/" + std::to_string(workers) + "/" + layout_name(groups);
}

// Collects the per-iteration times of the console reporter's runs.
class table_reporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, cell_key> names;
    results found;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
            const std::string name = r.benchmark_name();
            for (const auto& [prefix, key] : names)
                if (name.rfind(prefix, 0) == 0 && (name.size() == prefix.size() || name[prefix.size()] == '/'))
                    found[key] = r.GetAdjustedRealTime() / 1000.0;  // microseconds -> milliseconds
        }
    }
};

int run_timings(int argc, char** argv) {
    table_reporter reporter;
    for (int groups : kLayouts)
        for (int workers : kSizes)
            for (size_t op = 0; op < operations().size(); ++op) {
                const std::string name = cell_name(op, workers, groups);
                reporter.names[name] = {op, workers, groups};
                benchmark::RegisterBenchmark(name.c_str(),
                                             [=](benchmark::State& state) {
                                                 try {
                                                     ward_state& w = ward_for(workers, groups);
                                                     for (auto _ : state)
                                                         state.SetIterationTime(operations()[op].run(w));
                                                 } catch (const std::exception& e) {
                                                     state.SkipWithError(e.what());
                                                 }
                                             })
                    ->UseManualTime()
                    ->Unit(benchmark::kMicrosecond)
                    ->MinTime(0.2);
            }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    print_table(std::cout, reporter.found, kSizes, kLayouts, "ms per run (wall time; printouts and exports: CPU time)");
    return 0;
}

// One warm-up and one counted run of every cell; each counted run is dumped
// under its own name for count.sh to read.
int run_counts() {
    for (int groups : kLayouts)
        for (int workers : kSizes) {
            ward_state& w = ward_for(workers, groups);
            for (size_t op = 0; op < operations().size(); ++op) {
                operations()[op].run(w);
                CALLGRIND_ZERO_STATS;
                operations()[op].run(w);
                const std::string name = "cell " + std::to_string(op) + " " + std::to_string(workers) + " " +
                                         std::to_string(groups);
                CALLGRIND_DUMP_STATS_AT(name.c_str());
            }
            std::cerr << "counted " << workers << " workers, " << layout_name(groups) << "\n";
        }
    return 0;
}

int generate_all() {
    for (int groups : kLayouts)
        for (int workers : kSizes) std::cout << ward_root({workers, groups, 1}).string() << "\n";
    return 0;
}

int print_counts(const std::string& file) {
    std::ifstream in(file);
    results r;
    size_t op = 0;
    int workers = 0, groups = 0;
    double count = 0;
    while (in >> op >> workers >> groups >> count)
        if (op < operations().size()) r[{op, workers, groups}] = count / 1e6;
    if (r.empty()) {
        std::cerr << "planek-bench: no counts in " << file << "\n";
        return 1;
    }
    print_table(std::cout, r, kSizes, kLayouts, "millions of instructions (callgrind Ir)");
    return 0;
}

std::string mb(long kb) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", kb / 1024.0);
    return buf;
}

// A full history on the big ward: 200 steps, each a duty added or taken
// away again at a free cell, as the window records them.
void report_history_memory(Plan& plan) {
    const free_cell c = find_free_cell(plan);
    if (c.worker < 0) return;
    undo_stack& history = undo_history(plan);
    history.clear();
    const long before = resident_kb();
    for (int i = 0; i < int(undo_stack::kMaxSteps); ++i) {
        const undo_scope step(plan, "undo_DutyAdd", "Dodaj dyżur");
        if (i % 2 == 0)
            upusc_dyzur(plan, c.worker, c.dayIndex, c.shift, true);
        else
            kosz(plan, duty_panel_name(c.worker, c.dayIndex, 0));
    }
    std::cout << "Undo history of " << history.size() << " steps: " << mb(long(history.bytes() / 1024))
              << " counted, resident memory grew by " << mb(resident_kb() - before) << "\n";
}

// The wards are generated in a child process, so that what the generator
// allocated is not counted against the months opened here.
int run_memory() {
    const ward_key key{600, 0, 12};
    const pid_t child = fork();
    if (child == 0) {
        try {
            ward_root(key);
        } catch (const std::exception& e) {
            std::cerr << e.what() << "\n";
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::cerr << "planek-bench: the 600-worker ward could not be generated\n";
        return 1;
    }
    const auto root = ward_root(key);
    const auto months = ward_months(root);
    const long before = resident_kb();
    Plan plan;
    open_ward(plan, root, months);
    const long after = resident_kb();
    std::cout << "Ward of " << plan.workers.size() << " workers in " << plan.groups.size() << " groups, "
              << plan.months.size() << " months open (" << months.size() << " files)\n"
              << "Resident memory: " << mb(after) << " (" << mb(before) << " before the ward was opened, peak "
              << mb(peak_kb()) << "); goal under 200 MB: " << (after < 200 * 1024 ? "met" : "MISSED")
              << "\n";
    report_history_memory(plan);
    return after < 200 * 1024 ? 0 : 1;
}

}  // namespace

}  // namespace planek::bench

int main(int argc, char** argv) {
    using namespace planek::bench;
    std::vector<char*> rest = {argv[0]};
    enum { Timings, Counts, Memory, Generate, Table, Hospital } mode = Timings;
    std::string tableFile;
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--count") == 0) {
            mode = Counts;
        } else if (std::strcmp(argv[i], "--memory") == 0) {
            mode = Memory;
        } else if (std::strcmp(argv[i], "--hospital") == 0) {
            mode = Hospital;
        } else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--generate") == 0) {
            mode = Generate;
        } else if (std::strcmp(argv[i], "--table") == 0 && i + 1 < argc) {
            mode = Table;
            tableFile = argv[++i];
        } else if (std::strcmp(argv[i], "--wards") == 0 && i + 1 < argc) {
            ward_cache() = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    int restCount = int(rest.size());
    try {
        switch (mode) {
            case Counts: return run_counts();
            case Memory: return run_memory();
            case Generate: return generate_all();
            case Table: return print_counts(tableFile);
            case Hospital: return run_hospital(std::cout, runs);
            case Timings: break;
        }
        return run_timings(restCount, rest.data());
    } catch (const std::exception& e) {
        std::cerr << "planek-bench: " << e.what() << "\n";
        return 1;
    }
}
