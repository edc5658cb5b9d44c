#include "bench_hospital.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_ward.h"

namespace planek::bench {

namespace {

namespace fs = std::filesystem;

const std::vector<int> kHospitalSizes = {300, 600, 1200};
constexpr double kGoalSeconds = 0.2;
constexpr double kGoalMegabytes = 100.0;

struct cost {
    double seconds = 0;
    double cpuSeconds = 0;  // the process's own, whatever else the machine runs
    double megabytes = 0;
    int code = -1;
};

// planek-cli as a shell user runs it; the peak memory is that process's own.
cost run_cli(const std::vector<std::string>& args) {
    std::vector<std::string> all{PLANEK_CLI_PATH};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    cost c;
    c.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    c.cpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    c.megabytes = double(usage.ru_maxrss) / 1024.0;
    c.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return c;
}

fs::path hospital(int workers) {
    const fs::path root = ward_cache() / ("hospital_" + std::to_string(workers));
    if (fs::exists(root / "bench-ready")) return root;
    std::error_code ec;
    fs::remove_all(root, ec);
    std::fprintf(stderr, "generating a hospital of %d workers, 12 months...\n", workers);
    if (run_cli({"generate", root.string(), "--workers", std::to_string(workers), "--months", "12", "--seed", "1",
                 "--from", "2030-01"})
            .code != 0)
        throw std::runtime_error("cannot generate " + root.string());
    std::FILE* f = std::fopen((root / "bench-ready").c_str(), "w");
    if (f) std::fclose(f);
    return root;
}

// What the commands are run on: the hospital, its months, the ward and a
// free cell of it for the edit.
struct target {
    fs::path root;
    std::vector<std::string> months;
    std::string ward, worker, day;
};

struct command {
    const char* name;
    std::vector<std::string> (*args)(const target& t);
    // Puts the folder back after a run (not measured).
    std::vector<std::string> (*undo)(const target& t) = nullptr;
};

std::vector<std::string> with_root(const target& t, std::vector<std::string> args) {
    args.insert(args.begin(), {"--root", t.root.string(), "--lang", "english"});
    return args;
}

const std::vector<command>& commands() {
    static const std::vector<command> list = {
        {"one ward's month (show)", [](const target& t) { return with_root(t, {"show", t.months[2], "--group", t.ward}); }},
        {"one worker's year (export ics)",
         [](const target& t) {
             std::vector<std::string> a = {"export", "ics"};
             a.insert(a.end(), t.months.begin(), t.months.end());
             a.insert(a.end(), {"--worker", t.worker, "-o", (t.root / "bench-out" / "year.ics").string()});
             return with_root(t, a);
         }},
        {"one ward's period summary (print)",
         [](const target& t) {
             std::vector<std::string> a = {"print", "podsumowanie_okresu"};
             a.insert(a.end(), t.months.begin(), t.months.end());
             a.insert(a.end(), {"--group", t.ward, "-o", (t.root / "bench-out").string()});
             return with_root(t, a);
         }},
        {"one edit (add-duty)",
         [](const target& t) { return with_root(t, {"add-duty", t.months[2], t.worker, t.day, "1", "--group", t.ward}); },
         [](const target& t) { return with_root(t, {"--yes", "remove", t.months[2], t.worker, t.day}); }},
    };
    return list;
}

// The last ward (the reader passes every other ward's lines before its
// own) and a free cell of it, found by opening the month here.
target target_of(int workers) {
    target t;
    t.root = hospital(workers);
    fs::create_directories(t.root / "bench-out");
    t.months = ward_months(t.root);
    if (t.months.size() < 3) throw std::runtime_error("the hospital of " + t.root.string() + " has no year");
    Plan plan;
    open_ward(plan, t.root, {t.months[2]});
    plan.currentGroup = int(plan.groups.size()) - 1;
    const free_cell cell = find_free_cell(plan);
    if (cell.worker < 0) throw std::runtime_error("no free cell in the last ward of " + t.root.string());
    t.ward = std::to_string(plan.groups.back().id);
    t.worker = std::to_string(plan.workers[size_t(cell.worker)].id);
    t.day = std::to_string(cell.dayIndex + 1);
    return t;
}

std::string fixed(double v, const char* format) {
    char buf[32];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

std::string cell(const std::string& s, size_t width) {
    return s.size() >= width ? " " + s : std::string(width - s.size(), ' ') + s;
}

}  // namespace

int run_hospital(std::ostream& out, int runs) {
    std::map<std::pair<size_t, int>, cost> found;  // (command, workers) -> median time, highest memory
    for (int workers : kHospitalSizes) {
        const target t = target_of(workers);
        for (size_t c = 0; c < commands().size(); ++c) {
            std::vector<double> times, cpu;
            cost worst;
            for (int i = 0; i < runs; ++i) {
                const cost one = run_cli(commands()[c].args(t));
                if (commands()[c].undo) run_cli(commands()[c].undo(t));
                if (one.code != 0) throw std::runtime_error(std::string(commands()[c].name) + " failed at " +
                                                            std::to_string(workers) + " workers");
                times.push_back(one.seconds);
                cpu.push_back(one.cpuSeconds);
                worst.megabytes = std::max(worst.megabytes, one.megabytes);
            }
            std::sort(times.begin(), times.end());
            std::sort(cpu.begin(), cpu.end());
            worst.seconds = times[times.size() / 2];
            worst.cpuSeconds = cpu[cpu.size() / 2];
            found[{c, workers}] = worst;
        }
    }
    size_t width = 0;
    for (const command& c : commands()) width = std::max(width, std::string(c.name).size() + 1);
    out << "\nA hospital of wards of 30 workers, twelve months: planek-cli as a process, the median of " << runs
        << " runs (wall and CPU time in ms) and the highest peak memory (MB); ratio = 1200/300\n";
    struct column {
        const char* unit;
        double (*of)(const cost&);
    };
    const column columns[] = {{"ms", [](const cost& c) { return c.seconds * 1000; }},
                              {"CPU ms", [](const cost& c) { return c.cpuSeconds * 1000; }},
                              {"MB", [](const cost& c) { return c.megabytes; }}};
    out << "command" << std::string(width - 7, ' ');
    for (const column& col : columns) {
        for (int n : kHospitalSizes) out << cell(std::to_string(n) + " " + col.unit, 12);
        out << cell("ratio", 7);
    }
    out << "  goal at 1200 (< 200 ms CPU, < 100 MB)\n";
    bool met = true;
    for (size_t c = 0; c < commands().size(); ++c) {
        out << commands()[c].name << std::string(width - std::string(commands()[c].name).size(), ' ');
        for (const column& col : columns) {
            for (int n : kHospitalSizes) out << cell(fixed(col.of(found[{c, n}]), "%.1f"), 12);
            out << cell(fixed(col.of(found[{c, 1200}]) / col.of(found[{c, 300}]), "%.2f"), 7);
        }
        // CPU time: the wall time of a machine shared with others' builds
        // says more of them than of the program.
        const bool ok = found[{c, 1200}].cpuSeconds < kGoalSeconds && found[{c, 1200}].megabytes < kGoalMegabytes;
        met = met && ok;
        out << "  " << (ok ? "ok" : "MISSED") << "\n";
    }
    return met ? 0 : 1;
}

}  // namespace planek::bench
