#pragma once
// The summary of a run: one row per operation, one column per ward size,
// the scaling ratios and whether each goal was met.
#include <iosfwd>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace planek::bench {

struct cell_key {
    size_t op = 0;
    int workers = 0;
    int groups = 0;
    bool operator<(const cell_key& o) const {
        return std::tie(op, workers, groups) < std::tie(o.op, o.workers, o.groups);
    }
};

// Cost of each cell, in `unit`.
using results = std::map<cell_key, double>;

void print_table(std::ostream& out, const results& r, const std::vector<int>& sizes, const std::vector<int>& layouts,
                 const std::string& unit);

}  // namespace planek::bench
