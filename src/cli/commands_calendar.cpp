// planek-cli info: the calendar and the norm of one month file.
#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include "calendar/calendar_grid.h"
#include "calendar/norm.h"
#include "calendar/time_text.h"
#include "cli/arg_parser.h"
#include "cli/cli.h"
#include "cli/month_json.h"
#include "document/month_acts.h"
#include "core/text.h"
#include "document/month_acts.h"
#include "settings/options_file.h"

namespace planek::cli {

namespace {

namespace fs = std::filesystem;

struct info_args {
    std::string file;
    std::optional<word> group;
    bool json = false;
};

info_args parse_info_args(const std::vector<std::string>& args) {
    info_args a;
    const std::vector<std::string> words =
        arg_parser().id("--group", a.group, "grupy").flag("--json", a.json).words(1).parse(args);
    if (words.empty()) throw usage_error("cli_NoMonthFileGiven", "brak pliku miesiąca");
    a.file = words.front();
    return a;
}

// A caption or note on one line of plain output.
std::string one_line(std::string s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' || s[i] == '\n') {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
            out += " / ";
        } else {
            out += s[i];
        }
    }
    return out;
}


void print_text(context& c) {
    const Plan& plan = c.plan;
    const calendar_state& cal = plan.calendar;
    std::ostream& out = c.out;
    out << say(plan, "cli_InfoYear", "Rok: %s", {std::to_string(plan.year)}) << "\n";
    out << say(plan, "cli_InfoMonth", "Miesiąc: %s (%s)",
               {std::to_string(plan.month), month_name(plan, plan.month)})
        << "\n";
    out << say(plan, "cli_InfoWeekMode", "Tryb tygodniowy: %s",
               {plan.weekMode ? say(plan, "cli_Yes", "tak") : say(plan, "cli_No", "nie")})
        << "\n";
    out << say(plan, "cli_InfoWorkingDays", "Dni robocze: %s", {std::to_string(cal.workingDays)}) << "\n";
    out << say(plan, "cli_InfoNorm", "Normatyw: %s (%s)",
               {std::to_string(cal.normMinutes), min2h(cal.normMinutes, "txt")})
        << "\n";
    out << say(plan, "cli_InfoRemainder", "Reszta: %s (%s)",
               {std::to_string(cal.normRemainder), min2h(cal.normRemainder, "txt")})
        << "\n";
    // The captions the window shows above the calendar, as it words them.
    out << say(plan, "cli_InfoCalendarCaption", "Nagłówek kalendarza: %s", {one_line(cal.st_Calendar)})
        << "\n";
    out << say(plan, "cli_InfoNormCaption", "Nagłówek normatywu: %s", {one_line(cal.st_NormaTitle)}) << "\n";
    out << say(plan, "cli_InfoNormValue", "Wartość normatywu: %s", {one_line(cal.st_normaValue)}) << "\n";
    out << say(plan, "cli_InfoDayColumns", "dzień\tdzień tyg.\tświęto\tklasa\tostry dyżur\tnotatka") << "\n";
    const std::vector<day_param>& days = plan.months[0].days;
    for (size_t i = 0; i < plan.days.size() && i < days.size(); ++i) {
        out << int(days[i].dayNumber) << "\t" << int(plan.days[i].dayOfWeek) << "\t" << int(plan.days[i].holiday)
            << "\t" << days[i].dayClass << "\t" << int(days[i].erDuty) << "\t" << one_line(days[i].note) << "\n";
    }
}

void print_json(context& c) {
    const Plan& plan = c.plan;
    const calendar_state& cal = plan.calendar;
    std::ostream& out = c.out;
    out << "{\"year\": " << plan.year << ", \"month\": " << plan.month
        << ", \"weekMode\": " << (plan.weekMode ? "true" : "false")
        << ", \"workingDays\": " << cal.workingDays << ", \"normMinutes\": " << cal.normMinutes
        << ", \"normRemainder\": " << cal.normRemainder
        << ", \"normText\": " << json_string(min2h(cal.normMinutes, "txt"))
        << ", \"normRemainderText\": " << json_string(min2h(cal.normRemainder, "txt"))
        << ", \"calendarCaption\": " << json_string(trim(one_line(cal.st_Calendar)))
        << ", \"normCaption\": " << json_string(trim(one_line(cal.st_NormaTitle)))
        << ", \"normValue\": " << json_string(trim(one_line(cal.st_normaValue))) << ", \"days\": [";
    const std::vector<day_param>& days = plan.months[0].days;
    for (size_t i = 0; i < plan.days.size() && i < days.size(); ++i) {
        out << (i ? ", " : "") << "{\"dayNumber\": " << int(days[i].dayNumber)
            << ", \"dayOfWeek\": " << int(plan.days[i].dayOfWeek)
            << ", \"holiday\": " << (plan.days[i].holiday ? "true" : "false")
            << ", \"dayClass\": " << json_string(days[i].dayClass)
            << ", \"erDuty\": " << (days[i].erDuty ? "true" : "false") << ", \"note\": " << json_string(days[i].note)
            << "}";
    }
    out << "]}\n";
}

// The name of a month file as the program names them: year, a separator, month.
bool names_a_month(const std::string& file) {
    const std::string name = std::filesystem::path(file).filename().string();
    if (name.size() < 7) return false;
    const auto year = parse_int(name.substr(0, 4));
    const auto month = parse_int(name.substr(5, 2));
    return year && *year >= 1900 && *year <= 9999 && month && *month >= 1 && *month <= 12;
}

int info(context& c) {
    const info_args a = parse_info_args(c.args);
    if (!c.load_staff()) return kExitFailure;
    // A file not there is the empty month its name gives ("2027_05.pnk"); a
    // name that gives none is a mistake, not this month.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(a.file, ec) && !names_a_month(a.file)) {
        c.err << say(c, "cli_NoMonthFile", "Nie ma pliku %s (pusty miesiąc zapisuje planek-cli new)",
                     {a.file})
              << "\n";
        return kExitFailure;
    }
    if (const result<> opened = open_calendar(c.doc, a.file, a.group); !opened) {
        c.err << opened.error().text << "\n";
        return kExitFailure;
    }
    if (a.json)
        print_json(c);
    else
        print_text(c);
    return kExitOk;
}

}  // namespace

std::vector<command> calendar_commands() {
    return {{"info", "PLIK.pnk [--group ID] [--json]",
             "kalendarz i normatyw miesiąca: dni robocze, święta, klasy dni, notatki", info}};
}

}  // namespace planek::cli
