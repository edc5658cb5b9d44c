#pragma once
// planek-cli schedule --compare: both algorithms on the demo ward and on
// generated wards of 20, 60 and 200 workers, each from an empty month, then
// the warnings check on every result; one table row per ward and algorithm.
#include <cstdint>
#include <filesystem>

#include "cli/cli.h"

namespace planek::cli {

struct compare_options {
    std::filesystem::path folder;  // where the wards are written
    double seconds = 0;  // 0: the options' bound
    std::uint64_t seed = 1;
    int largest = 200;  // workers of the largest generated ward
    // The exact model of each month beside the second algorithm, with the
    // solver's time for each group.
    bool exact = false;
    double exactSeconds = 120;
};

int compare_algorithms(context& c, const compare_options& o);

}  // namespace planek::cli
