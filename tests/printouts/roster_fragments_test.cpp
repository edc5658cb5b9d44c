#include <gtest/gtest.h>

#include "print_fixture.h"
#include "printouts/roster_fragments.h"

namespace planek {
namespace {

using test::add_day_off;
using test::add_duty;
using test::make_ward;

const std::string& list(const Plan& p, int d, int which, int group = 0) { return p.days[d].whoList[group].lists[which]; }

TEST(WhoWorks, ShiftMatchTopUpAndStandardLists) {
    Plan p = make_ward();
    add_duty(p, 0, 2, 420, 720, 1);  // exactly shift D
    add_duty(p, 1, 2, 840, 300, 1);  // top-up length at 14:00
    add_duty(p, 2, 2, 420, 300, 1);  // top-up at the first shift's start
    add_duty(p, 2, 3, 420, 455, 1);  // standard at the first shift's start
    add_duty(p, 1, 3, 480, 455, 1);      // standard at 8:00
    add_duty(p, 0, 4, 600, 200, 2);      // anything else
    przygotuj_rozklad(p, false);
    const kty& d2 = p.days[2].whoList[0];
    EXPECT_EQ(d2.shifts[0], "AK");
    EXPECT_EQ(d2.lists[kKtoStandard], "");
    EXPECT_EQ(d2.lists[kKtoTopUp], "<span class=maly>14-19</span><br>BN,<br>CZ");
    EXPECT_EQ(list(p, 3, kKtoStandard), "<span class=maly>8-15<sup>35</sup></span><br>BN,<br>CZ");
    EXPECT_EQ(list(p, 4, kKtoOther), "<span class=maly>10-13<sup>20</sup></span><br>AK");
    EXPECT_EQ(list(p, 2, kKtoAllDuties), "AK, <span class=maly>14-19</span><br>BN,<br>CZ");
    // The current group's own records are cleared and tidied only.
    EXPECT_EQ(p.days[2].who.lists[kKtoTopUp], "");
}

TEST(WhoWorks, DutiesUnderLeaveAreHiddenUnlessTheLeaveHasItsOwnNorm) {
    Plan p = make_ward();
    add_day_off(p, 0, 9, 9, 'u');  // Tuesday 10 March
    add_duty(p, 0, 9, 420, 720, 1);
    przygotuj_rozklad(p, false);
    EXPECT_EQ(p.days[9].whoList[0].shifts[0], "");
    p.workers[0].months[0].daysOff[9].customNorm = true;
    przygotuj_rozklad(p, false);
    EXPECT_EQ(p.days[9].whoList[0].shifts[0], "AK");
}

TEST(WhoWorks, LeaveWeekListsWorkingDaysOnly) {
    Plan p = make_ward();
    add_day_off(p, 0, 1, 7, 'u');   // Monday 2nd .. Sunday 8th
    add_day_off(p, 1, 13, 13, '5');  // Saturday 14th
    add_day_off(p, 2, 13, 13, '1');  // Saturday 14th
    add_day_off(p, 3, 16, 16, 'c', true, 1);  // kind c: nowhere
    przygotuj_rozklad(p, true);
    for (int d = 1; d <= 5; ++d) EXPECT_EQ(list(p, d, kKtoLeave), "AK") << d;
    EXPECT_EQ(list(p, 6, kKtoLeave), "");
    EXPECT_EQ(list(p, 7, kKtoLeave), "");
    EXPECT_EQ(list(p, 1, kKtoAllDaysOff), "AK");
    EXPECT_EQ(list(p, 13, kKtoDaysOff), "<span class=w_za_5d>BN</span>");
    for (int w : {0, 1, 2, 3, 4, 5, 6, 7, 8})
        EXPECT_EQ(list(p, 16, w), "") << w;
}

TEST(WhoWorks, LeaveOverDuties) {
    Plan p = make_ward();
    // Leave filled by standard duties, one per working day: listed plainly.
    add_day_off(p, 0, 1, 5, 'u', false);
    for (int d = 1; d <= 5; ++d) add_duty(p, 0, d, 420, 455, 1);
    // One other-length duty under leave: bold with its times, that day only.
    add_day_off(p, 1, 8, 12, 'u', false);
    add_duty(p, 1, 10, 420, 600, 1);
    // A whole-shift duty under leave: bold without small print.
    add_day_off(p, 2, 15, 19, 'u', false);
    add_duty(p, 2, 17, 420, 720, 1);
    przygotuj_rozklad(p, false);
    for (int d = 1; d <= 5; ++d) EXPECT_EQ(list(p, d, kKtoLeave), "AK") << d;
    EXPECT_EQ(list(p, 10, kKtoLeave), "<span class=maly>7-17</span><br><b>BN</b>");
    EXPECT_EQ(list(p, 9, kKtoLeave), "");
    EXPECT_EQ(list(p, 17, kKtoLeave), "<b>CZ</b>");
    EXPECT_EQ(list(p, 16, kKtoLeave), "");
}

TEST(WhoWorks, OtherGroups) {
    Plan p = make_ward();
    add_duty(p, 3, 2, 420, 720, 1, 2);  // DW in group 2
    add_duty(p, 0, 2, 1140, 720, 2, 2);  // AK placed in group 2
    przygotuj_rozklad(p, false);
    EXPECT_EQ(p.days[2].whoList[0].shifts[0], "");
    EXPECT_EQ(p.days[2].whoList[1].shifts[1], "AK");  // a member, filed under the duty's group
    EXPECT_EQ(p.days[2].whoList[1].shifts[0], "");
    przygotuj_rozklad(p, true);
    EXPECT_EQ(p.days[2].whoList[0].shifts[0], "DW");
    EXPECT_EQ(p.days[2].whoList[0].shifts[1], "AK");
}

TEST(WhoWorks, StandardDutyTable) {
    Plan p = make_ward();
    add_duty(p, 0, 2, 420, 455, 1);
    add_duty(p, 1, 2, 420, 455, 1);
    add_duty(p, 2, 4, 480, 455, 1);
    add_duty(p, 2, 2, 420, 455, 2);  // not shift 1: not in the table
    auto rows = przygotuj_rozklad(p, false);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].start, 420);
    EXPECT_EQ(rows[0].cells[2], "AK, BN");
    EXPECT_EQ(rows[0].cells[4], "");
    EXPECT_EQ(rows[1].start, 480);
    EXPECT_EQ(rows[1].cells[4], "CZ");
}

}  // namespace
}  // namespace planek
