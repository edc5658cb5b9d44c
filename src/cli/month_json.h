#pragma once
// The worker figures of a month for the command line: as numbers, and as the
// JSON of "summary --json".
#include <functional>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek::cli {

struct month_figures {
    long workerNorm = 0;
    long worked = 0;    // day + night + holiday minutes
    long credited = 0;  // day-off minutes credited toward the norm
    long normOpen = 0;  // norm - worked - credited (may be negative)
    category_sum total;
};
month_figures figures_of(const ms_& m);

// Text of a string as a JSON literal.
std::string json_string(const std::string& s);

// One object per worker: id, names, the month figures, and per day its
// minutes, credited minutes and cell symbol (from `symbol(worker, day)`).
std::string summary_json(const Plan& plan, const std::vector<int>& workers,
                         const std::function<std::string(int, int)>& symbol);

}  // namespace planek::cli
