#include "calendar/calendar_grid.h"

#include <algorithm>
#include <vector>

#include "core/plan.h"
#include "settings/language.h"

namespace planek {

namespace {

constexpr int kSaturday = 7;
const char* const kMonthNames[12] = {"Styczeń", "Luty",     "Marzec",   "Kwiecień",
                                     "Maj",     "Czerwiec", "Lipiec",   "Sierpień",
                                     "Wrzesień", "Październik", "Listopad", "Grudzień"};

// List values of a language file: the translator hands them over with real
// line breaks; a value set in code may still carry the two characters "\\n".
std::vector<std::string> list_items(const std::string& value) {
    std::vector<std::string> items;
    std::string item;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r') continue;
        const bool escaped = value[i] == '\\' && i + 1 < value.size() && value[i + 1] == 'n';
        if (value[i] == '\n' || escaped) {
            items.push_back(item);
            item.clear();
            if (escaped) ++i;
        } else {
            item += value[i];
        }
    }
    items.push_back(item);
    return items;
}

colour slot_colour(const grupa* g, int slot) {
    if (!g || slot < 1 || slot > int(g->shifts.size())) return rgb(255, 255, 255);
    return g->shifts[slot - 1].color;
}

}  // namespace

std::string month_name(const Plan& plan, int month) {
    if (month < 1 || month > 12) return "";
    const std::vector<std::string> items = list_items(plan.tr.tr("f_Parameters", "cb_Month", ""));
    if (int(items.size()) >= month && !items[month - 1].empty()) return items[month - 1];
    return kMonthNames[month - 1];
}

std::string month_name_after_day(const Plan& plan, int month) {
    if (month < 1 || month > 12) return "";
    std::vector<std::string> names = muv_entries(plan.tr.muv(
        "muv_MonthsOf",
        "stycznia¤lutego¤marca¤kwietnia¤maja¤czerwca¤lipca¤sierpnia¤września¤października¤listopada¤grudnia"));
    return names.size() == 12 ? names[size_t(month - 1)] : month_name(plan, month);
}

std::string date_in_words(const Plan& plan, int year, int month, int day) {
    if (month < 1 || month > 12) return "";
    return std::to_string(day) + " " + month_name_after_day(plan, month) + " " + std::to_string(year);
}

grid_place miejsce_dnia(int firstDayOfWeek, int dayNumber, int dayOfWeek) {
    const int o = (firstDayOfWeek + 4) % 7;
    const int r = o == 6 ? -1 : 0;
    return {(o + dayNumber) / 7 + r, (dayOfWeek + 5) % 7};
}

void odswiez_klasy_dni(Plan& plan, int periodMonth) {
    if (periodMonth < 0 || periodMonth >= int(plan.months.size())) return;
    miesiac& pm = plan.months[periodMonth];
    const size_t n = std::min(pm.days.size(), plan.days.size());
    for (size_t i = 0; i < n; ++i) {
        day_param& p = pm.days[i];
        p.dayClass = "da";
        if (plan.days[i].dayOfWeek == kSaturday) p.dayClass = "so";
        if (plan.days[i].holiday == 1) p.dayClass = "sw";
        if (p.erDuty == 1) p.dayClass = "od";
    }
}

void przenumeruj_kalendarz(Plan& plan) {
    calendar_state& cal = plan.calendar;
    const grupa* g = plan.group();
    // A group without shifts still shows its days, one cell each.
    cal.gridSlots = std::max<int>(1, g ? int(g->shifts.size()) : 0);
    cal.gridRows = kGridRows;
    cal.grid.assign(size_t(cal.gridRows * cal.gridColumns()), calendar_cell{});

    const miesiac* pm = plan.currentMonth >= 0 && plan.currentMonth < int(plan.months.size())
                            ? &plan.months[plan.currentMonth]
                            : nullptr;
    if (!plan.days.empty()) {
        const int first = plan.days[0].dayOfWeek;
        for (size_t i = 0; i < plan.days.size(); ++i) {
            const day& d = plan.days[i];
            const grid_place place = miejsce_dnia(first, int(i) + 1, d.dayOfWeek);
            if (place.row < 0 || place.row >= cal.gridRows) continue;
            const day_param* param = pm && i < pm->days.size() ? &pm->days[i] : nullptr;
            for (int slot = 1; slot <= cal.gridSlots; ++slot) {
                calendar_cell& c = cal.grid[size_t(place.row * cal.gridColumns() +
                                                   place.block * cal.gridSlots + slot - 1)];
                c.slot = slot;
                c.dayIndex = int(i);
                c.dayNumber = param ? param->dayNumber : int(i) + 1;
                c.color = slot_colour(g, slot);
                if (d.holiday == 1) c.color = plan.weekMode ? rgb(255, 255, 255) : kHolidayColour;
                if (param && !param->note.empty()) c.fontColor = kNoteFontColour;
                if (param && param->erDuty == 1) c.color = kErDutyColour;
            }
        }
    }
    odswiez_klasy_dni(plan, plan.currentMonth);
}

const calendar_cell* komorka_dnia(const Plan& plan, int dayIndex, int slot) {
    for (const calendar_cell& c : plan.calendar.grid)
        if (c.dayIndex == dayIndex && c.slot == slot) return &c;
    return nullptr;
}

}  // namespace planek
