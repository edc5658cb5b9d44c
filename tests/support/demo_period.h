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

// A text template "figures" in the ward's templates: one line per worker of
// the shown group (surname, period duty hours, each month's duty and day-off
// counts), then the month names.
inline void write_figures_template(const demo_period& ward) {
    write_file(std::filesystem::path(ward.root) / "templates" / "figures.wzr",
               "<HEADER>\r\n<TITLE>Figures</TITLE>\r\n<TYPE>txt</TYPE>\r\n<FILE_NAME>figures</FILE_NAME>\r\n"
               "</HEADER>\r\n<_worker>W @_worker_surname |P @_period_sum_worker_duties0: |"
               "<_month>D@_month_no @_worker_duty_qty |L@_month_no @_worker_dayoff_qty |</month>\r\n</worker>"
               "<_month>M@_month_no @_month |</month>\r\n");
}

}  // namespace planek::test
