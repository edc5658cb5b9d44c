#pragma once
// Ready-made HTML fragments of who works and who is off on each day of the
// open month, per group, read by the day variables of the printouts.
#include <string>
#include <vector>

#include "core/period.h"

namespace planek {

struct Plan;

// Positions of the nine lists of a "who" record.
enum kty_list : int {
    kKtoStandard = 0,   // standard-length duties
    kKtoTopUp = 1,      // top-up duties
    kKtoOther = 2,      // any other duty
    kKtoAllDuties = 3,  // per-shift, standard, top-up and other lists joined
    kKtoDaysOff = 4,    // kinds 1, 5, 7, 9
    kKtoLeave = 5,      // kind u
    kKtoSick = 6,       // kind z
    kKtoOtherDaysOff = 7,
    kKtoAllDaysOff = 8,  // leave, other, sick and days-off lists joined
};

// One row of the standard-duty table: a start time and, per day of the
// month, the symbols of the workers who start a standard duty then.
struct duty8_row {
    int start = 0;
    std::vector<std::string> cells;
};

// Rebuilds every day's "who" records (plan.days[d].who and .whoList) and
// returns the standard-duty table. For an HTML document the names in the
// records are escaped; the table's cells stay plain.
std::vector<duty8_row> przygotuj_rozklad(Plan& plan, bool includeOtherGroups, bool html = false);

// The workers of the worker list, as worker table indexes: the list box
// entries when there are any, else the whole worker table.
std::vector<int> listed_workers(const Plan& plan);

}  // namespace planek
