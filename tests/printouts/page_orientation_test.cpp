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

TEST(PageOrientation, AnAddedRuleOutranksTheDocumentsOwnAndStaysInItsHead) {
    const std::string doc = "<html><HEAD><style>@page{size:A4 portrait}</style></HEAD><body>x</body></html>";
    const std::string turned = with_page_rule(doc, page_orientation::landscape);
    EXPECT_EQ(css_page_orientation(turned), page_orientation::landscape);
    EXPECT_LT(turned.find("landscape"), turned.find("</HEAD>"));
    EXPECT_NE(turned.find("<body>x</body></html>"), std::string::npos);
    // A fragment without a head still gets the rule, before its content.
    const std::string bare = with_page_rule("<table></table>", page_orientation::portrait);
    EXPECT_EQ(css_page_orientation(bare), page_orientation::portrait);
    EXPECT_EQ(bare.find("<style>"), 0u);
}

TEST(PageOrientation, HeaderWordsAreReadWithoutCaseOrBlanks) {
    EXPECT_EQ(named_page_orientation(" Landscape "), page_orientation::landscape);
    EXPECT_EQ(named_page_orientation("PORTRAIT"), page_orientation::portrait);
    EXPECT_EQ(named_page_orientation("sideways"), std::nullopt);
    EXPECT_EQ(named_page_orientation(""), std::nullopt);
}

}  // namespace
}  // namespace planek
