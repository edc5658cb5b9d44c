#include <ostream>

#include "cli/cli.h"
#include "core/decimal_text.h"
#include "core/text.h"

namespace planek::cli {

namespace {

std::string clock_text(int minutes) {
    minutes = ((minutes % 1440) + 1440) % 1440;
    std::string mm = std::to_string(minutes % 60);
    return std::to_string(minutes / 60) + ":" + (mm.size() < 2 ? "0" : "") + mm;
}

std::string duration_text(int minutes) {
    // An overdrawn leave balance is negative: "-0:35", not "0:-35".
    const std::string sign = minutes < 0 ? "-" : "";
    const long long whole = minutes < 0 ? -static_cast<long long>(minutes) : minutes;
    std::string mm = std::to_string(whole % 60);
    return sign + std::to_string(whole / 60) + ":" + (mm.size() < 2 ? "0" : "") + mm;
}

void print_group(std::ostream& out, const Plan& plan, const grupa& g) {
    out << say(plan, "cli_StaffGroup", "Grupa %s: %s", {std::to_string(g.id), g.name});
    if (!g.nick.empty()) out << " [" << g.nick << "]";
    out << say(plan, "cli_StaffDailyNorm", ", norma dzienna %s", {duration_text(g.dailyNorm)});
    if (g.old) out << say(plan, "cli_StaffGroupArchived", ", archiwalna");
    out << "\n";
    for (size_t s = 0; s < g.shifts.size(); ++s) {
        const zmiana_& z = g.shifts[s];
        out << say(plan, "cli_StaffShift", "  Zmiana %s: %s %s-%s (%s), obsada %s/%s",
                   {std::to_string(s + 1), z.symbol.empty() ? "-" : z.symbol, clock_text(z.start),
                    clock_text(z.start + z.length), duration_text(z.length), std::to_string(int(z.staffMin)),
                    std::to_string(int(z.staffMinS))});
        if (!z.name.empty()) out << ", " << z.name;
        out << "\n";
    }
}

std::string group_list(const std::string& groups) {
    std::string out;
    for (const std::string& id : split_fields(groups, "|"))
        if (!id.empty()) out += (out.empty() ? "" : ",") + id;
    return out.empty() ? "-" : out;
}

std::string mode_text(const Plan& plan, const prac& w) {
    if (w.prefWithoutAuto) return say(plan, "cli_StaffNoScheduler", "bez automatu");
    if (w.prefAuto8)
        return say(plan, "cli_StaffEightHours", "8 h, wzór %s, dni %s",
                   {w.systemPattern8.empty() ? "-" : w.systemPattern8, w.automatDays});
    if (w.prefSystem)
        return say(plan, "cli_StaffPattern", "wzór %s od %s",
                   {w.systemPattern, std::to_string(w.systemStartFrom)});
    return say(plan, "cli_StaffNoMode", "bez trybu");
}

void print_worker(std::ostream& out, const Plan& plan, const prac& w) {
    out << say(plan, "cli_StaffWorker", "Pracownik %s: %s", {std::to_string(w.id), w.fullName()});
    if (!w.nick.empty()) out << " [" << w.nick << "]";
    out << say(plan, "cli_StaffWorkerFigures", ", grupy %s, etat %s%%, %s, urlop %s+%s",
               {group_list(w.groups), decimal_text(w.partTimeDefault, &plan.tr), mode_text(plan, w),
                duration_text(w.holidayCurrentYear), duration_text(w.holidayPreviousYear)});
    if (!w.occupation.empty()) out << ", " << w.occupation;
    if (w.old) out << say(plan, "cli_StaffWorkerArchived", ", archiwalny");
    out << "\n";
}

int staff(context& c) {
    if (!c.args.empty())
        throw usage_error("cli_UnexpectedArgument", "nieoczekiwany argument „%s”", {c.args[0]});
    const bool loaded = c.load_staff();
    for (const grupa& g : c.plan.groups) print_group(c.out, c.plan, g);
    for (const prac& w : c.plan.workers) print_worker(c.out, c.plan, w);
    return loaded ? kExitOk : kExitFailure;
}

}  // namespace

std::vector<command> staff_commands() {
    return {{"staff", "", "grupy ze zmianami i pracownicy, po jednym w wierszu", staff}};
}

}  // namespace planek::cli
