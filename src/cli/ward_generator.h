#pragma once
// Wards of any size for trying the program out and for measuring it: groups
// with two to four shifts and staffing targets that fit their staff, workers
// of every kind (part time, patterns, 8-hour mode, planned by hand, leave),
// and consecutive months planned by the scheduler and then touched by hand.
// The same seed gives the same ward.
#include <cstdint>
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek::cli {

struct ward_options {
    int workers = 60;
    int groups = 0;  // 0: one group per about 30 workers
    int months = 1;
    std::uint64_t seed = 1;
    int fromYear = 0;  // first month; 0 = the current month
    int fromMonth = 0;
};

// The group count the options give (the one asked for, else by size),
// never more than there are workers.
int ward_group_count(const ward_options& o);

// Fills the empty group and worker tables.
void build_generated_ward(Plan& plan, const ward_options& o);

// What the month pass did, for the command's report.
struct generated_months {
    std::vector<std::string> files;  // written, in calendar order
    int duties = 0;
    int daysOff = 0;
};

// Writes the months into the data folder and puts them at the head of the
// recent projects. Every question of the rules is answered Yes, as a ward
// manager accepting the scheduler's proposals would. The staff and groups
// must be in the plan; their leave and pattern positions move on with the
// months, so the caller saves the staff afterwards.
generated_months write_generated_months(Plan& plan, const ward_options& o);

}  // namespace planek::cli
