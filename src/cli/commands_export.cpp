// planek-cli export: the month for payroll's spreadsheet and a worker's
// duties for her calendar.
#include <algorithm>
#include <filesystem>
#include <tuple>
#include <ostream>

#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/standard_output.h"
#include "document/month_acts.h"
#include "document/output_acts.h"
#include "core/text.h"
#include "exports/csv_writer.h"
#include "exports/ics_writer.h"
#include "exports/roster_sheets.h"
#include "exports/worker_calendar.h"
#include "exports/xlsx_writer.h"
#include "files/data_folder_id.h"
#include "files/month_file.h"
#include "files/month_project.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

struct export_args {
    std::string format;
    std::vector<std::string> files;
    std::optional<word> group;
    std::optional<word> worker;
    bool duties = false;
    fs::path out;
};

export_args parse_export_args(const std::vector<std::string>& args) {
    export_args a;
    const std::vector<std::string> words = arg_parser()
                                               .id("--group", a.group, "grupy")
                                               .id("--worker", a.worker, "pracownika")
                                               .flag("--duties", a.duties)
                                               .text("-o", a.out)
                                               .parse(args);
    if (!words.empty()) {
        a.format = words.front();
        a.files.assign(words.begin() + 1, words.end());
    }
    if (a.format != "xlsx" && a.format != "csv" && a.format != "ics")
        throw usage_error("cli_ExportKind", "podaj rodzaj eksportu: xlsx, csv albo ics");
    if (a.files.empty()) throw usage_error("cli_NoMonthFileGiven", "brak pliku miesiąca");
    if (a.out.empty()) throw usage_error("cli_NoOutputFile", "brak pliku wynikowego (-o PLIK)");
    if (a.format == "ics" && !a.worker)
        throw usage_error("cli_IcsNeedsWorker", "eksport ics wymaga --worker ID");
    if (a.format != "ics" && a.files.size() > 1)
        throw usage_error("cli_ExportOneFile", "eksport %s bierze jeden plik miesiąca", {a.format});
    if (a.format != "csv" && a.duties)
        throw usage_error("cli_DutiesOnlyCsv", "--duties dotyczy tylko eksportu csv");
    return a;
}

// Every month file must be there and readable before anything is written.
bool readable(context& c, const std::vector<std::string>& files) {
    for (const std::string& f : files) {
        std::string bytes, error;
        std::error_code ec;
        if (!fs::exists(f, ec)) {
            c.err << say(c, "cli_NoFile", "Nie ma pliku %s", {f}) << "\n";
            return false;
        }
        if (!fs::is_regular_file(f, ec) || !read_bytes(f, bytes, error)) {
            c.err << say(c, "cli_MonthUnreadable", "Nie można odczytać pliku miesiąca %s", {f}) << "\n";
            return false;
        }
    }
    return true;
}

// The file's name on a line, or with "-o -" the file itself.
bool written(context& c, const io_result& r, const output_target& out) {
    std::string error;
    if (r && out.deliver(c.out, speaking(c), error)) return true;
    c.err << (r ? error : r.error) << "\n";
    return false;
}

bool month_mode(context& c) {
    if (!c.plan.weekMode) return true;
    c.err << say(c, "cli_WeekModeNoExport", "Plik w trybie tygodniowym nie daje się wyeksportować") << "\n";
    return false;
}

int export_sheets(context& c, const export_args& a) {
    if (!c.open_month(a.files.front(), a.group, false, true) || !month_mode(c)) return kExitFailure;
    const Plan& plan = c.plan;
    // The roster of the group shown, as the window exports it.
    const std::vector<int> workers = roster_workers(plan);
    count_worker_sums(c.doc, workers, false);
    const output_target out(a.out, "export." + a.format);
    io_result r;
    if (a.format == "xlsx")
        r = write_xlsx(out.path(), {roster_sheet(plan, workers), duty_sheet(plan, workers, false)}, &plan.tr);
    else
        r = write_csv(out.path(), a.duties ? duty_sheet(plan, workers, false) : roster_sheet(plan, workers),
                      &plan.tr);
    return written(c, r, out) ? kExitOk : kExitFailure;
}

int export_calendar(context& c, const export_args& a) {
    if (!c.load_staff()) return kExitFailure;
    const Plan& plan = c.plan;
    const int w = plan.workerIndexById(*a.worker);
    if (w < 0) {
        c.err << say(plan, "cli_NoWorker", "Nie ma pracownika %s", {std::to_string(*a.worker)}) << "\n";
        return kExitFailure;
    }
    // The symbols follow the shift table of the worker's own group.
    std::optional<word> group = a.group;
    if (!group && plan.groupIndexById(plan.workers[size_t(w)].groupId) >= 0) group = plan.workers[size_t(w)].groupId;
    // One month at a time, in calendar order: her events need no other
    // month in the tables, so each file is read once, and only her group's
    // part of it, which holds every record of hers. A first file of week
    // mode is refused below; later files of another mode are left out, as
    // a period leaves them out.
    struct dated {
        int year, month;
        size_t given;
        std::string file;
    };
    std::vector<dated> order;
    const bool weekMode = month_file_week_mode(a.files.front());
    for (size_t i = 0; i < a.files.size(); ++i) {
        if (i > 0 && (weekMode || month_file_week_mode(a.files[i]))) continue;
        const year_month ym = ustal_miesiac(plan, a.files[i]);
        order.push_back({ym.year, ym.month, i % 100, a.files[i]});
    }
    std::stable_sort(order.begin(), order.end(), [](const dated& x, const dated& y) {
        return std::tie(x.year, x.month, x.given) < std::tie(y.year, y.month, y.given);
    });
    std::vector<calendar_event> events;
    std::string idUnsaved;
    const std::string folderId = data_folder_id(plan.paths.data, &idUnsaved, &plan.tr);
    if (!idUnsaved.empty()) c.err << idUnsaved << "\n";
    for (const dated& f : order) {
        if (!c.read_months({f.file}, group, false, true) || !month_mode(c)) return kExitFailure;
        count_worker_sums(c.doc, {w}, true);
        for (calendar_event& e : worker_events(plan, w, folderId)) events.push_back(std::move(e));
    }
    const output_target out(a.out, "export.ics");
    return written(c, write_ics(out.path(), events, plan.clock->now(), &plan.tr), out) ? kExitOk
                                                                                       : kExitFailure;
}

int export_command(context& c) {
    const export_args a = parse_export_args(c.args);
    if (!readable(c, a.files)) return kExitFailure;
    return a.format == "ics" ? export_calendar(c, a) : export_sheets(c, a);
}

}  // namespace

std::vector<command> export_commands() {
    return {{"export", "xlsx|csv PLIK.pnk [--group ID] [--duties] -o WYNIK | ics PLIK.pnk... --worker ID -o WYNIK.ics",
             "grafik do arkusza (xlsx, csv; --duties: lista dyżurów) albo dyżury pracownika do kalendarza (ics)",
             export_command}};
}

}  // namespace planek::cli
