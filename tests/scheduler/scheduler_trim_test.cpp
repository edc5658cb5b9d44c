// Removal priorities and the trimming back to the norm.
#include <gtest/gtest.h>

#include "calendar/staffing.h"
#include "scheduler_fixture.h"

namespace planek::test {
namespace {

TEST(SchedulerTrim, LeaningToNightsLosesDayDutiesFirst) {
    scheduler_ward w;
    const int a = w.addWorker("12");
    w.worker(a).prefDayNight = 6;
    w.ownNorm(a, 180 * 60);
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_EQ(r.placed, 30);
    EXPECT_EQ(r.removed, 15);
    for (int d = 0; d < w.days(); ++d) EXPECT_EQ(w.shifts(a)[d], d % 2 == 0 ? 0 : 2) << "day " << d + 1;
    EXPECT_EQ(w.planned(a), 180 * 60);
}

TEST(SchedulerTrim, LeaningToWorkingDaysLosesHolidayDutiesFirst) {
    scheduler_ward w;
    const int a = w.addWorker("1");
    w.worker(a).prefNormalHoliday = 0;
    w.ownNorm(a, 25 * 720);
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_EQ(r.removed, 5);
    for (int d = 0; d < w.days(); ++d)
        EXPECT_EQ(w.month(a).duties[d].empty(), w.plan.days[d].holiday != 0) << "day " << d + 1;
}

TEST(SchedulerTrim, HandPlacedDutiesAreNeverTrimmed) {
    scheduler_ward w;
    const int a = w.addWorker("1");
    for (int day = 1; day <= 12; ++day) w.handDuty(a, day, 1);  // 144 h of 159:15
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_EQ(r.placed, 18);
    EXPECT_EQ(r.removed, 17);  // 144 h and one proposal: 156 h, the most that fits 159:15
    for (int day = 1; day <= 12; ++day) EXPECT_EQ(w.month(a).duties[day - 1].size(), 1u);
    EXPECT_LE(w.planned(a), w.month(a).workerNorm);
}

TEST(SchedulerTrim, TiedDutiesAreEachRemovedAboutHalfTheTime) {
    scheduler_ward w;
    const int a = w.addWorker("100000000000000");  // Monday the 1st and Tuesday the 16th
    w.ownNorm(a, 720);
    int firstKept = 0;
    const int runs = 400;
    for (int seed = 0; seed < runs; ++seed) {
        w.plan.random.seed(std::uint64_t(seed));
        const scheduler_report r = w.run(Answer::Yes);
        ASSERT_EQ(r.placed, 2);
        ASSERT_EQ(r.removed, 1);
        ASSERT_EQ(w.dutyCount(a), 1);
        firstKept += w.month(a).duties[0].empty() ? 0 : 1;
        for (auto& list : w.month(a).duties) list.clear();
        w.worker(a).systemStartFrom = 1;
        w.refresh(a);
    }
    // Binomial(400, 1/2): five standard deviations either side.
    EXPECT_GT(firstKept, 150);
    EXPECT_LT(firstKept, 250);
}

TEST(SchedulerTrim, PrioritiesFollowLeaningsAndStaffing) {
    scheduler_ward w;
    w.group().shifts[0].staffMin = 2;
    w.group().shifts[0].staffMinS = 0;
    const int a = w.addWorker("0");
    const int b = w.addWorker("0");
    const int c = w.addWorker("0");
    w.worker(a).prefDayNight = 1;       // leans to days
    w.worker(a).prefNormalHoliday = 5;  // leans to holidays
    auto proposal = [&](int worker, int day, int shift) {
        dyzur d;
        d.workerId = w.worker(worker).id;
        d.groupId = 1;
        d.day = word(day);
        d.shift = byte(shift);
        d.length = 720;
        d.dutyAs = 1;
        d.loaded = false;
        ASSERT_TRUE(dodaj_dyzur(w.plan, d, -1, false, worker));
    };
    proposal(a, 2, 1);  // working day, day shift: with one leaning, against the other
    proposal(a, 3, 2);  // working day, night: against both
    proposal(a, 7, 1);  // Sunday, day shift: with both
    w.handDuty(a, 9, 1);
    w.handDuty(b, 2, 1);
    w.handDuty(c, 2, 1);
    w.handDuty(b, 7, 1);
    odswiez_iledy(w.plan);
    uloz_planek_set_prio(w.plan, a);
    uloz_planek_set_prio_staff(w.plan, kAllWorkers, kAllDays);
    const auto& m = w.month(a);
    EXPECT_DOUBLE_EQ(m.duties[1][0].prioWorker, 1.0 - 0.4 + 0.4);
    EXPECT_DOUBLE_EQ(m.duties[2][0].prioWorker, 1.0 + 0.4 + 0.4);
    EXPECT_DOUBLE_EQ(m.duties[6][0].prioWorker, 1.0 - 0.4 - 0.4);
    EXPECT_DOUBLE_EQ(m.duties[8][0].prioWorker, 0.0);  // placed by hand
    EXPECT_DOUBLE_EQ(m.duties[1][0].prioStaff, 3.0 / 2.0);  // three in a shift needing two
    EXPECT_DOUBLE_EQ(m.duties[6][0].prioStaff, 2.0);        // holiday need 0 counts as 1
    EXPECT_DOUBLE_EQ(m.duties[8][0].prioStaff, 0.0);
    // Night shift without a staffing number: the average over working days
    // (one night in 21 days) is below one, so the head count itself.
    EXPECT_DOUBLE_EQ(m.duties[2][0].prioStaff, 1.0);

    // One worker and one day only.
    w.month(a).duties[1][0].prioStaff = 9;
    w.month(a).duties[2][0].prioStaff = 9;
    uloz_planek_set_prio_staff(w.plan, a, 1);
    EXPECT_DOUBLE_EQ(m.duties[1][0].prioStaff, 1.5);
    EXPECT_DOUBLE_EQ(m.duties[2][0].prioStaff, 9.0);
}

}  // namespace
}  // namespace planek::test
