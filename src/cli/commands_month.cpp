#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <random>

#include "calendar/day_box.h"
#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/month_json.h"
#include "cli/standard_output.h"
#include "core/text.h"
#include "document/month_acts.h"
#include "document/output_acts.h"
#include "editing/refusal.h"
#include "editing/symbols.h"
#include "files/month_file.h"
#include "files/month_lock.h"
#include "files/month_project.h"
#include "files/month_seal.h"
#include "files/program_session.h"
#include "files/staff_group_files.h"
#include "settings/options_file.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

struct month_args {
    std::string file;
    std::optional<word> group;
    std::optional<word> worker;
    bool json = false;
};

month_args parse_month_args(const std::vector<std::string>& args, bool summary) {
    month_args a;
    arg_parser parser;
    parser.id("--group", a.group, "grupy");
    if (summary) parser.id("--worker", a.worker, "pracownika").flag("--json", a.json);
    const std::vector<std::string> words = parser.words(1).parse(args);
    if (words.empty()) throw usage_error("cli_NoMonthFileGiven", "brak pliku miesiąca");
    a.file = words.front();
    return a;
}

bool open_month(context& c, const month_args& a, bool touchFiles = false, bool wardOnly = false) {
    return c.open_month(a.file, a.group, touchFiles, wardOnly);
}

// The workers shown: not archived, in the chosen group (any group without
// one), and the chosen worker only when one is named.
std::vector<int> listed_workers(const Plan& plan, const month_args& a) {
    std::vector<int> list;
    for (size_t i = 0; i < plan.workers.size(); ++i) {
        const prac& w = plan.workers[i];
        if (w.old) continue;
        if (a.group && !w.inGroup(*a.group)) continue;
        if (a.worker && w.id != *a.worker) continue;
        list.push_back(int(i));
    }
    return list;
}

void compute(context& c, const std::vector<int>& workers, const month_args& a) {
    count_worker_sums(c.doc, workers, !a.group);
}

std::string cell_text(const Plan& plan, int worker, int day) {
    const ms_& m = plan.workers[worker].months[plan.currentMonth];
    std::string text;
    for (const dyzur& d : m.duties[day]) {
        if (!text.empty()) text += "/";
        text += trim(dyzur2symbol(plan, d, "symbol"));
    }
    const wolne_& slot = m.daysOff[day];
    if (slot.used() || slot.headIndex != kNoHead) {
        std::string off = trim(wolne2symbol(plan, slot, worker, day, plan.currentMonth));
        if (!off.empty()) text += (text.empty() ? "" : "/") + off;
    }
    return text.empty() ? "." : text;
}

// Minutes as h:mm, with a sign when negative.
std::string hm(long minutes) {
    const long a = minutes < 0 ? -minutes : minutes;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%s%ld:%02ld", minutes < 0 ? "-" : "", a / 60, a % 60);
    return buf;
}

std::string pad(const std::string& s, size_t width) {
    const size_t n = utf8_length(s);
    return n >= width ? s : s + std::string(width - n, ' ');
}

int show(context& c) {
    month_args a = parse_month_args(c.args, false);
    if (!open_month(c, a, false, true)) return kExitFailure;
    const Plan& plan = c.plan;
    // The roster of one group: the chosen one, else the first in use.
    if (!a.group && plan.group()) a.group = plan.group()->id;
    const std::vector<int> workers = listed_workers(plan, a);
    compute(c, workers, a);
    const int days = int(plan.days.size());
    std::vector<std::vector<std::string>> cells(workers.size());
    std::vector<size_t> width(size_t(days), 2);
    for (size_t r = 0; r < workers.size(); ++r)
        for (int d = 0; d < days; ++d) {
            cells[r].push_back(cell_text(plan, workers[r], d));
            width[d] = std::max(width[d], utf8_length(cells[r].back()));
        }
    char head[64];
    std::snprintf(head, sizeof head, "%04d-%02d", plan.year, plan.month);
    c.out << head << (plan.group() ? " " + plan.group()->name : "") << "\n";
    c.out << pad("", 4);
    const int first = plan.weekMode ? plan.weekModeFrom : 1;
    for (int d = 0; d < days; ++d) c.out << " " << pad(std::to_string(first + d), width[d]);
    c.out << say(plan, "cli_ShowColumns", " | norma  przepr.  pozostaje") << "\n";
    for (size_t r = 0; r < workers.size(); ++r) {
        const ms_& m = plan.workers[workers[r]].months[plan.currentMonth];
        c.out << pad(plan.workers[workers[r]].nick, 4);
        for (int d = 0; d < days; ++d) c.out << " " << pad(cells[r][d], width[d]);
        const month_figures f = figures_of(m);
        c.out << " | " << hm(f.workerNorm) << "  " << hm(f.worked) << "  " << hm(f.normOpen) << "\n";
    }
    return kExitOk;
}

int summary(context& c) {
    const month_args a = parse_month_args(c.args, true);
    if (!open_month(c, a, false, a.group.has_value())) return kExitFailure;
    const Plan& plan = c.plan;
    const std::vector<int> workers = listed_workers(plan, a);
    if (a.worker && workers.empty()) {
        c.err << say(plan, "cli_NoWorker", "Nie ma pracownika %s", {std::to_string(*a.worker)}) << "\n";
        return kExitFailure;
    }
    compute(c, workers, a);
    if (a.json) {
        c.out << summary_json(plan, workers, [&](int w, int d) { return cell_text(plan, w, d); }) << "\n";
        return kExitOk;
    }
    for (int w : workers) {
        const prac& p = plan.workers[w];
        const month_figures f = figures_of(p.months[plan.currentMonth]);
        c.out << say(plan, "cli_SummaryLine",
                     "%s %s: norma %s, przepracowano %s (dzień %s, noc %s, święta %s), wolne %s, nadgodziny "
                     "%s, "
                     "pozostaje %s, dyżurów %s",
                     {std::to_string(p.id), p.fullName(), hm(f.workerNorm), hm(f.worked),
                      hm(f.total.dayMinutes), hm(f.total.nightMinutes), hm(f.total.holidayMinutes),
                      hm(f.credited), hm(f.total.overtimeSum()), hm(f.normOpen),
                      std::to_string(p.sum.dutyCount)})
              << "\n";
    }
    return kExitOk;
}

// The day box of the window: one day's staffing against the targets, the
// most and fewest on duty at once, the note.
int day_command(context& c) {
    month_args a;
    std::vector<std::string> words =
        arg_parser().id("--group", a.group, "grupy").parse(c.args);
    // The file first, then the day.
    std::optional<long long> number;
    for (size_t i = 1; i < words.size(); ++i) {
        if (!number && parse_int(words[i])) number = parse_int(words[i]);
        else
            throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {words[i]});
    }
    if (!number) throw usage_error("cli_NoDayNumber", "podaj numer dnia");
    a.file = words.front();
    if (!open_month(c, a, false, true)) return kExitFailure;
    const Plan& plan = c.plan;
    const int first = plan.weekMode ? plan.weekModeFrom : 1;
    const long long index = *number - first;
    const day_box b = index >= 0 && index < kMaxDays ? podsumowanie_dnia(plan, int(index)) : day_box{};
    if (!b.valid) {
        c.err << say(plan, "cli_NoDayInMonth", "Nie ma dnia %s w tym miesiącu (albo grupa nie ma zmian)",
                     {std::to_string(*number)})
              << "\n";
        return kExitFailure;
    }
    for (const std::string& line : b.lines) c.out << line << "\n";
    if (!b.note.empty()) c.out << b.note << "\n";
    return kExitOk;
}

int check(context& c) {
    if (arg_parser().parse(c.args).size() != 1) throw usage_error("cli_OneMonthFile", "podaj jeden plik miesiąca");
    // Without staff the check still reads every line; duties then count as
    // those of unknown workers.
    if (!c.load_staff())
        c.err << say(c, "cli_StaffNotRead", "Nie wczytano kadry; pracownicy nie będą sprawdzani.") << "\n";
    const std::vector<month_problem> problems = check_month_file(c.plan, fs::path(c.args[0]));
    for (const month_problem& p : problems) c.out << problem_text(p, c.plan.tr) << "\n";
    if (problems.empty()) c.out << say(c, "cli_FileReadWhole", "Plik wczytany w całości.") << "\n";
    return problems.empty() ? kExitOk : kExitFailure;
}

// The month as its file holds it, on standard output: the bytes a save
// would write, sealed the same way, and nothing else on that stream.
int month_to_standard_output(context& c) {
    std::string bytes;
    if (io_result r = month_file_bytes(c.plan, "-", bytes); !r) {
        c.err << r.error << "\n";
        return kExitFailure;
    }
    c.out.write(bytes.data(), std::streamsize(bytes.size()));
    c.out.flush();
    return c.out ? kExitOk : kExitFailure;
}

// The target of a command that writes one month file: its last word or
// "-o", never both; "-" is standard output.
std::optional<std::string> written_target(const std::vector<std::string>& words, std::size_t at,
                                          const std::optional<std::string>& out) {
    if (out && words.size() > at)
        throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {words[at]});
    if (out) return out;
    if (words.size() > at) return words[at];
    return std::nullopt;
}

int save_as(context& c) {
    std::optional<std::string> out;
    const std::vector<std::string> words = arg_parser().text("-o", out).words(2).parse(c.args);
    const std::optional<std::string> to = words.empty() ? std::nullopt : written_target(words, 1, out);
    if (!to || to->empty()) throw usage_error("cli_SourceAndTarget", "podaj plik źródłowy i docelowy");
    month_args a;
    a.file = words[0];
    if (!open_month(c, a)) return kExitFailure;
    if (is_standard_output(*to)) return month_to_standard_output(c);
    const std::string target = fs::absolute(*to).string();
    std::error_code ec;
    if (fs::exists(target, ec) &&
        c.ui->ask(say(c, "cli_ReplaceFile", "Plik %s istnieje. Zastąpić go?", {target}), Buttons::YesNo) !=
            Answer::Yes) {
        c.err << say(c, "cli_NothingSaved", "Nic nie zapisano.") << "\n";
        return kExitFailure;
    }
    const result<> saved = save_month_to(c.doc, target);
    tell_user(*c.ui, saved);
    if (!saved) return kExitFailure;
    c.out << say(c, "cli_Saved", "Zapisano %s", {target}) << "\n";
    return kExitOk;
}

// An empty month of one year and month in a file of its own outside the
// ward's folders, removed when it goes out of scope.
struct scratch_month {
    fs::path file;
    std::string error;
    scratch_month(const year_month& ym, const Translator& tr) {
        std::error_code ec;
        std::random_device random;
        file = fs::temp_directory_path(ec) / ("planek-" + std::to_string(random()) + ".pnk");
        if (io_result r = write_empty_month_file(file, ym.year, ym.month, &tr); !r) error = r.error;
    }
    ~scratch_month() {
        std::error_code ec;
        fs::remove(file, ec);
    }
    bool ok() const { return error.empty(); }
};

int new_month(context& c) {
    std::optional<std::string> out;
    const std::vector<std::string> words = arg_parser().text("-o", out).words(2).parse(c.args);
    // With "-o" every word is the month; else the first is the file.
    const std::size_t monthAt = out ? 0 : 1;
    if ((!out && words.empty()) || words.size() > monthAt + 1 || (out && out->empty()))
        throw usage_error("cli_FileAndMonth", "podaj plik i ewentualnie miesiąc RRRR-MM");
    const std::string named = out ? *out : words[0];
    const bool toStandardOutput = is_standard_output(named);
    const std::string target = toStandardOutput ? named : fs::absolute(named).string();
    year_month ym{};
    if (words.size() == monthAt + 1) {
        char dash = 0;
        if (std::sscanf(words[monthAt].c_str(), "%d%c%d", &ym.year, &dash, &ym.month) != 3 || dash != '-' ||
            ym.year < 1900 || ym.year > 9999 || ym.month < 1 || ym.month > 12)
            throw usage_error("cli_MonthForm", "miesiąc ma postać RRRR-MM");
    }
    if (!c.load_staff()) return kExitFailure;
    std::error_code ec;
    if (!toStandardOutput && fs::exists(target, ec) &&
        c.ui->ask(say(c, "cli_ReplaceFile", "Plik %s istnieje. Zastąpić go?", {target}), Buttons::YesNo) !=
            Answer::Yes) {
        c.err << say(c, "cli_NothingSaved", "Nic nie zapisano.") << "\n";
        return kExitFailure;
    }
    // The month named, else the one the file name gives (or today's); the
    // old contents of a replaced file play no part. Nothing reaches the
    // target but the finished month: the empty month is read from a scratch
    // file of its own, which goes however the command ends.
    // Standard output names no month: the current one then, unless given.
    if (ym.year == 0) ym = ustal_miesiac(c.plan, month_ini{}, toStandardOutput ? std::string() : target);
    if (const std::string refusal = damaged_staff_refusal(c.plan); !refusal.empty()) {
        c.err << refusal << "\n";
        return kExitFailure;
    }
    const scratch_month scratch(ym, speaking(c));
    if (!scratch.ok()) {
        c.err << scratch.error << "\n";
        return kExitFailure;
    }
    if (!c.read_months({scratch.file.string()}, std::nullopt, false)) return kExitFailure;
    if (toStandardOutput) return month_to_standard_output(c);
    if (const result<> saved = create_month_file(c.doc, target); !saved) {
        tell_user(*c.ui, saved);
        return kExitFailure;
    }
    c.out << say(c, "cli_Saved", "Zapisano %s", {target}) << "\n";
    return kExitOk;
}

}  // namespace

std::vector<command> month_commands() {
    return {
        {"show", "PLIK.pnk [--group ID]", "miesiąc jako tabela: dni, normatyw, przepracowane, pozostałe",
         show},
        {"summary", "PLIK.pnk [--group ID] [--worker ID] [--json]", "liczby pracowników w miesiącu", summary},
        {"day", "PLIK.pnk DZIEŃ [--group ID]",
         "obsada zmian dnia wobec wymaganej, najwięcej i najmniej na dyżurze, notatka", day_command},
        {"check", "PLIK.pnk", "sprawdza plik miesiąca i wypisuje wiersze nie do użycia", check},
        {"new", "PLIK.pnk|-o - [RRRR-MM]",
         "zapisuje pusty plik miesiąca (domyślnie bieżącego); -o -: na standardowe wyjście", new_month},
        {"save-as", "PLIK.pnk NOWY.pnk|-o -",
         "wczytuje plik miesiąca i zapisuje go pod nową nazwą; -o -: na standardowe wyjście", save_as},
    };
}

}  // namespace planek::cli
