#pragma once
// The demo ward with empty months added (by default a settlement period of
// three, April to June 2030), made by the command line as a user would make it.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "cli/cli_runner.h"

namespace planek::test {

struct demo_period {
    std::string root;                 // the program folder
    std::vector<std::string> months;  // the added ones: dane/2030_04.pnk ...
};

// Makes the ward in `dir`/ward with the months "YYYY-MM" in `added`; call it
// under ASSERT_NO_FATAL_FAILURE.
inline void make_demo_months(const TempDir& dir, demo_period& ward, std::initializer_list<const char*> added) {
    ward.root = (dir / "ward").string();
    const result demo = run_cli(dir, {"demo", ward.root});
    ASSERT_EQ(demo.code, 0) << demo.err;
    for (const char* m : added) {
        std::string name = m;
        name[4] = '_';
        ward.months.push_back((dir / "ward" / "dane" / (name + ".pnk")).string());
        const result made = run_cli(dir, {"--root", ward.root, "new", ward.months.back(), m});
        ASSERT_EQ(made.code, 0) << made.err;
    }
}

inline void make_demo_period(const TempDir& dir, demo_period& ward) {
    make_demo_months(dir, ward, {"2030-04", "2030-05", "2030-06"});
}

}  // namespace planek::test
