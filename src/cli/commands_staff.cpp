#include <ostream>

#include "cli/cli.h"
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

void print_group(std::ostream& out, const grupa& g) {
    out << "Grupa " << g.id << ": " << g.name;
    if (!g.nick.empty()) out << " [" << g.nick << "]";
    out << ", norma dzienna " << duration_text(g.dailyNorm);
    if (g.old) out << ", archiwalna";
    out << "\n";
    for (size_t s = 0; s < g.shifts.size(); ++s) {
        const zmiana_& z = g.shifts[s];
        out << "  Zmiana " << s + 1 << ": " << (z.symbol.empty() ? "-" : z.symbol) << " " << clock_text(z.start)
            << "-" << clock_text(z.start + z.length) << " (" << duration_text(z.length) << "), obsada "
            << int(z.staffMin) << "/" << int(z.staffMinS);
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

std::string mode_text(const prac& w) {
    if (w.prefWithoutAuto) return "bez automatu";
    if (w.prefAuto8)
        return "8 h, wzór " + (w.systemPattern8.empty() ? "-" : w.systemPattern8) + ", dni " + w.automatDays;
    if (w.prefSystem) return "wzór " + w.systemPattern + " od " + std::to_string(w.systemStartFrom);
    return "bez trybu";
}

void print_worker(std::ostream& out, const prac& w) {
    out << "Pracownik " << w.id << ": " << w.fullName();
    if (!w.nick.empty()) out << " [" << w.nick << "]";
    out << ", grupy " << group_list(w.groups) << ", etat " << real_text(w.partTimeDefault) << "%, " << mode_text(w)
        << ", urlop " << duration_text(w.holidayCurrentYear) << "+" << duration_text(w.holidayPreviousYear);
    if (!w.occupation.empty()) out << ", " << w.occupation;
    if (w.old) out << ", archiwalny";
    out << "\n";
}

int staff(context& c) {
    if (!c.args.empty()) throw usage_error("nieoczekiwany argument „" + c.args[0] + "”");
    const bool loaded = c.load_staff();
    for (const grupa& g : c.plan.groups) print_group(c.out, g);
    for (const prac& w : c.plan.workers) print_worker(c.out, w);
    return loaded ? kExitOk : kExitFailure;
}

}  // namespace

std::vector<command> staff_commands() {
    return {{"staff", "", "grupy ze zmianami i pracownicy, po jednym w wierszu", staff}};
}

}  // namespace planek::cli
