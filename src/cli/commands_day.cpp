// planek-cli set-day and parameters: a day's own holiday, emergency duty and
// note, and the month's own parameters, through the acts of the window's
// day menu, day dialog and parameters dialog.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "calendar/month_calendar.h"
#include "calendar/period_params.h"
#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "core/text.h"
#include "document/month_acts.h"
#include "document/parameter_acts.h"
#include "editing/month_access.h"
#include "editing/refusal.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

int number_word(const std::string& text, int low, int high) {
    const auto v = parse_int(text);
    if (!v || *v < low || *v > high) throw usage_error("cli_BadNumber", "niepoprawna liczba „%s”", {text});
    return int(*v);
}

// The month file as every edit opens it: a missing file said in one line.
bool open_for_edit(context& c, const std::string& file, std::optional<word> group) {
    if (!c.load_staff()) return false;
    if (!c.month_exists(file)) {
        c.err << say(c.plan, "cli_NoMonthFile", "Nie ma pliku %s (pusty miesiąc zapisuje planek-cli new)", {file})
              << "\n";
        return false;
    }
    return c.read_months({file}, group, true);
}

bool saved(context& c) {
    if (const result<> s = c.save_month(); !s) {
        tell_user(*c.ui, s);
        c.err << say(c.plan, "cli_NotSaved", "Nie zapisano pliku %s", {c.plan.currentFile}) << "\n";
        return false;
    }
    c.out << say(c.plan, "cli_Saved", "Zapisano %s", {c.plan.currentFile}) << "\n";
    return true;
}

bool told(context& c, const result<>& r) {
    tell_user(*c.ui, r);
    return r.ok();
}

struct day_args {
    std::string file;
    int day = 0;
    std::optional<word> group;
    std::optional<bool> holiday;  // --holiday / --working-day
    bool defaultHoliday = false;
    std::optional<bool> erDuty;
    std::optional<std::string> note;
};

day_args parse_day_args(const std::vector<std::string>& args) {
    day_args a;
    auto holiday = [&a](bool on) {
        return [&a, on] {
            if ((a.holiday && *a.holiday != on) || a.defaultHoliday) throw usage_error("cli_DayHolidayOnce",
                "podaj jedno z --holiday, --working-day, --default-holiday");
            a.holiday = on;
        };
    };
    const std::vector<std::string> words =
        arg_parser()
            .id("--group", a.group, "grupy")
            .flag("--holiday", holiday(true))
            .flag("--working-day", holiday(false))
            .flag("--default-holiday",
                  [&a] {
                      if (a.holiday)
                          throw usage_error("cli_DayHolidayOnce", "podaj jedno z --holiday, --working-day, --default-holiday");
                      a.defaultHoliday = true;
                  })
            .flag("--er-duty", [&a] { a.erDuty = true; })
            .flag("--no-er-duty", [&a] { a.erDuty = false; })
            .value("--note", [&a](const std::string& v) { a.note = v; })
            .flag("--no-note", [&a] { a.note = std::string(); })
            .words(2)
            .parse(args);
    if (words.size() < 2) throw usage_error("cli_DayNeedsFileAndDay", "podaj plik miesiąca i dzień");
    a.file = words[0];
    a.day = number_word(words[1], 1, 255);
    if (!a.holiday && !a.defaultHoliday && !a.erDuty && !a.note)
        throw usage_error("cli_DayNothingToSet", "podaj, co zmienić: --holiday, --working-day, --default-holiday, "
                                                 "--er-duty, --no-er-duty, --note albo --no-note");
    return a;
}

int set_day(context& c) {
    const day_args a = parse_day_args(c.args);
    if (!open_for_edit(c, a.file, a.group)) return kExitFailure;
    const Plan& plan = c.plan;
    const int dayIndex = a.day - first_day_of_month(plan);
    if (dayIndex < 0 || dayIndex >= month_day_count(plan)) {
        c.err << say(plan, "cli_NoSuchDay", "Dnia %s nie ma w miesiącu %s/%s",
                     {std::to_string(a.day), std::to_string(plan.month), std::to_string(plan.year)})
              << "\n";
        return kExitFailure;
    }
    // "Święto" of the day menu switches the day over; it is switched only
    // when the day is not already what was asked.
    if (a.holiday && kalendarz_miesiaca(plan, plan.currentMonth).holiday[size_t(dayIndex)] != *a.holiday &&
        !told(c, toggle_holiday(c.doc, dayIndex)))
        return kExitFailure;
    if (a.defaultHoliday && wlasciwosci_dnia(plan, dayIndex).ownHoliday &&
        !told(c, restore_default_holiday(c.doc, dayIndex)))
        return kExitFailure;
    // The day dialog's OK takes the note and the emergency duty together.
    if (a.note || a.erDuty) {
        const day_properties now = wlasciwosci_dnia(plan, dayIndex);
        if (!told(c, save_day_properties(c.doc, dayIndex, a.note.value_or(now.note), a.erDuty.value_or(now.erDuty))))
            return kExitFailure;
    }
    return saved(c) ? kExitOk : kExitFailure;
}

struct parameter_args {
    std::string file;
    std::optional<word> group;
    std::optional<int> year, month, status, type;
    std::optional<bool> weekMode;
    std::optional<int> weeksFrom, weeksCount;
};

parameter_args parse_parameter_args(const std::vector<std::string>& args) {
    parameter_args a;
    const std::vector<std::string> words =
        arg_parser()
            .id("--group", a.group, "grupy")
            .value("--month",
                   [&a](const std::string& v) {
                       const std::vector<std::string> parts = split_fields(v, "-");
                       if (parts.size() != 2) throw usage_error("cli_ParamsBadMonth", "--month wymaga RRRR-MM, nie „%s”", {v});
                       const auto y = parse_int(parts[0]), m = parse_int(parts[1]);
                       if (!y || !m || *m < 1 || *m > 12 || *y < 1900 || *y > 2200)
                           throw usage_error("cli_ParamsBadMonth", "--month wymaga RRRR-MM, nie „%s”", {v});
                       a.year = int(*y);
                       a.month = int(*m);
                   })
            .value("--status",
                   [&a](const std::string& v) {
                       if (v != "approved" && v != "unapproved")
                           throw usage_error("cli_ParamsBadStatus", "--status przyjmuje approved albo unapproved, nie „%s”", {v});
                       a.status = v == "approved" ? 1 : 0;
                   })
            .value("--type",
                   [&a](const std::string& v) {
                       if (v != "planned" && v != "done")
                           throw usage_error("cli_ParamsBadType", "--type przyjmuje planned albo done, nie „%s”", {v});
                       a.type = v == "done" ? 1 : 0;
                   })
            .value("--weeks-from", [&a](const std::string& v) { a.weekMode = true, a.weeksFrom = number_word(v, 1, 51); })
            .value("--weeks", [&a](const std::string& v) { a.weekMode = true, a.weeksCount = number_word(v, 1, 42); })
            .flag("--whole-month", [&a] { a.weekMode = false; })
            .words(1)
            .parse(args);
    if (words.empty()) throw usage_error("cli_ParamsNeedsFile", "brak pliku miesiąca");
    a.file = words[0];
    if (!a.year && !a.status && !a.type && !a.weekMode)
        throw usage_error("cli_ParamsNothingToSet",
                          "podaj, co zmienić: --month, --status, --type, --weeks-from, --weeks albo --whole-month");
    return a;
}

int parameters(context& c) {
    const parameter_args a = parse_parameter_args(c.args);
    if (!open_for_edit(c, a.file, a.group)) return kExitFailure;
    const Plan& plan = c.plan;
    // The dialog opens on the month's own values; the options change what they name.
    plan_parameters p;
    p.year = a.year.value_or(plan.year);
    p.month = a.month.value_or(plan.month);
    p.weekMode = a.weekMode.value_or(plan.weekMode);
    p.weekModeFrom = a.weeksFrom.value_or(plan.weekModeFrom);
    p.weekModeCount = a.weeksCount.value_or(plan.weekModeCount);
    p.approvedStatus = a.status.value_or(plan.approvedStatus == 1 ? 1 : 0);
    p.planType = a.type.value_or(plan.planType == 1 ? 1 : 0);
    const result<ParametersOutcome> changed = change_parameters(c.doc, p);
    tell_user(*c.ui, changed);
    if (!changed) {
        if (changed.error().kind == refusal_kind::Cancelled)
            c.err << say(plan, "cli_ParamsKept",
                         "Miesiąc ma dyżury albo wolne: --yes przenosi je na te same dni, --no je usuwa")
                  << "\n";
        return kExitFailure;
    }
    return saved(c) ? kExitOk : kExitFailure;
}

}  // namespace

std::vector<command> day_commands() {
    return {
        {"set-day",
         "PLIK.pnk DZIEŃ [--holiday|--working-day|--default-holiday] [--er-duty|--no-er-duty] [--note TEKST|--no-note] "
         "[--group ID]",
         "święto, ostry dyżur i notatka dnia, jak w menu i oknie dnia", set_day},
        {"parameters",
         "PLIK.pnk [--month RRRR-MM] [--status approved|unapproved] [--type planned|done] [--weeks-from N --weeks N|"
         "--whole-month] [--group ID]",
         "parametry miesiąca: miesiąc i rok, tygodnie, status i typ planu", parameters},
    };
}

}  // namespace planek::cli
