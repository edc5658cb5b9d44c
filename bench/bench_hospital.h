#pragma once
// What one planner's command costs in a whole hospital: the command line
// run as a process on a folder of 300, 600 and 1,200 workers (wards of 30,
// twelve months), its wall time and peak memory, and how they grow.
#include <iosfwd>

namespace planek::bench {

// Runs every command `runs` times at each size (the hospitals generated
// into the ward cache when missing) and prints the table; 0 when every
// command at 1,200 workers meets the goals.
int run_hospital(std::ostream& out, int runs);

}  // namespace planek::bench
