// Which shift cells the calendar marks as under- or over-staffed, and what
// the mark says.
#include "calendar/staffing_marks.h"

#include <gtest/gtest.h>

#include "calendar/staffing.h"
#include "summary_fixture.h"

namespace planek {
namespace {

using test::ward;

constexpr int kDay = 1, kNight = 2;

TEST(StaffingMarks, UnderTheTargetOverTheWarningsThresholdAndHolidayTargets) {
    ward w(30, 2, 5);  // the day shift needs 2 (1 on holidays), the night 2
    w.plan.groups[0].shifts[0].symbol = "D";
    w.plan.options.warnings.StaffBigger = true;
    w.plan.options.warnings.vStaffBigger = 2;
    w.duty(0, 0, kDay, 420, 720);  // day 0: one of two
    for (int i = 0; i < 4; ++i) w.duty(i, 1, kDay, 420, 720);  // day 1: two over
    for (int i = 0; i < 3; ++i) w.duty(i, 2, kDay, 420, 720);  // day 2: one over, below the threshold
    w.duty(0, 6, kDay, 420, 720);  // day 6 is a Sunday: one is enough
    const auto marks = oznacz_obsady(w.plan);
    ASSERT_EQ(marks.size(), 30u);
    ASSERT_EQ(marks[0].size(), 2u);
    EXPECT_EQ(marks[0][0].level, staffing_level::Under);
    EXPECT_EQ(marks[0][0].headcount, 1);
    EXPECT_EQ(marks[0][0].required, 2);
    EXPECT_EQ(staffing_mark_text(w.plan, 0, marks[0][0]), "D: 1 z 2");
    EXPECT_EQ(staffing_mark_text(w.plan, 1, marks[0][1]), "2: 0 z 2");  // no symbol: its number
    EXPECT_EQ(marks[1][0].level, staffing_level::Over);
    EXPECT_EQ(marks[2][0].level, staffing_level::Enough);
    EXPECT_EQ(marks[6][0].level, staffing_level::Enough);
    EXPECT_EQ(marks[6][0].required, 1);

    w.plan.options.warnings.StaffBigger = false;  // that warning off: no over marks
    EXPECT_EQ(oznacz_obsady(w.plan)[1][0].level, staffing_level::Enough);
    w.plan.options.warnings.StaffBigger = true;
    w.plan.options.warnings.vStaffBigger = 0;  // as the warnings: below one person counts as one
    EXPECT_EQ(staffing_level_of(w.plan, 3, 2), staffing_level::Over);
    EXPECT_EQ(staffing_level_of(w.plan, 2, 2), staffing_level::Enough);
}

TEST(StaffingMarks, FollowTheCountsAfterAnEditAndNeedAGroupWithShifts) {
    ward w(30, 2, 3);
    EXPECT_EQ(oznacz_obsady(w.plan)[3][0].headcount, 0);
    w.duty(1, 3, kDay, 420, 720);
    uniewaznij_iledy(w.plan);
    EXPECT_EQ(oznacz_obsady(w.plan)[3][0].headcount, 1);
    w.plan.groups[0].shifts.clear();
    EXPECT_TRUE(oznacz_obsady(w.plan).empty());
    w.plan.currentGroup = -1;
    EXPECT_TRUE(oznacz_obsady(w.plan).empty());
    (void)kNight;
}

}  // namespace
}  // namespace planek
