#include "exports/roster_sheets.h"

#include "calendar/refresh_hooks.h"
#include "core/text.h"
#include "editing/symbols.h"

namespace planek {

namespace {

std::string col(const Plan& plan, const std::string& key, const std::string& polish) {
    return plan.tr.tr("exports", key, polish);
}

bool counts(const Plan& plan, const dyzur& d, bool allGroups) {
    if (!d.loaded) return false;  // a proposal of the scheduler not yet accepted
    const grupa* g = plan.group();
    return allGroups || !g || d.groupId == g->id;
}

}  // namespace

void compute_workers(Plan& plan, const std::vector<int>& workers, bool allGroups) {
    for (int w : workers) call_odswiez_pracownika(plan, w, allGroups, plan.currentMonth);
}

std::string cell_symbol(const Plan& plan, int worker, int dayIndex) {
    const ms_& m = plan.workers[worker].months[plan.currentMonth];
    std::string text;
    for (const dyzur& d : m.duties[dayIndex]) {
        if (!d.loaded) continue;
        if (!text.empty()) text += "/";
        text += trim(dyzur2symbol(plan, d, "symbol"));
    }
    const wolne_& slot = m.daysOff[dayIndex];
    if (slot.used() || slot.headIndex != kNoHead) {
        const std::string off = trim(wolne2symbol(plan, slot, worker, dayIndex, plan.currentMonth));
        if (!off.empty()) text += (text.empty() ? "" : "/") + off;
    }
    return text;
}

sheet roster_sheet(const Plan& plan, const std::vector<int>& workers) {
    sheet s;
    s.name = col(plan, "sheet_Roster", "Grafik");
    s.header = {col(plan, "col_Id", "Id"), col(plan, "col_Worker", "Pracownik")};
    const int days = int(plan.days.size());
    // The calendar's own numbers: in week mode the columns' numbers.
    const miesiac* shown = plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size())
                               ? &plan.months[size_t(plan.currentMonth)]
                               : nullptr;
    for (int d = 0; d < days; ++d) {
        const int number = shown && d < int(shown->days.size()) && shown->days[size_t(d)].dayNumber > 0
                               ? shown->days[size_t(d)].dayNumber
                               : d + 1;
        s.header.push_back(std::to_string(number));
    }
    for (const auto& [key, polish] : std::initializer_list<std::pair<const char*, const char*>>{
             {"col_Norm", "Normatyw"},
             {"col_Worked", "Przepracowano"},
             {"col_Day", "Dzień"},
             {"col_Night", "Noc"},
             {"col_Holiday", "Święta"},
             {"col_Overtime100", "Nadgodziny 100%"},
             {"col_Overtime50", "Nadgodziny 50%"},
             {"col_DaysOff", "Wolne"}})
        s.header.push_back(col(plan, key, polish));

    for (int w : workers) {
        const prac& p = plan.workers[w];
        const ms_& m = p.months[plan.currentMonth];
        const category_sum& t = m.sum.total[0];
        std::vector<cell> row = {cell::of_number(p.id), cell::of_text(p.fullName())};
        for (int d = 0; d < days; ++d) row.push_back(cell::of_text(cell_symbol(plan, w, d)));
        row.push_back(cell::of_minutes(m.workerNorm));
        row.push_back(cell::of_minutes(long(t.dayMinutes) + t.nightMinutes + t.holidayMinutes));
        row.push_back(cell::of_minutes(t.dayMinutes));
        row.push_back(cell::of_minutes(t.nightMinutes));
        row.push_back(cell::of_minutes(t.holidayMinutes));
        row.push_back(cell::of_minutes(long(t.overtime100) + t.medicalOvertime100 + t.extraOvertime100));
        row.push_back(cell::of_minutes(long(t.overtime50) + t.medicalOvertime50 + t.extraOvertime50));
        row.push_back(cell::of_minutes(m.sum.creditedMinutes));
        s.rows.push_back(std::move(row));
    }
    return s;
}

std::string duty_kind(const Plan& plan, const dyzur& d) {
    if (d.alsoOvertime) return col(plan, "kind_AlsoOvertime", "jako nadgodziny");
    if (d.medical) return col(plan, "kind_Medical", "medyczny");
    return col(plan, "kind_Ordinary", "zwykły");
}

sheet duty_sheet(const Plan& plan, const std::vector<int>& workers, bool allGroups) {
    sheet s;
    s.name = col(plan, "sheet_Duties", "Dyżury");
    s.header = {col(plan, "col_Id", "Id"),           col(plan, "col_Worker", "Pracownik"),
                col(plan, "col_Date", "Data"),       col(plan, "col_Start", "Początek"),
                col(plan, "col_End", "Koniec"),      col(plan, "col_Length", "Długość"),
                col(plan, "col_Overtime", "Nadgodziny"), col(plan, "col_Kind", "Rodzaj")};
    const int days = int(plan.days.size());
    for (int d = 0; d < days; ++d)
        for (int w : workers) {
            const prac& p = plan.workers[w];
            for (const dyzur& duty : p.months[plan.currentMonth].duties[d]) {
                if (!counts(plan, duty, allGroups)) continue;
                const int end = duty.end() + duty.overtime;
                s.rows.push_back({cell::of_number(p.id), cell::of_text(p.fullName()),
                                  cell::of_date(plan.year, plan.month, d + 1), cell::of_clock(duty.start % 1440),
                                  cell::of_clock(((end % 1440) + 1440) % 1440), cell::of_minutes(duty.length),
                                  cell::of_minutes(duty.overtime), cell::of_text(duty_kind(plan, duty))});
            }
        }
    return s;
}

}  // namespace planek
