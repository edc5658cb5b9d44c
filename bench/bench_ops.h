#pragma once
// The measured operations over one opened ward. Each returns the seconds of
// the operation itself; whatever puts the ward back for the next run is
// outside the measured part (and outside callgrind's collection).
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_ward.h"
#include "core/plan.h"

namespace planek::bench {

struct ward_state {
    ward_key key;
    std::filesystem::path root;
    Plan plan;     // the month as read, first group shown
    Plan cleared;  // the same with the first group's duties taken out
    free_cell cell;
    std::filesystem::path printoutFolder;
};

// The opened ward of this size and layout (kept for the whole run).
ward_state& ward_for(int workers, int groups);

struct operation {
    const char* name;
    double (*run)(ward_state&);
    // Measured in CPU time of the program rather than wall time, and held
    // to the document goal at 600 workers instead of a frame at 200.
    bool document = false;
};

// In the order the table lists them.
const std::vector<operation>& operations();

}  // namespace planek::bench
