#pragma once
// The wards the benchmark measures: generated once by the command line's
// generator into a cache folder, then opened the way the command line opens
// a month for printing (staff, options, templates, the first group shown).
#include <filesystem>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek::bench {

struct ward_key {
    int workers = 20;
    int groups = 0;  // 0: the generator's own choice (about 30 workers a group)
    int months = 1;
};

// Where the generated wards are kept between runs.
std::filesystem::path& ward_cache();

// The root of a generated ward; generates it when it is not in the cache yet.
// Throws std::runtime_error when the generator fails.
std::filesystem::path ward_root(const ward_key& key);

// The month files of the ward, in calendar order.
std::vector<std::string> ward_months(const std::filesystem::path& root);

// Opens the ward's staff and the given months into a fresh plan, shows the
// first group with its worker list, and answers every question Yes.
void open_ward(Plan& plan, const std::filesystem::path& root, const std::vector<std::string>& months);

// A free cell of the first group for one quick-add edit: a pattern worker
// with nothing on the day, the day before and the day after.
struct free_cell {
    int worker = -1;
    int dayIndex = -1;
    int shift = 1;
};
free_cell find_free_cell(const Plan& plan);

// The shown month with the first group's duties taken out (days off kept),
// so the scheduler has a whole month to plan.
void clear_group_duties(Plan& plan);

// Resident memory of this process in kB (VmRSS), or -1.
long resident_kb();
// The highest it has been (VmHWM), or -1.
long peak_kb();

}  // namespace planek::bench
