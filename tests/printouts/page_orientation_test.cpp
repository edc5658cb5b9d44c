#include <gtest/gtest.h>

#include "printouts/page_orientation.h"

namespace planek {
namespace {

TEST(PageOrientation, TheAtPageRuleDecidesAndTheLastOneWins) {
    EXPECT_EQ(css_page_orientation("<style>@page{size:A4 landscape;margin:8mm}</style>"),
              page_orientation::landscape);
    EXPECT_EQ(css_page_orientation("<STYLE>@PAGE { margin: 1cm; SIZE: Portrait }</STYLE>"), page_orientation::portrait);
    EXPECT_EQ(css_page_orientation("@page{size:landscape} td{} @page{size:portrait}"), page_orientation::portrait);
    // Words elsewhere, a rule without a size or an unfinished rule say nothing.
    EXPECT_EQ(css_page_orientation("<p>landscape</p><style>@page{margin:0}</style>"), std::nullopt);
    EXPECT_EQ(css_page_orientation("@page{margin:0} .x{size:landscape}"), std::nullopt);
    EXPECT_EQ(css_page_orientation("@page{size:landscape"), std::nullopt);
    EXPECT_EQ(css_page_orientation(""), std::nullopt);
}

}  // namespace
}  // namespace planek
