#pragma once
// The workers' wishes for the month in the month file: section [zyczenia],
// keys "z1", "z2", ..., each value "worker id¤day¤kind¤shift¤weight", the
// kind "w" (a day off), "z" (wants the shift) or "n" (would rather not work
// the shift). A reader that does not know the section skips it whole, so a
// file with wishes still opens in an older version.
#include <functional>
#include <string>
#include <vector>

#include "core/plan.h"
#include "files/month_ini.h"

namespace planek {

inline constexpr const char* kWishSection = "zyczenia";

// The section's lines ("[zyczenia]" first), or none when nobody has a wish
// and no wish of a worker outside the staff list was read.
std::vector<std::string> wish_section_lines(const Plan& plan);

// A line the reader could not use and why.
using wish_problem_fn = std::function<void(const month_ini::entry&, const std::string& reason)>;

// Reads the section into the shown month of each worker; the wishes of a
// worker outside the staff list are kept as they were read, to be written
// back.
void read_wishes(Plan& plan, const month_ini& ini, int firstDay, const wish_problem_fn& problem);

}  // namespace planek
