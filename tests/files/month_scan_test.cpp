// A month's lines told apart by ward before they are cut into fields.
#include <gtest/gtest.h>

#include "core/cp1250.h"
#include "files/month_scan.h"

namespace planek {
namespace {

std::string bytes_of(const std::string& utf8) { return *utf8_to_cp1250(utf8); }

TEST(MonthScan, OnlyTheWardsRecordsAndItsWorkersAreKeptInTheirPlaces) {
    const std::string month = bytes_of(
        "[info]\r\nstatus=0\r\n[DYZURY]\r\nd1=1¤7¤4¤720\r\nd2=3¤8¤4¤720\r\nd3=3¤7¤5¤720\r\nd4=x¤8\r\n"
        "[wolne]\r\nw1=0¤8¤1¤1¤455¤u\r\nw2=1¤9¤1¤1¤455¤u\r\n[wymiar_etatu]\r\n8=100\r\n");
    word skipped = 0;
    // Ward 1, whose worker 7 also works in ward 3.
    const std::vector<std::string> lines =
        month_lines_of_part(month, [](word group, word worker) { return group == 1 || worker == 7; }, skipped);
    const std::vector<std::string> expected = {"[info]", "status=0", "[DYZURY]", "d1=1¤7¤4¤720", "",
                                               "d3=3¤7¤5¤720", "d4=x¤8", "[wolne]", "", "w2=1¤9¤1¤1¤455¤u",
                                               "[wymiar_etatu]", "8=100"};
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(skipped, 8);
}

TEST(MonthScan, AMonthOfOtherGroupsIsToldFromItsRecords) {
    auto ours = [](word g) { return g == 1 || g == 2; };
    EXPECT_FALSE(month_bytes_of_other_groups(bytes_of("[dyzury]\nd1=5¤1¤1\nd2=2¤1¤1\n"), ours));
    EXPECT_TRUE(month_bytes_of_other_groups(bytes_of("[dyzury]\nd1=5¤1¤1\n[wolne]\nw1=6¤1¤1\n"), ours));
    // A day off of no group says nothing of whose month it is; nor does an empty month.
    EXPECT_FALSE(month_bytes_of_other_groups(bytes_of("[wolne]\nw1=0¤1¤1\n"), ours));
    EXPECT_FALSE(month_bytes_of_other_groups(bytes_of("[okres]\nFromYear=2024\n"), ours));
}

}  // namespace
}  // namespace planek
