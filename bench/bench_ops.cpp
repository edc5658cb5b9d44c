#include "bench_ops.h"

#include <valgrind/callgrind.h>

#include <chrono>
#include <ctime>
#include <memory>
#include <stdexcept>

#include "calendar/staffing.h"
#include "calendar/summaries.h"
#include "editing/calendar_calls.h"
#include "editing/duty_moves.h"
#include "editing/month_access.h"
#include "editing/undo_stack.h"
#include "exports/csv_writer.h"
#include "exports/ics_writer.h"
#include "exports/roster_sheets.h"
#include "exports/worker_calendar.h"
#include "exports/xlsx_writer.h"
#include "files/month_file.h"
#include "files/program_session.h"
#include "printouts/generation.h"
#include "scheduler/scheduler.h"
#include "scheduler/warnings.h"

namespace planek::bench {

namespace {

namespace fs = std::filesystem;
using clock_type = std::chrono::steady_clock;

// Seconds of f(). Under callgrind (--collect-atstart=no) only this part is
// counted; natively the toggles cost a few instructions.
template <class F>
double timed(F&& f) {
    CALLGRIND_TOGGLE_COLLECT;
    const auto t0 = clock_type::now();
    f();
    const auto t1 = clock_type::now();
    CALLGRIND_TOGGLE_COLLECT;
    return std::chrono::duration<double>(t1 - t0).count();
}

double thread_cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// CPU seconds of f(): what the program itself spent, whatever else shares
// the machine (other builds stretch the wall time, not this) and however
// long the disk takes to sync the written file.
template <class F>
double cpu_timed(F&& f) {
    CALLGRIND_TOGGLE_COLLECT;
    const double t0 = thread_cpu_seconds();
    f();
    const double t1 = thread_cpu_seconds();
    CALLGRIND_TOGGLE_COLLECT;
    return t1 - t0;
}

// What a start on the ward costs before the first month is shown: the
// session start on the folder and its months opened as the window does.
double session_open(ward_state& w) {
    const std::vector<std::string> months = ward_months(w.root);
    return timed([&] {
        Plan plan;
        plan.ui = std::make_shared<SilentInteraction>(Answer::Yes);
        session_request start;
        start.root = w.root;
        if (!open_program_session(plan, start).ok()) throw std::runtime_error("cannot start on " + w.root.string());
        months_request open;
        open.files = months;
        const result<std::vector<std::string>> opened = open_session_months(plan, open);
        if (!opened.ok()) throw std::runtime_error(opened.error().text);
    });
}

double read_month(ward_state& w) {
    return timed([&] { wczytaj_tylko_do_odczytu(w.plan); });
}

double all_summaries(ward_state& w) {
    Plan& p = w.plan;
    return timed([&] {
        for (int i = 0; i < int(p.workers.size()); ++i) odswiez_pracownika(p, i, false, p.currentMonth);
    });
}

// A ctrl-drop of a shift onto a free cell: the quick add of the calendar,
// with every refresh the editing code makes after it.
double one_edit(ward_state& w) {
    Plan& p = w.plan;
    const free_cell c = w.cell;
    drop_result r;
    const double s = timed([&] { r = upusc_dyzur(p, c.worker, c.dayIndex, c.shift, true); });
    if (r.outcome != drop_outcome::Added) throw std::runtime_error("the benchmark edit was refused");
    // Back to the month as read, for the next run.
    {
        const worker_staffing_share share(p, c.worker);
        worker_month(p, c.worker)->duties[size_t(c.dayIndex)].pop_back();
    }
    refresh_worker(p, c.worker);
    return s;
}

// The benchmark edit as the window makes it: one step of the history.
void edit_as_step(Plan& p, const free_cell& c) {
    const undo_scope step(p, "undo_DutyAdd", "Dodaj dyżur");
    if (upusc_dyzur(p, c.worker, c.dayIndex, c.shift, true).outcome != drop_outcome::Added)
        throw std::runtime_error("the benchmark edit was refused");
}

double undo_edit(ward_state& w) {
    Plan& p = w.plan;
    undo_stack& history = undo_history(p);
    edit_as_step(p, w.cell);
    const double s = timed([&] { history.undo(p); });
    history.clear();
    return s;
}

double redo_edit(ward_state& w) {
    Plan& p = w.plan;
    undo_stack& history = undo_history(p);
    edit_as_step(p, w.cell);
    history.undo(p);
    const double s = timed([&] { history.redo(p); });
    history.undo(p);
    history.clear();
    return s;
}

double staffing_counts(ward_state& w) {
    Plan& p = w.plan;
    return timed([&] {
        odswiez_iledy(p);
        odswiez_ilemy(p);
        wylicz_srednie_obsady(p);
    });
}

double warnings_check(ward_state& w) {
    warnings_report r;
    const double s = timed([&] { r = a_WarningsExecute(w.plan); });
    if (r.outcome != warnings_outcome::Written) throw std::runtime_error("the warnings check did not run");
    return s;
}

double scheduler_run(ward_state& w) {
    Plan p = w.cleared;
    p.random.seed(1);
    scheduler_report r;
    const double s = timed([&] { r = uloz_planek(p); });
    if (!r.ran) throw std::runtime_error("the scheduler did not run");
    return s;
}

double printout(ward_state& w, const char* templateFile) {
    gen_options o;
    o.outputFolder = w.printoutFolder;
    gen_result r;
    const fs::path tmpl = w.plan.paths.templates / templateFile;
    const double s = cpu_timed([&] { r = generuj(w.plan, tmpl, o); });
    if (!r.ok) throw std::runtime_error("printout failed: " + r.error);
    return s;
}

double roster_printout(ward_state& w) { return printout(w, "grafik_miesieczny.wzr"); }
double days_off_printout(ward_state& w) { return printout(w, "dni_wolne.wzr"); }
double worker_sheet_printout(ward_state& w) { return printout(w, "karta_pracownika.wzr"); }
double who_works_printout(ward_state& w) { return printout(w, "kto_pracuje.wzr"); }
double duty_list_printout(ward_state& w) { return printout(w, "lista_dyzurow.wzr"); }
double overtime_printout(ward_state& w) { return printout(w, "nadgodziny.wzr"); }
double period_printout(ward_state& w) { return printout(w, "podsumowanie_okresu.wzr"); }
double hours_printout(ward_state& w) { return printout(w, "zestawienie_godzin.wzr"); }

// The shown group's workers, as the export of one group lists them.
std::vector<int> group_workers(const Plan& p) {
    std::vector<int> list;
    const word id = p.group() ? p.group()->id : 0;
    for (size_t i = 0; i < p.workers.size(); ++i)
        if (!p.workers[i].old && p.workers[i].inGroup(id)) list.push_back(int(i));
    return list;
}

void written(const io_result& r) {
    if (!r) throw std::runtime_error("export failed: " + r.error);
}

double xlsx_export(ward_state& w) {
    const std::vector<int> workers = group_workers(w.plan);
    return cpu_timed([&] {
        compute_workers(w.plan, workers, false);
        written(write_xlsx(w.printoutFolder / "roster.xlsx",
                           {roster_sheet(w.plan, workers), duty_sheet(w.plan, workers, false)}));
    });
}

double csv_export(ward_state& w) {
    const std::vector<int> workers = group_workers(w.plan);
    return cpu_timed([&] {
        compute_workers(w.plan, workers, false);
        written(write_csv(w.printoutFolder / "roster.csv", roster_sheet(w.plan, workers)));
        written(write_csv(w.printoutFolder / "duties.csv", duty_sheet(w.plan, workers, false)));
    });
}

double ics_export(ward_state& w) {
    const int worker = w.cell.worker;
    return cpu_timed([&] {
        compute_workers(w.plan, {worker}, true);
        written(write_ics(w.printoutFolder / "worker.ics", worker_events(w.plan, worker, "bench"), 0));
    });
}

}  // namespace

ward_state& ward_for(int workers, int groups) {
    static std::map<std::pair<int, int>, std::unique_ptr<ward_state>> open;
    auto& slot = open[{workers, groups}];
    if (slot) return *slot;
    auto w = std::make_unique<ward_state>();
    w->key = {workers, groups, 1};
    w->root = ward_root(w->key);
    open_ward(w->plan, w->root, ward_months(w->root));
    w->cleared = w->plan;
    clear_group_duties(w->cleared);
    w->cell = find_free_cell(w->plan);
    if (w->cell.worker < 0) throw std::runtime_error("no free cell for the benchmark edit");
    w->printoutFolder = w->root / "bench-out";
    fs::create_directories(w->printoutFolder);
    slot = std::move(w);
    return *slot;
}

const std::vector<operation>& operations() {
    static const std::vector<operation> ops = {
        {"session start and month open", session_open},
        {"read month file", read_month},    {"all summaries", all_summaries},     {"one edit", one_edit},
        {"undo one edit", undo_edit},       {"redo one edit", redo_edit},
        {"staffing counts", staffing_counts}, {"warnings check", warnings_check}, {"scheduler run", scheduler_run},
        {"roster printout", roster_printout, true}, {"days off printout", days_off_printout, true},
        {"worker sheet printout", worker_sheet_printout, true}, {"who works printout", who_works_printout, true},
        {"duty list printout", duty_list_printout, true}, {"overtime printout", overtime_printout, true},
        {"period printout", period_printout, true}, {"hours printout", hours_printout, true},
        {"xlsx export", xlsx_export, true}, {"csv export", csv_export, true}, {"ics export", ics_export, true},
    };
    return ops;
}

}  // namespace planek::bench
