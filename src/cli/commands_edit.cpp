// planek-cli add-duty, add-dayoff and remove: one edit of a month file, made
// through the same drop and dialog steps as in the window, so the command
// line refuses exactly what the program refuses, with the same message.
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>

#include "calendar/summaries.h"
#include "calendar/time_text.h"
#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "editing/day_off_dialog_model.h"
#include "editing/day_off_rules.h"
#include "editing/duty_dialog_model.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/month_access.h"
#include "editing/panel_names.h"
#include "editing/symbols.h"
#include "files/month_project.h"
#include "files/staff_group_files.h"
#include "scheduler/scheduler.h"
#include "settings/options_file.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

// What every edit names: the file, the worker and the day, plus the
// command's own third word (shift or kind) and its options.
struct edit_args {
    std::string file;
    word workerId = 0;
    int day = 0;
    std::string what;  // shift (add-duty) or kind (add-dayoff)
    std::optional<word> group;
    std::optional<int> start, length, overtime, norm;
    std::optional<int> to, shift, position;
    std::string note;
    bool onRequest = false, medical = false, alsoOvertime = false, partTime = false, dayOff = false;
};

int number_arg(const std::string& text, const char* what, int low, int high) {
    auto v = parse_int(text);
    if (!v || *v < low || *v > high) throw usage_error(std::string("niepoprawn") + what + " „" + text + "”");
    return int(*v);
}

// A time of a day's duty: 0:00 to 24:00 (overtime also below zero). A longer
// one would reach past the next day, which the overlap rules never look at.
int time_arg(const std::string& text, const std::string& option, bool allowNegative = false) {
    const std::optional<int> v = try_h2min(text);
    if (!v || *v > 1440 || *v < (allowNegative ? -1440 : 0))
        throw usage_error(option + ": niepoprawny czas „" + text + "” (g:mm, najwyżej 24:00)");
    return *v;
}

enum class edit_kind { Duty, DayOff, Remove };

edit_args parse_edit_args(const std::vector<std::string>& args, edit_kind kind) {
    edit_args a;
    arg_parser parser;
    auto time = [](std::optional<int>& target, const char* option, bool allowNegative = false) {
        return [&target, option, allowNegative](const std::string& v) { target = time_arg(v, option, allowNegative); };
    };
    auto number = [](std::optional<int>& target, const char* what, int high) {
        return [&target, what, high](const std::string& v) { target = number_arg(v, what, 1, high); };
    };
    if (kind != edit_kind::Remove)
        parser.value("--group", [&](const std::string& v) { a.group = word(number_arg(v, "y identyfikator grupy", 1, 65535)); });
    if (kind == edit_kind::Duty)
        parser.value("--start", time(a.start, "--start"))
            .value("--length", time(a.length, "--length"))
            .value("--overtime", time(a.overtime, "--overtime", true))
            .text("--note", a.note)
            .flag("--on-request", a.onRequest)
            .flag("--medical", a.medical)
            .flag("--also-overtime", a.alsoOvertime);
    if (kind == edit_kind::DayOff)
        parser.value("--to", number(a.to, "y dzień", 255))
            .value("--shift", [&](const std::string& v) { a.shift = number_arg(v, "y numer zmiany", 0, 255); })
            .value("--norm", time(a.norm, "--norm"))
            .flag("--part-time", a.partTime);
    if (kind == edit_kind::Remove)
        parser.value("--duty", number(a.position, "a pozycja dyżuru", 255)).flag("--dayoff", a.dayOff);
    const std::vector<std::string> positional = parser.numbers_are_words().parse(args);
    const size_t wanted = kind == edit_kind::Remove ? 3 : 4;
    if (positional.size() < wanted) throw usage_error("za mało argumentów");
    if (positional.size() > wanted) throw usage_error("nieoczekiwany argument „" + positional[wanted] + "”");
    a.file = positional[0];
    a.workerId = word(number_arg(positional[1], "y identyfikator pracownika", 1, 65535));
    a.day = number_arg(positional[2], "y dzień", 1, 255);
    if (wanted == 4) a.what = positional[3];
    return a;
}

// The group the edit is made in: the one named, else the worker's first
// group in use, else the first group in use.
int edit_group(const Plan& plan, const edit_args& a, const prac* w) {
    for (int pass = 0; pass < 2; ++pass)
        for (size_t g = 0; g < plan.groups.size(); ++g) {
            const grupa& gr = plan.groups[g];
            if (a.group) {
                if (gr.id == *a.group) return int(g);
            } else if (!gr.old && (pass == 1 || (w && w->inGroup(gr.id)))) {
                return int(g);
            }
        }
    return -1;
}

// The month file opened as the only tab, for writing, with the worker and
// the day found. Fills worker and dayIndex; false after saying why.
bool open_for_edit(context& c, const edit_args& a, int& worker, int& dayIndex) {
    if (!c.load_staff()) return false;
    Plan& plan = c.plan;
    worker = plan.workerIndexById(a.workerId);
    const int group = edit_group(plan, a, worker >= 0 ? &plan.workers[worker] : nullptr);
    if (a.group && group < 0) {
        c.err << say(plan, "cli_NoGroup", "Nie ma grupy %s", {std::to_string(*a.group)}) << "\n";
        return false;
    }
    if (worker < 0) {
        c.err << say(plan, "cli_NoWorker", "Nie ma pracownika %s", {std::to_string(a.workerId)}) << "\n";
        return false;
    }
    std::error_code ec;
    if (!fs::is_regular_file(a.file, ec)) {
        c.err << say(plan, "cli_NoMonthFile", "Nie ma pliku %s (pusty miesiąc zapisuje planek-cli new)", {a.file})
              << "\n";
        return false;
    }
    const std::optional<word> groupId = group >= 0 ? std::optional<word>(plan.groups[size_t(group)].id) : std::nullopt;
    if (!c.read_months({a.file}, groupId, true)) return false;
    plan.currentWorker = worker;
    dayIndex = a.day - first_day_of_month(plan);
    if (dayIndex < 0 || dayIndex >= month_day_count(plan)) {
        c.err << say(plan, "cli_NoSuchDay", "Dnia %s nie ma w miesiącu %s/%s",
                     {std::to_string(a.day), std::to_string(plan.month), std::to_string(plan.year)})
              << "\n";
        return false;
    }
    return true;
}

// The yearly allowances a day off draws on; they live in the staff file,
// which the window writes when the program closes.
std::vector<std::array<int, 4>> allowances(const Plan& plan) {
    std::vector<std::array<int, 4>> out;
    for (const prac& w : plan.workers)
        out.push_back({w.holidayCurrentYear, w.holidayPreviousYear, w.careDays, w.rehaDays});
    return out;
}

void restore_allowances(Plan& plan, const std::vector<std::array<int, 4>>& before) {
    for (size_t i = 0; i < plan.workers.size() && i < before.size(); ++i) {
        prac& w = plan.workers[i];
        w.holidayCurrentYear = before[i][0];
        w.holidayPreviousYear = before[i][1];
        w.careDays = before[i][2];
        w.rehaDays = before[i][3];
    }
}

// Writes the month together with the staff when an answer changed an
// allowance (a Yes to "decrease the leave left" must not be lost with the
// run): both files or neither, and one message either way.
int save(context& c, const std::vector<std::array<int, 4>>& before) {
    const bool balances = allowances(c.plan) != before;
    if (!a_ProjectSave(c.plan)) {
        // Neither file changed, so the balances are again those on disk.
        restore_allowances(c.plan, before);
        c.err << say(c.plan, "cli_NotSaved", "Nie zapisano pliku %s", {c.plan.currentFile})
              << (restore_pending(c.plan) ? say(c.plan, "cli_AwaitsRestore", " (czeka na przywrócenie z kopii)") : "")
              << "\n";
        return kExitFailure;
    }
    if (balances) c.out << say(c.plan, "cli_AllowancesSaved", "Zapisano limity urlopów w kadrze") << "\n";
    c.out << say(c.plan, "cli_Saved", "Zapisano %s", {c.plan.currentFile}) << "\n";
    return kExitOk;
}

// A shift by its number or by its symbol in the group.
int shift_number(const grupa& g, const std::string& text) {
    if (auto n = parse_int(text)) {
        if (*n >= 1 && *n <= long(g.shifts.size())) return int(*n);
    } else {
        for (size_t s = 0; s < g.shifts.size(); ++s)
            if (lower_pl(trim(g.shifts[s].symbol)) == lower_pl(trim(text))) return int(s) + 1;
    }
    throw usage_error("grupa " + g.name + " nie ma zmiany „" + text + "”");
}

// A day-off kind by its one-letter code ("u", "z", "ż"...) or its name.
int kind_row(const Plan& plan, const std::string& text) {
    const std::vector<day_off_kind>& kinds = plan.options.dayOffKinds;
    for (size_t k = 0; k < kinds.size(); ++k)
        if (kinds[k].code == text) return int(k);
    for (size_t k = 0; k < kinds.size(); ++k)
        if (!kinds[k].shownName().empty() && lower_pl(kinds[k].shownName()) == lower_pl(trim(text))) return int(k);
    throw usage_error("nieznany rodzaj wolnego „" + text + "” (kod, np. u, z, o, albo nazwa)");
}

int add_duty(context& c) {
    const edit_args a = parse_edit_args(c.args, edit_kind::Duty);
    int worker = -1, dayIndex = -1;
    if (!open_for_edit(c, a, worker, dayIndex)) return kExitFailure;
    Plan& plan = c.plan;
    if (!plan.group() || plan.group()->shifts.empty()) {
        c.err << say(plan, "cli_GroupWithoutShifts", "Grupa nie ma zmian") << "\n";
        return kExitFailure;
    }
    const int shift = shift_number(*plan.group(), a.what);
    const auto before = allowances(plan);
    // The drop of "d" on the cell, then the dialog it opens.
    const drop_result drop = upusc_dyzur(plan, worker, dayIndex, shift, false);
    tell_user(*plan.ui, drop.said);
    if (drop.outcome != drop_outcome::OpenDutyDialog) return kExitFailure;
    duty_dialog_model dialog;
    dialog.openAdd(plan, worker, dayIndex, drop.duty);
    if (a.length) dialog.setTimeText(min2h(*a.length));
    if (a.start) dialog.startText = min2h(*a.start);
    if (a.overtime) dialog.overtimeText = min2h(*a.overtime);
    dialog.note = a.note;
    dialog.onRequest = a.onRequest;
    dialog.medical = a.medical;
    if (a.alsoOvertime) dialog.setAlsoOvertime(true);
    const std::string who = plan.workers[worker].fullName();
    const dialog_outcome<duty_dialog_result> done = dialog.ok(plan, rozpisz_8_z_dialogu);
    tell_user(*plan.ui, done.said);
    switch (done.result) {
        case duty_dialog_result::Added: {
            const dyzur& d = worker_month(plan, worker)->duties[dayIndex].back();
            c.out << say(plan, "cli_DutyAdded", "Dodano dyżur %s: %s, dzień %s, %s-%s",
                         {trim(dyzur2symbol(plan, d, "symbol")), who, std::to_string(a.day),
                          min2h(d.start, "txt", true, true), min2h(d.start + d.length, "txt", true, true)});
            if (d.overtime) c.out << " + " << min2h(d.overtime);
            c.out << "\n";
            break;
        }
        case duty_dialog_result::FilledMonth:
            c.out << say(plan, "cli_MonthFilled", "Rozpisano dyżur na cały miesiąc: %s", {who}) << "\n";
            break;
        default:
            return kExitFailure;  // the message went out through the interaction
    }
    return save(c, before);
}

int add_day_off(context& c) {
    const edit_args a = parse_edit_args(c.args, edit_kind::DayOff);
    int worker = -1, dayIndex = -1;
    if (!open_for_edit(c, a, worker, dayIndex)) return kExitFailure;
    Plan& plan = c.plan;
    const int row = kind_row(plan, a.what);
    const auto before = allowances(plan);
    const drop_result drop = upusc_wolne(plan, worker, dayIndex);
    tell_user(*plan.ui, drop.said);
    if (drop.outcome != drop_outcome::OpenDayOffDialog) return kExitFailure;
    day_off_dialog_model dialog;
    dialog.openAdd(plan, worker, dayIndex);
    dialog.kindIndex = row;
    if (dialog.noDutyKind(plan)) {
        if (a.to) throw usage_error("dzień bez dyżuru trwa jeden dzień; zmianę podaje --shift");
        dialog.secondDay = a.shift.value_or(0);
    } else {
        if (a.shift) throw usage_error("--shift tylko dla dnia bez dyżuru");
        dialog.secondDay = a.to.value_or(a.day);
        if (dialog.secondDay < a.day) throw usage_error("--to przed pierwszym dniem");
    }
    dialog.normWithPartTime = a.partTime;
    if (a.norm) {
        dialog.customNorm = true;
        dialog.normText = min2h(*a.norm);
    }
    dialog.refreshNorm(plan);
    if (dialog.ok(plan) != day_off_dialog_result::Added) return kExitFailure;
    const wolne_& w = worker_month(plan, worker)->daysOff[dayIndex];
    c.out << say(plan, "cli_DayOffAdded", "Dodano wolne „%s”: %s, dni %s-%s",
                 {wolne2nazwa(plan, w.symbol), plan.workers[worker].fullName(), std::to_string(int(w.dayFrom)),
                  std::to_string(int(w.dayTo))});
    if (byte(w.symbol) != kNoDutyWanted) c.out << say(plan, "cli_DayOffNorm", ", normatyw %s", {min2h(w.normMinutes)});
    c.out << "\n";
    return save(c, before);
}

// The head slot of the day off lying on the day, or -1.
int day_off_head(const ms_& m, int dayIndex) {
    const wolne_& slot = m.daysOff[dayIndex];
    if (slot.used()) return dayIndex;
    if (slot.headIndex < kMaxDays && m.daysOff[slot.headIndex].used()) return slot.headIndex;
    return -1;
}

int remove(context& c) {
    const edit_args a = parse_edit_args(c.args, edit_kind::Remove);
    int worker = -1, dayIndex = -1;
    if (!open_for_edit(c, a, worker, dayIndex)) return kExitFailure;
    Plan& plan = c.plan;
    const ms_& m = *worker_month(plan, worker);
    const auto before = allowances(plan);
    // Without a choice everything on the day goes.
    const bool duties = a.position || !a.dayOff;
    const bool dayOff = a.dayOff || !a.position;
    const int count = int(m.duties[dayIndex].size());
    if (a.position && *a.position > count) {
        c.err << say(plan, "cli_DutiesOnDay", "Pracownik ma w dniu %s dyżurów: %s",
                     {std::to_string(a.day), std::to_string(count)})
              << "\n";
        return kExitFailure;
    }
    const int head = dayOff ? day_off_head(m, dayIndex) : -1;
    if ((!duties || count == 0) && head < 0) {
        c.err << (a.dayOff ? say(plan, "cli_NoDayOffOnDay", "Pracownik nie ma w dniu %s wolnego", {std::to_string(a.day)})
                           : say(plan, "cli_NothingOnDay", "Pracownik nie ma w dniu %s dyżurów ani wolnego",
                                 {std::to_string(a.day)}))
              << "\n";
        return kExitFailure;
    }
    int removed = 0;
    if (duties) {
        // From the last, so the positions still to go keep their names.
        const int from = a.position ? *a.position - 1 : count - 1;
        const int to = a.position ? *a.position - 1 : 0;
        for (int p = from; p >= to; --p) {
            if (!usun_dyzur_panelu(plan, duty_panel_name(worker, dayIndex, p))) return kExitFailure;
            ++removed;
        }
    }
    if (head >= 0) kosz(plan, day_off_panel_name(worker, head));
    c.out << say(plan, "cli_Removed", "Usunięto: %s, dzień %s, dyżurów %s",
                 {plan.workers[worker].fullName(), std::to_string(a.day), std::to_string(removed)})
          << (head >= 0 ? say(plan, "cli_RemovedDayOff", ", wolne") : "") << "\n";
    return save(c, before);
}

// The window's "load overtime from the previous month": every worker of the
// list takes the balance the other file carries, then the month is saved.
int load_overtime(context& c) {
    std::string file, from;
    std::optional<word> group;
    arg_parser parser;
    parser.text("--from", from).value("--group", [&](const std::string& v) {
        group = word(number_arg(v, "y identyfikator grupy", 1, 65535));
    });
    const std::vector<std::string> positional = parser.parse(c.args);
    if (positional.empty() || from.empty()) throw usage_error("za mało argumentów");
    if (positional.size() > 1) throw usage_error("nieoczekiwany argument „" + positional[1] + "”");
    file = positional[0];
    if (!c.open_month(file, group, true)) return kExitFailure;
    Plan& plan = c.plan;
    const auto before = allowances(plan);
    if (!nadpracowania_auto_wczytaj(plan, from)) {
        c.err << say(plan, "cli_OvertimeNotLoaded", "Nie wczytano nadpracowań z pliku %s", {from}) << "\n";
        return kExitFailure;
    }
    return save(c, before);
}

}  // namespace

std::vector<command> edit_commands() {
    return {
        {"add-duty",
         "PLIK.pnk PRACOWNIK DZIEŃ ZMIANA [--start G:MM] [--length G:MM] [--overtime G:MM] [--group ID] "
         "[--note TEKST] [--on-request] [--medical] [--also-overtime]",
         "dodaje dyżur (zmiana: numer albo symbol; domyślnie cała zmiana)", add_duty},
        {"add-dayoff", "PLIK.pnk PRACOWNIK DZIEŃ RODZAJ [--to DZIEŃ] [--shift NR] [--norm G:MM] [--part-time]",
         "dodaje wolne (rodzaj: kod, np. u, z, o, ż, albo nazwa)", add_day_off},
        {"remove", "PLIK.pnk PRACOWNIK DZIEŃ [--duty NR] [--dayoff]",
         "usuwa dyżury i wolne dnia (albo tylko wskazany dyżur lub wolne)", remove},
        {"load-overtime", "PLIK.pnk --from POPRZEDNI.pnk [--group ID]",
         "przenosi nadpracowania pracowników grupy z pliku poprzedniego miesiąca", load_overtime},
    };
}

}  // namespace planek::cli
