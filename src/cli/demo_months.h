#pragma once
#include <string>
#include <vector>

#include "core/plan.h"

namespace planek::cli {

// Writes two consecutive month files of the demo ward into its data folder,
// the previous month approved and carried out, the current one planned, and
// puts them at the head of the recent projects. The staff and groups must be
// in the plan. Returns the paths written.
std::vector<std::string> write_demo_months(Plan& plan);

}  // namespace planek::cli
