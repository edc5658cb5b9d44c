// Days off for work on Sundays (kind "1") and holidays (kind "9").
#include <gtest/gtest.h>

#include "scheduler_fixture.h"

namespace planek::test {
namespace {

using day_kind = std::pair<int, char>;

struct DaysOffWard : ::testing::Test {
    scheduler_ward w;
    int a = -1;
    void SetUp() override {
        w.group().dayOffForHolidayWorkDistribution = true;
        a = w.addWorker("0");  // takes part, places nothing itself
    }
};

TEST_F(DaysOffWard, SundayDutyGivesTheFirstFreeDayOfTheWeekAfter) {
    w.handDuty(a, 7, 1);
    w.handDuty(a, 8, 1);
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_TRUE(r.asked);  // days off alone are proposals too
    EXPECT_EQ(r.daysOff, 1);
    ASSERT_EQ(w.daysOff(a), (std::vector<day_kind>{{9, '1'}}));
    const wolne_& off = w.month(a).daysOff[8];
    EXPECT_TRUE(off.loaded);
    EXPECT_EQ(off.normMinutes, 455);
    EXPECT_EQ(off.groupId, 1);
    EXPECT_EQ(off.dayFrom, 9);
    EXPECT_EQ(off.dayTo, 9);
    EXPECT_FALSE(off.blocks);
}

TEST_F(DaysOffWard, WithTheWeekAfterFullTheNearestDayBefore) {
    for (int day = 7; day <= 13; ++day) w.handDuty(a, day, 1);
    w.handDuty(a, 6, 1, 420, 60);
    w.run(Answer::Yes);
    // The 6th has a duty; the 5th is the nearest free working day before.
    EXPECT_EQ(w.daysOff(a), (std::vector<day_kind>{{5, '1'}}));
}

TEST_F(DaysOffWard, HolidayDutyGivesKindNineAndSundaysKindOne) {
    w.handDuty(a, 4, 1);   // Corpus Christi
    w.handDuty(a, 14, 2);  // Sunday
    w.handDuty(a, 15, 2, 1140, 600);
    w.run(Answer::Yes);
    // After the Sunday night the 15th holds a duty: the 16th. After the
    // holiday, the 5th.
    EXPECT_EQ(w.daysOff(a), (std::vector<day_kind>{{5, '9'}, {16, '1'}}));
}

TEST_F(DaysOffWard, OneAlreadyGivenByHandStopsTheKind) {
    w.handDuty(a, 7, 1);
    w.handDuty(a, 4, 1);
    w.handDayOff(a, '1', 20, 20);
    w.run(Answer::Yes);
    EXPECT_EQ(w.daysOff(a), (std::vector<day_kind>{{5, '9'}, {20, '1'}}));
}

TEST_F(DaysOffWard, NoDayOffInsideAnotherDayOff) {
    // A leave over the working days after the Sunday: the day off goes to
    // the day before, not onto one of the leave's covered days.
    w.handDuty(a, 7, 1);
    w.handDayOff(a, 'u', 8, 13);
    w.run(Answer::Yes);
    EXPECT_EQ(w.daysOff(a), (std::vector<day_kind>{{6, '1'}, {8, 'u'}}));
    // Days off over the whole reach on both sides: none is given.
    scheduler_ward full;
    full.group().dayOffForHolidayWorkDistribution = true;
    const int b = full.addWorker("0");
    full.handDuty(b, 14, 1);
    full.handDayOff(b, 'z', 8, 13);
    full.handDayOff(b, 'u', 15, 20);
    full.run(Answer::Yes);
    EXPECT_EQ(full.daysOff(b), (std::vector<day_kind>{{8, 'z'}, {15, 'u'}}));
}

TEST_F(DaysOffWard, NoneWhenTheGroupDoesNotDistribute) {
    w.group().dayOffForHolidayWorkDistribution = false;
    w.handDuty(a, 7, 1);
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_FALSE(r.asked);
    EXPECT_TRUE(w.daysOff(a).empty());
}

TEST_F(DaysOffWard, AnswerNoTakesTheProposedDaysOffAndKeepsTheOthers) {
    w.handDuty(a, 7, 1);
    w.handDayOff(a, 'u', 22, 24);
    const int leaveBefore = w.worker(a).holidayCurrentYear;
    const scheduler_report r = w.run(Answer::No);
    EXPECT_EQ(r.daysOff, 1);
    EXPECT_EQ(w.daysOff(a), (std::vector<day_kind>{{22, 'u'}}));
    EXPECT_EQ(w.worker(a).holidayCurrentYear, leaveBefore);
    EXPECT_EQ(w.ui->questions.size(), 1u);  // no allowance question
}

}  // namespace
}  // namespace planek::test
