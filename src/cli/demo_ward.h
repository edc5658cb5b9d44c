#pragma once
#include <vector>

#include "cli/ward_people.h"
#include "core/plan.h"

namespace planek::cli {

// Fills the empty tables with a demo ward: a surgical ward on 12-hour
// shifts, a delivery suite on three 8-hour shifts, and their staff with
// varied part time, patterns, 8-hour workers and leave.
void build_demo_ward(Plan& plan);

// The people of the demo ward, in worker id order.
std::vector<person> demo_people();

}  // namespace planek::cli
