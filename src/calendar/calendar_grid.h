#pragma once
#include <string>

#include "core/calendar_state.h"
#include "core/types.h"

namespace planek {

struct Plan;

inline constexpr colour kNoDayColour = rgb(192, 192, 192);
inline constexpr colour kHolidayColour = rgb(255, 200, 200);
inline constexpr colour kNoteFontColour = rgb(100, 255, 100);
inline constexpr colour kErDutyColour = rgb(255, 255, 0);
inline constexpr int kGridRows = 6;

// The name of a month (1..12) as the parameters dialog lists it.
std::string month_name(const Plan& plan, int month);

// The name of a month (1..12) after a day number, in the genitive as Polish
// needs it ("marca"; "March" in English); the nominative when the language
// gives no such list.
std::string month_name_after_day(const Plan& plan, int month);

// A date as a sentence says it, the month in the genitive: "7 grudnia 2026"
// ("7 December 2026" in English). Empty for a month outside 1..12.
std::string date_in_words(const Plan& plan, int year, int month, int day);

// Where a day goes on the grid: row 0..5 and weekday block 0 (Monday) .. 6
// (Sunday), from the weekday codes (1 = Sunday) of the 1st and of the day.
struct grid_place {
    int row = 0;
    int block = 0;
};
grid_place miejsce_dnia(int firstDayOfWeek, int dayNumber, int dayOfWeek);

// Class of every day of a period month: "da", "so" (Saturday), "sw"
// (holiday), "od" (emergency-admission duty), later ones winning.
void odswiez_klasy_dni(Plan& plan, int periodMonth);

// Lays the shown month out on the calendar grid (plan.calendar.grid) for
// the current group's shifts and refreshes the day classes.
void przenumeruj_kalendarz(Plan& plan);

// The grid cell holding a day index and shift slot (1-based), or nullptr.
const calendar_cell* komorka_dnia(const Plan& plan, int dayIndex, int slot);

}  // namespace planek
