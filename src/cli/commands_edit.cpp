// planek-cli add-duty, add-dayoff and remove: one edit of a month file, made
// through the same acts of the document as in the window, so the command
// line refuses exactly what the program refuses, with the same message.
#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <ostream>

#include "calendar/summaries.h"
#include "calendar/time_text.h"
#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "document/day_off_acts.h"
#include "document/duty_acts.h"
#include "document/month_acts.h"
#include "document/parameter_acts.h"
#include "document/view_acts.h"
#include "editing/day_off_dialog_model.h"
#include "editing/day_off_rules.h"
#include "editing/month_access.h"
#include "editing/refusal.h"
#include "editing/symbols.h"
#include "files/month_project.h"

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

// What a number names, for the refusal of a wrong one.
enum class number_of { Group, Worker, Day, Shift, DutyPosition };

int number_arg(const std::string& text, number_of what, int low, int high) {
    auto v = parse_int(text);
    if (v && *v >= low && *v <= high) return int(*v);
    switch (what) {
        case number_of::Group:
            throw usage_error("cli_BadGroupId", "niepoprawny identyfikator grupy „%s”", {text});
        case number_of::Worker:
            throw usage_error("cli_BadWorkerId", "niepoprawny identyfikator pracownika „%s”", {text});
        case number_of::Day:
            throw usage_error("cli_BadDay", "niepoprawny dzień „%s”", {text});
        case number_of::Shift:
            throw usage_error("cli_BadShiftNumber", "niepoprawny numer zmiany „%s”", {text});
        case number_of::DutyPosition:
            break;
    }
    throw usage_error("cli_BadDutyPosition", "niepoprawna pozycja dyżuru „%s”", {text});
}

// A time of a day's duty: 0:00 to 24:00 (overtime also below zero). A longer
// one would reach past the next day, which the overlap rules never look at.
int time_arg(const std::string& text, const std::string& option, bool allowNegative = false) {
    const std::optional<int> v = try_h2min(text);
    if (!v || *v > 1440 || *v < (allowNegative ? -1440 : 0))
        throw usage_error("cli_BadTime", "%s: niepoprawny czas „%s” (g:mm, najwyżej 24:00)", {option, text});
    return *v;
}

enum class edit_kind { Duty, DayOff, Remove };

edit_args parse_edit_args(const std::vector<std::string>& args, edit_kind kind) {
    edit_args a;
    arg_parser parser;
    auto time = [](std::optional<int>& target, const char* option, bool allowNegative = false) {
        return [&target, option, allowNegative](const std::string& v) { target = time_arg(v, option, allowNegative); };
    };
    auto number = [](std::optional<int>& target, number_of what, int high) {
        return [&target, what, high](const std::string& v) { target = number_arg(v, what, 1, high); };
    };
    if (kind != edit_kind::Remove)
        parser.value("--group", [&](const std::string& v) {
            a.group = word(number_arg(v, number_of::Group, 1, 65535));
        });
    if (kind == edit_kind::Duty)
        parser.value("--start", time(a.start, "--start"))
            .value("--length", time(a.length, "--length"))
            .value("--overtime", time(a.overtime, "--overtime", true))
            .text("--note", a.note)
            .flag("--on-request", a.onRequest)
            .flag("--medical", a.medical)
            .flag("--also-overtime", a.alsoOvertime);
    if (kind == edit_kind::DayOff)
        parser.value("--to", number(a.to, number_of::Day, 255))
            .value("--shift",
                   [&](const std::string& v) { a.shift = number_arg(v, number_of::Shift, 0, 255); })
            .value("--norm", time(a.norm, "--norm"))
            .flag("--part-time", a.partTime);
    if (kind == edit_kind::Remove)
        parser.value("--duty", number(a.position, number_of::DutyPosition, 255)).flag("--dayoff", a.dayOff);
    const std::vector<std::string> positional = parser.numbers_are_words().parse(args);
    const size_t wanted = kind == edit_kind::Remove ? 3 : 4;
    if (positional.size() < wanted) throw usage_error("cli_TooFewArguments", "za mało argumentów");
    if (positional.size() > wanted)
        throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {positional[wanted]});
    // The file keeps a duty's note in 30 characters: a longer one is refused, not cut.
    if (utf8_length(a.note) > 30)
        throw usage_error("cli_NoteTooLong", "notatka dyżuru ma najwyżej 30 znaków, podano %s",
                          {std::to_string(utf8_length(a.note))});
    a.file = positional[0];
    a.workerId = word(number_arg(positional[1], number_of::Worker, 1, 65535));
    a.day = number_arg(positional[2], number_of::Day, 1, 255);
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
    const Plan& plan = c.plan;
    // A folder without staff is the opening's refusal, as everywhere.
    if (plan.workers.empty() || plan.groups.empty()) return c.read_months({a.file}, std::nullopt, true) && false;
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
    if (!c.month_exists(a.file)) {
        c.err << say(plan, "cli_NoMonthFile", "Nie ma pliku %s (pusty miesiąc zapisuje planek-cli new)", {a.file})
              << "\n";
        return false;
    }
    const std::optional<word> groupId = group >= 0 ? std::optional<word>(plan.groups[size_t(group)].id) : std::nullopt;
    // One edit touches one ward's part of the month: the other wards' planners
    // may edit theirs meanwhile, and the save merges by ward.
    c.doc.set_lock_group(groupId);
    if (!c.read_months({a.file}, groupId, true, true)) return false;
    [[maybe_unused]] const result<> shown = show_worker(c.doc, worker);
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
// which the month's save writes with it.
std::vector<std::array<int, 4>> allowances(const Plan& plan) {
    std::vector<std::array<int, 4>> out;
    for (const prac& w : plan.workers)
        out.push_back({w.holidayCurrentYear, w.holidayPreviousYear, w.careDays, w.rehaDays});
    return out;
}

// Writes the month together with the staff when an answer changed an
// allowance (a Yes to "decrease the leave left" must not be lost with the
// run): both files or neither, and one message either way.
int save(context& c, const std::vector<std::array<int, 4>>& before) {
    const bool balances = allowances(c.plan) != before;
    const result<> saved = c.save_month();
    if (!saved) {
        tell_user(*c.ui, saved);
        c.err << say(c, "cli_NotSaved", "Nie zapisano pliku %s", {c.plan.currentFile})
              << (restore_pending(c.plan) ? say(c, "cli_AwaitsRestore", " (czeka na przywrócenie z kopii)")
                                          : "")
              << "\n";
        return kExitFailure;
    }
    // Gone to a file of its own, the month left its staff and Sunday record
    // as they were: said, and not a success a script may count on.
    if (std::any_of(saved.notes.begin(), saved.notes.end(),
                    [](const refusal& r) { return r.kind == refusal_kind::Conflict; })) {
        tell_user(*c.ui, saved);
        c.err << say(c, "cli_SavedElsewhere", "Zapisano tylko %s", {c.plan.currentFile}) << "\n";
        return kExitFailure;
    }
    if (balances) c.out << say(c, "cli_AllowancesSaved", "Zapisano limity urlopów w kadrze") << "\n";
    c.out << say(c, "cli_Saved", "Zapisano %s", {c.plan.currentFile}) << "\n";
    return kExitOk;
}

// A shift by its number or by its symbol in the group; 0 when the group has
// none such (the ward's data refuse it, as an unknown worker is refused).
int shift_number(const grupa& g, const std::string& text) {
    if (auto n = parse_int(text)) {
        if (*n >= 1 && *n <= long(g.shifts.size())) return int(*n);
    } else {
        for (size_t s = 0; s < g.shifts.size(); ++s)
            if (lower_pl(trim(g.shifts[s].symbol)) == lower_pl(trim(text))) return int(s) + 1;
    }
    return 0;
}

// A day-off kind by its one-letter code ("u", "z", "ż"...) or its name.
int kind_row(const Plan& plan, const std::string& text) {
    const std::vector<day_off_kind>& kinds = plan.options.dayOffKinds;
    for (size_t k = 0; k < kinds.size(); ++k)
        if (kinds[k].code == text) return int(k);
    for (size_t k = 0; k < kinds.size(); ++k)
        if (!kinds[k].shownName().empty() && lower_pl(kinds[k].shownName()) == lower_pl(trim(text))) return int(k);
    throw usage_error("cli_UnknownDayOffKind", "nieznany rodzaj wolnego „%s” (kod, np. u, z, o, albo nazwa)",
                      {text});
}

int add_duty(context& c) {
    const edit_args a = parse_edit_args(c.args, edit_kind::Duty);
    int worker = -1, dayIndex = -1;
    if (!open_for_edit(c, a, worker, dayIndex)) return kExitFailure;
    const Plan& plan = c.plan;
    if (!plan.group() || plan.group()->shifts.empty()) {
        c.err << say(plan, "cli_GroupWithoutShifts", "Grupa nie ma zmian") << "\n";
        return kExitFailure;
    }
    const int shift = shift_number(*plan.group(), a.what);
    if (shift == 0) {
        c.err << say(plan, "cli_NoSuchShift", "Grupa %s nie ma zmiany „%s”", {plan.group()->name, a.what}) << "\n";
        return kExitFailure;
    }
    const auto before = allowances(plan);
    // The duty the cell offers, as a drop of "d" on it would.
    const result<dyzur> cell = duty_for_cell(c.doc, worker, dayIndex, shift);
    if (!cell) {
        tell_user(*c.ui, cell);
        return kExitFailure;
    }
    duty_args d;
    d.worker = cell->workerId;
    d.day = cell->day;
    d.shift = shift;
    d.group = plan.group()->id;
    d.dutyAs = std::max(1, int(cell->dutyAs));
    d.length = a.length.value_or(cell->length);
    // The cell's 0:00 and a typed one are midnight, as in the dialog.
    const int start = a.start.value_or(cell->start);
    d.start = start == 0 ? 1440 : start;
    d.alsoOvertime = a.alsoOvertime;
    d.overtime = a.alsoOvertime ? 0 : a.overtime.value_or(0);
    d.note = a.note;
    d.onRequest = a.onRequest;
    d.medical = a.medical;
    const std::string who = plan.workers[worker].fullName();
    const result<duty_added> done = add_duty(c.doc, d);
    tell_user(*c.ui, done);
    if (!done) return kExitFailure;  // the message went out through the interaction
    if (done->filledMonth) {
        c.out << say(plan, "cli_MonthFilled", "Rozpisano dyżur na cały miesiąc: %s", {who}) << "\n";
        return save(c, before);
    }
    const std::optional<duty_place> at = find_duty(plan, done->id);
    if (!at) return kExitFailure;
    const dyzur& stored = worker_month(plan, at->worker)->duties[size_t(at->dayIndex)][size_t(at->position)];
    c.out << say(plan, "cli_DutyAdded", "Dodano dyżur %s: %s, dzień %s, %s-%s",
                 {trim(dyzur2symbol(plan, stored, "symbol")), who, std::to_string(a.day),
                  min2h(stored.start, "txt", true, true), min2h(stored.start + stored.length, "txt", true, true)});
    if (stored.overtime) c.out << " + " << min2h(stored.overtime);
    c.out << "\n";
    return save(c, before);
}

int add_day_off(context& c) {
    const edit_args a = parse_edit_args(c.args, edit_kind::DayOff);
    int worker = -1, dayIndex = -1;
    if (!open_for_edit(c, a, worker, dayIndex)) return kExitFailure;
    const Plan& plan = c.plan;
    const int row = kind_row(plan, a.what);
    const auto before = allowances(plan);
    if (const result<> free = day_off_for_cell(c.doc, worker, dayIndex); !free) {
        tell_user(*c.ui, free);
        return kExitFailure;
    }
    // The dialog's fields as the command line gives them.
    day_off_dialog_model dialog;
    dialog.openAdd(plan, worker, dayIndex);
    dialog.kindIndex = row;
    day_off_args off = dialog.args(plan);
    if (dialog.noDutyKind(plan)) {
        if (a.to)
            throw usage_error("cli_NoDutyDayIsOneDay",
                              "dzień bez dyżuru trwa jeden dzień; zmianę podaje --shift");
        off.shift = a.shift.value_or(0);
        off.lastDay = off.shift;
    } else {
        if (a.shift) throw usage_error("cli_ShiftOnlyForNoDuty", "--shift tylko dla dnia bez dyżuru");
        off.lastDay = a.to.value_or(a.day);
        if (off.lastDay < a.day) throw usage_error("cli_ToBeforeFirstDay", "--to przed pierwszym dniem");
    }
    off.normWithPartTime = a.partTime;
    if (a.norm) off.customNorm = *a.norm;
    const result<day_off_id> done = add_day_off(c.doc, off);
    tell_user(*c.ui, done);
    if (!done) return kExitFailure;
    const std::optional<day_off_place> at = find_day_off(plan, *done);
    if (!at) return kExitFailure;
    const wolne_& w = worker_month(plan, at->worker)->daysOff[size_t(at->dayIndex)];
    c.out << say(plan, "cli_DayOffAdded", "Dodano wolne „%s”: %s, dni %s-%s",
                 {wolne2nazwa(plan, w.symbol), plan.workers[worker].fullName(), std::to_string(int(w.dayFrom)),
                  std::to_string(int(w.dayTo))});
    if (byte(w.symbol) != kNoDutyWanted) c.out << say(plan, "cli_DayOffNorm", ", normatyw %s", {min2h(w.normMinutes)});
    c.out << "\n";
    return save(c, before);
}

int remove(context& c) {
    const edit_args a = parse_edit_args(c.args, edit_kind::Remove);
    int worker = -1, dayIndex = -1;
    if (!open_for_edit(c, a, worker, dayIndex)) return kExitFailure;
    const Plan& plan = c.plan;
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
    const std::optional<day_off_id> off = dayOff ? day_off_at(plan, worker, dayIndex) : std::nullopt;
    if ((!duties || count == 0) && !off) {
        c.err << (a.dayOff ? say(plan, "cli_NoDayOffOnDay", "Pracownik nie ma w dniu %s wolnego", {std::to_string(a.day)})
                           : say(plan, "cli_NothingOnDay", "Pracownik nie ma w dniu %s dyżurów ani wolnego",
                                 {std::to_string(a.day)}))
              << "\n";
        return kExitFailure;
    }
    std::vector<duty_id> going;
    if (duties) {
        const int from = a.position ? *a.position - 1 : 0;
        const int to = a.position ? *a.position - 1 : count - 1;
        for (int p = from; p <= to; ++p)
            if (const std::optional<duty_id> id = duty_at(plan, {worker, dayIndex, p})) going.push_back(*id);
    }
    int removed = 0;
    // From the last, as the window's trash takes them.
    for (auto id = going.rbegin(); id != going.rend(); ++id) {
        const result<> gone = remove_duty(c.doc, *id, true);
        tell_user(*c.ui, gone);
        if (!gone) return kExitFailure;
        ++removed;
    }
    if (off) {
        const result<> gone = remove_day_off(c.doc, *off);
        tell_user(*c.ui, gone);
    }
    c.out << say(plan, "cli_Removed", "Usunięto: %s, dzień %s, dyżurów %s",
                 {plan.workers[worker].fullName(), std::to_string(a.day), std::to_string(removed)})
          << (off ? say(plan, "cli_RemovedDayOff", ", wolne") : "") << "\n";
    return save(c, before);
}

// The window's "load overtime from the previous month": every worker of the
// list takes the balance the other file carries, then the month is saved.
int load_overtime_command(context& c) {
    std::string file, from;
    std::optional<word> group;
    arg_parser parser;
    parser.text("--from", from).value("--group", [&](const std::string& v) {
        group = word(number_arg(v, number_of::Group, 1, 65535));
    });
    const std::vector<std::string> positional = parser.parse(c.args);
    if (positional.empty() || from.empty()) throw usage_error("cli_TooFewArguments", "za mało argumentów");
    if (positional.size() > 1)
        throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {positional[1]});
    file = positional[0];
    if (!c.open_month(file, group, true)) return kExitFailure;
    const auto before = allowances(c.plan);
    const result<> loaded = load_overtime(c.doc, from);
    tell_user(*c.ui, loaded);
    if (!loaded) {
        c.err << say(c, "cli_OvertimeNotLoaded", "Nie wczytano nadpracowań z pliku %s", {from}) << "\n";
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
         "przenosi nadpracowania pracowników grupy z pliku poprzedniego miesiąca", load_overtime_command},
    };
}

}  // namespace planek::cli
