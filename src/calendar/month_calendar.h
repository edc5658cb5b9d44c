#pragma once
// Weekdays and holidays of any month of the settlement period, for the
// summaries: the shown month reads its day table, the others are laid out
// from their year, month and own-calendar flags.
#include <vector>

#include "core/plan.h"

namespace planek {

struct month_calendar {
    std::vector<int> dayOfWeek;  // 1 = Sunday .. 7 = Saturday, 0 = unknown
    std::vector<bool> holiday;
    int nextMonthStart = 0;  // 1 = the next month begins with a free day, else its weekday code
    int workingDays = 0;
    int normMinutes = 0;
    // Week mode: a column stands for a week, whatever weekday the grid gives
    // it, so a day off is worth the daily norm on every column it covers.
    bool everyDayWorks = false;

    int days() const { return int(dayOfWeek.size()); }
    bool isWorkingDay(int d) const {
        return everyDayWorks || (dayOfWeek[d] >= 2 && dayOfWeek[d] <= 6 && !holiday[d]);
    }
};

month_calendar kalendarz_miesiaca(const Plan& plan, int periodMonth);

}  // namespace planek
