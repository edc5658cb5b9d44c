#include "bench_ward.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "calendar/refresh_hooks.h"
#include "calendar/staffing.h"
#include "cli/ward_generator.h"
#include "editing/calendar_calls.h"
#include "editing/month_access.h"
#include "files/month_project.h"
#include "files/program_root.h"
#include "files/staff_group_files.h"
#include "printouts/template_install.h"
#include "scheduler/warnings.h"
#include "settings/language_install.h"
#include "settings/options_file.h"

namespace planek::bench {

namespace fs = std::filesystem;

fs::path& ward_cache() {
    static fs::path folder = fs::temp_directory_path() / "planek-bench-wards";
    return folder;
}

fs::path ward_root(const ward_key& key) {
    char name[64];
    std::snprintf(name, sizeof name, "w%d_g%d_m%d", key.workers, key.groups, key.months);
    const fs::path root = ward_cache() / name;
    const fs::path ready = root / "bench-ready";
    std::error_code ec;
    if (fs::exists(ready, ec)) return root;
    fs::remove_all(root, ec);
    // What planek-cli generate does, with a fixed seed and first month so
    // that every run measures the same wards.
    Plan plan;
    plan.ui = std::make_shared<SilentInteraction>(Answer::Yes);
    if (io_result r = open_program_root(plan, root); !r) throw std::runtime_error(r.error);
    if (ensure_language_files(plan.paths.lang) < 0) throw std::runtime_error(language_files_not_installed(plan));
    for (const fs::path& p : {plan.paths.templates, plan.paths.printouts}) fs::create_directories(p);
    cli::ward_options o;
    o.workers = key.workers;
    o.groups = key.groups;
    o.months = key.months;
    o.seed = 1;
    o.fromYear = 2030;
    o.fromMonth = 3;
    cli::build_generated_ward(plan, o);
    if (!zapisz(plan).ok()) throw std::runtime_error("cannot write the staff of " + root.string());
    const cli::generated_months months = cli::write_generated_months(plan, o);
    if (!zapisz(plan).ok() || int(months.files.size()) != key.months)
        throw std::runtime_error("cannot write the months of " + root.string());
    std::ofstream(ready) << months.duties << " duties, " << months.daysOff << " days off\n";
    return root;
}

std::vector<std::string> ward_months(const fs::path& root) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(root / "dane", ec))
        if (e.path().extension() == ".pnk") files.push_back(e.path().string());
    std::sort(files.begin(), files.end());  // "YYYY_MM.pnk" sorts by date
    return files;
}

void open_ward(Plan& plan, const fs::path& root, const std::vector<std::string>& months) {
    plan.ui = std::make_shared<SilentInteraction>(Answer::Yes);
    if (io_result r = open_program_root(plan, root); !r) throw std::runtime_error(r.error);
    if (ensure_language_files(plan.paths.lang) < 0) throw std::runtime_error(language_files_not_installed(plan));
    if (!wczytaj(plan).ok()) throw std::runtime_error("cannot read the staff of " + root.string());
    czytaj_opcje(plan, "opcje");
    install_templates(fs::path(PLANEK_SOURCE_DIR) / "templates", plan.paths.templates);
    plan.currentGroup = 0;
    // Read only: no safety copies or recent lists written while measuring.
    if (otworz_projekt(plan, months, false)->size() != months.size())
        throw std::runtime_error("cannot open the months of " + root.string());
    odswiez_liste_prac_panel(plan);
    if (!plan.listed.empty()) plan.currentWorker = plan.listed.front().worker;
    odswiez_iledy(plan);
    odswiez_ilemy(plan);
    wylicz_srednie_obsady(plan);
    call_odswiez_okres(plan, false, false, -1);
}

free_cell find_free_cell(const Plan& plan) {
    const grupa* g = plan.group();
    const int days = month_day_count(plan);
    for (size_t w = 0; g && w < plan.workers.size(); ++w) {
        const prac& p = plan.workers[w];
        if (p.old || !p.inGroup(g->id) || !p.prefSystem) continue;
        const ms_* m = worker_month(plan, int(w));
        if (!m) continue;
        for (int d = 1; d + 1 < days; ++d) {
            const bool empty = m->duties[d - 1].empty() && m->duties[d].empty() && m->duties[d + 1].empty();
            if (empty && !m->daysOff[d].used() && !m->daysOff[d].blocks) return {int(w), d, 1};
        }
    }
    return {};
}

void clear_group_duties(Plan& plan) {
    const grupa* g = plan.group();
    if (!g) return;
    for (size_t w = 0; w < plan.workers.size(); ++w) {
        if (!plan.workers[w].inGroup(g->id)) continue;
        ms_* m = worker_month(plan, int(w));
        if (!m) continue;
        for (auto& list : m->duties) list.clear();
        refresh_worker(plan, int(w));
    }
    odswiez_iledy(plan);
}

namespace {

long status_kb(const char* key) {
    std::ifstream in("/proc/self/status");
    const std::string head = std::string(key) + ":";
    for (std::string line; std::getline(in, line);)
        if (line.rfind(head, 0) == 0) return std::atol(line.c_str() + head.size());
    return -1;
}

}  // namespace

long resident_kb() { return status_kb("VmRSS"); }
long peak_kb() { return status_kb("VmHWM"); }

}  // namespace planek::bench
