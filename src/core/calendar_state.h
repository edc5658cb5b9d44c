#pragma once
#include <string>
#include <vector>

#include "core/types.h"

namespace planek {

// One cell of the main calendar grid: 6 rows (weeks) of 7 weekday blocks,
// each block with one sub-column per shift of the current group.
struct calendar_cell {
    int dayNumber = 0;  // 0 = the cell holds no day
    int dayIndex = -1;  // index into the day table, -1 = none
    int slot = 0;       // 1-based shift slot inside the weekday block
    colour color = rgb(192, 192, 192);
    colour fontColor = rgb(0, 0, 0);
};

// A week column of week mode: the ISO week number and its Monday.
struct week_column {
    int week = 0;
    int year = 0;
    int month = 0;
    int day = 0;
};

// What the norm routine derives for the shown month; read by the summaries,
// the warnings, the printouts and the calendar view.
struct calendar_state {
    // Night window on the duty timeline (minutes from midnight of the
    // duty's day); the end may lie past 1440.
    int nightStart = 1320;
    int nightEnd = 1800;
    // Day of January (1..7) of the year's first Sunday.
    int firstSundayOfJanuary = 1;
    int weekdays = 0;          // W: working weekdays after holidays and own calendar
    int saturdayHolidays = 0;  // S: statutory holidays falling on a Saturday
    int workingDays = 0;       // WD of the current group
    int normMinutes = 0;
    int normRemainder = 0;
    // Captions of the main window.
    std::string st_Calendar;
    std::string st_NormaTitle;
    std::string st_normaValue;
    // Week mode: one entry per week column.
    std::vector<week_column> weeks;
    // The calendar grid, row-major: gridRows × (7 × gridSlots) cells.
    int gridRows = 6;
    int gridSlots = 1;
    std::vector<calendar_cell> grid;

    int gridColumns() const { return 7 * gridSlots; }
    const calendar_cell& cell(int row, int column) const { return grid[row * gridColumns() + column]; }
};

}  // namespace planek
