#include "calendar/staffing.h"

#include <gtest/gtest.h>

#include "summary_fixture.h"

namespace planek {
namespace {

using test::ward;

constexpr int kDay = 1, kNight = 2;  // 1-based shift numbers

void refresh_all(Plan& p) {
    czysc_iledy(p, true, true);
    odswiez_iledy(p);
    odswiez_ilemy(p);
    wylicz_srednie_obsady(p);
}

TEST(StaffingClear, SizesArraysToTheGroupAndDoesNothingWhenAskedNothing) {
    ward w;
    w.plan.days[3].workFlag = 1;
    czysc_iledy(w.plan, false, false);
    EXPECT_EQ(w.plan.days[3].workFlag, 1);
    EXPECT_TRUE(w.plan.days[3].shiftHeadcount.empty());
    czysc_iledy(w.plan, true, true);
    EXPECT_EQ(w.plan.days[3].workFlag, 0);
    EXPECT_EQ(w.plan.days[3].shiftHeadcount.size(), 2u);
    EXPECT_EQ(w.plan.days[3].averageStaffing.size(), 2u);
}

TEST(StaffingCounts, NightDutyCrossesMidnightButNotTheMonthEnd) {
    ward w;
    w.duty(0, 0, kNight, 1140, 720, 60);  // 19:00 + 12:00 + 1:00 overtime
    w.duty(1, 29, kNight, 1140, 720);     // last day of the month
    refresh_all(w.plan);
    const auto& d0 = w.plan.days[0];
    EXPECT_EQ(d0.shiftHeadcount[1], 1);
    EXPECT_EQ(d0.shiftMinutes[1], 780);
    EXPECT_EQ(d0.minuteHeadcount[1139], 0);
    EXPECT_EQ(d0.minuteHeadcount[1140], 1);
    EXPECT_EQ(d0.minuteHeadcount[1439], 1);
    EXPECT_EQ(w.plan.days[1].minuteHeadcount[479], 1);  // overtime to 08:00
    EXPECT_EQ(w.plan.days[1].minuteHeadcount[480], 0);
    const auto& last = w.plan.days[29];
    EXPECT_EQ(last.minuteHeadcount[1140], 1);
    EXPECT_EQ(last.minuteHeadcount[1439], 1);
    EXPECT_EQ(last.minuteHeadcount[0], 0);  // nothing wraps back into the same day
    // The night's average on the last day counts only its own day's minutes.
    EXPECT_FLOAT_EQ(last.averageStaffing[1], 1.0f);
    EXPECT_FLOAT_EQ(d0.averageStaffing[1], 1.0f);
}

TEST(StaffingCounts, UntickedKindIsInvisibleToAllCounts) {
    ward w;
    w.duty(0, 2, kDay, 420, 720, 0, 2);
    w.plan.dutyAsFilter[1] = false;
    refresh_all(w.plan);
    EXPECT_EQ(w.plan.days[2].shiftHeadcount[0], 0);
    EXPECT_EQ(w.plan.days[2].shiftMinutes[0], 0);
    EXPECT_EQ(w.plan.days[2].minuteHeadcount[600], 0);
    w.plan.dutyAsFilter[1] = true;
    refresh_all(w.plan);
    EXPECT_EQ(w.plan.days[2].shiftHeadcount[0], 1);
}

TEST(StaffingCounts, DutyUnderLeaveCountsAsHeadButGivesNoMinutesUnlessTheLeaveHasOwnNorm) {
    ward w;
    w.dayOff(0, 1, 4, 'u');
    w.duty(0, 3, kDay, 420, 720);
    refresh_all(w.plan);
    EXPECT_EQ(w.plan.days[3].shiftHeadcount[0], 1);
    EXPECT_EQ(w.plan.days[3].shiftMinutes[0], 0);
    EXPECT_EQ(w.plan.days[3].minuteHeadcount[600], 0);
    // An own norm on the leave (kept in its head slot) lets every day of it count.
    w.plan.workers[0].months[0].daysOff[1].customNorm = true;
    refresh_all(w.plan);
    EXPECT_EQ(w.plan.days[3].shiftMinutes[0], 720);
    EXPECT_EQ(w.plan.days[3].minuteHeadcount[600], 1);
}

TEST(StaffingCounts, DutiesOfAnotherGroupStayOutOfThisGroupsCells) {
    ward w;
    w.plan.workers[0].groups = "1|2|";
    w.duty(0, 5, kDay, 420, 720).groupId = 2;
    refresh_all(w.plan);
    EXPECT_EQ(w.plan.days[5].shiftHeadcount[0], 0);
    EXPECT_EQ(w.plan.days[5].minuteHeadcount[600], 0);
}

TEST(StaffingCoverage, ShiftsCoverTheDayAndAZeroLengthShiftAddsNothing) {
    ward w;
    zmiana_ empty;
    empty.start = 600;
    empty.length = 0;
    w.plan.groups[0].shifts.push_back(empty);
    w.duty(0, 4, kDay, 420, 720);
    refresh_all(w.plan);
    for (int m : {0, 419, 420, 1139, 1140, 1439}) EXPECT_EQ(w.plan.shiftCoverage[m], 1) << m;
    EXPECT_FLOAT_EQ(w.plan.days[4].averageStaffing[2], 0.0f);
}

TEST(StaffingCoverage, AverageIsMeanHeadcountOverTheShiftSpan) {
    ward w;
    w.duty(0, 2, kDay, 420, 720);
    w.duty(1, 2, kDay, 420, 360);  // leaves at 13:00
    refresh_all(w.plan);
    EXPECT_FLOAT_EQ(w.plan.days[2].averageStaffing[0], 1.5f);
}

TEST(StaffingCounts, LargeWardDoesNotWrapTheHeadcounts) {
    ward w(30, 2, 300);
    for (int i = 0; i < 300; ++i) w.duty(i, 0, kDay, 420, 720);
    refresh_all(w.plan);
    EXPECT_EQ(w.plan.days[0].shiftHeadcount[0], 300);
    EXPECT_EQ(w.plan.days[0].minuteHeadcount[600], 300);
    EXPECT_FLOAT_EQ(w.plan.days[0].averageStaffing[0], 300.0f);
}

TEST(StaffingCounts, AbsurdDutiesAreCountedWithoutOverflow) {
    ward w;
    w.duty(0, 1, kDay, 1440, 0);       // start at midnight, no length
    w.duty(0, 2, kDay, 420, 60, -200);  // overtime eats the duty
    w.duty(1, 3, kDay, 1440, 120);     // midnight start counts on the next day
    refresh_all(w.plan);
    EXPECT_EQ(w.plan.days[1].shiftHeadcount[0], 1);
    EXPECT_EQ(w.plan.days[2].shiftMinutes[0], -140);
    EXPECT_EQ(w.plan.days[2].minuteHeadcount[420], 0);
    EXPECT_EQ(w.plan.days[4].minuteHeadcount[0], 1);
    EXPECT_EQ(w.plan.days[4].minuteHeadcount[120], 0);
}

TEST(StaffingCounts, OneDutyChangeMatchesAFullRecount) {
    ward w(30, 2, 4);
    w.duty(0, 0, kNight, 1140, 720);
    w.duty(1, 0, kDay, 420, 720, 90);
    w.duty(2, 29, kNight, 1140, 720);
    w.dayOff(3, 5, 6, 'z');
    refresh_all(w.plan);
    dyzur added;
    added.groupId = 1;
    added.shift = kNight;
    added.start = 1140;
    added.length = 720;
    added.overtime = 30;
    added.dutyAs = 1;
    for (int d : {0, 5, 28, 29}) {
        w.plan.workers[3].months[0].duties[d].push_back(added);
        zmien_iledy_dyzuru(w.plan, 3, d, added, +1);
    }
    Plan full = w.plan;
    odswiez_iledy(full);
    odswiez_ilemy(full);
    for (int d = 0; d < 30; ++d) {
        EXPECT_EQ(w.plan.days[d].shiftHeadcount, full.days[d].shiftHeadcount) << d;
        EXPECT_EQ(w.plan.days[d].shiftMinutes, full.days[d].shiftMinutes) << d;
        EXPECT_EQ(w.plan.days[d].minuteHeadcount, full.days[d].minuteHeadcount) << d;
    }
    zmien_iledy_dyzuru(w.plan, 3, 28, added, -1);
    EXPECT_EQ(w.plan.days[28].shiftHeadcount[1], 0);
    EXPECT_EQ(w.plan.days[29].minuteHeadcount[100], 0);
}

TEST(StaffingSearch, FirstUnderStaffedCellUsesTheHolidayNeedOnHolidays) {
    ward w(7, 7, 3);  // Saturday .. Friday; day 1 is a Sunday holiday
    for (int d = 0; d < 7; ++d)
        for (int x = 0; x < 2; ++x) {
            w.duty(x, d, kDay, 420, 720);
            w.duty(x + 1, d, kNight, 1140, 720);
        }
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_puste_iledy(w.plan), std::make_pair(-1, -1));
    // Worker 1's first duty of a day is a night. The Sunday night keeps one
    // (holiday need 1); a Monday night with one is short.
    w.plan.workers[1].months[0].duties[1].erase(w.plan.workers[1].months[0].duties[1].begin());
    w.plan.workers[1].months[0].duties[3].erase(w.plan.workers[1].months[0].duties[3].begin());
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_puste_iledy(w.plan), std::make_pair(3, 1));
    w.plan.groups[0].shifts[1].staffMin = 1;
    w.plan.groups[0].shifts[1].staffMinS = 0;
    w.plan.workers[2].months[0].duties[1].clear();
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_puste_iledy(w.plan), std::make_pair(1, 1));  // an empty cell is always short
}

TEST(StaffingSearch, LatestEndingAndEarliestStartingDuty) {
    ward w;
    w.duty(0, 2, kDay, 420, 300);
    w.duty(0, 2, kDay, 800, 100, 20);   // ends 920
    w.duty(0, 2, kDay, 900, 20);        // ends 920 too: first one wins
    w.duty(0, 2, kDay, 300, 60);
    EXPECT_EQ(zwroc_dyz(w.plan, 0, 2, "max"), 1);
    EXPECT_EQ(zwroc_dyz(w.plan, 0, 2, "min"), 3);
    EXPECT_EQ(zwroc_dyz(w.plan, 0, 3, "max"), -1);
    EXPECT_EQ(zwroc_dyz(w.plan, 0, 30, "min"), -1);
    EXPECT_EQ(zwroc_dyz(w.plan, 7, 2, "min"), -1);
    EXPECT_EQ(zwroc_dyz(w.plan, 0, 2, "any"), -1);
}

// Day index 1 is a Tuesday, day 6 a Sunday (holiday).
struct donor_ward : ward {
    donor_ward() : ward(30, 2, 0) {
        for (int i = 0; i < 5; ++i) {
            int x = addWorker();
            plan.workers[x].prefSystem = true;
        }
    }
    dyzur& proposal(int worker, int d, int shift) {
        dyzur& x = duty(worker, d, shift, shift == kDay ? 420 : 1140, 720);
        x.loaded = false;
        return x;
    }
};

TEST(StaffingDonor, WorkingDayCellAtItsNeedGivesAndHolidayCellAtItsNeedKeeps) {
    donor_ward w;
    w.proposal(0, 10, kDay);  // target: Friday day shift, one of two
    w.proposal(1, 6, kDay);   // Sunday day shift: exactly staffMinS + 1 = 2 ...
    w.proposal(2, 6, kDay);
    w.plan.groups[0].shifts[0].staffMinS = 2;  // ... now exactly its holiday need
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_dawce(w.plan, 10, 0).worker, -1);
    w.proposal(3, 1, kNight);  // Tuesday night with exactly staffMin = 2
    w.proposal(4, 1, kNight);
    odswiez_iledy(w.plan);
    const staff_donor d = znajdz_dawce(w.plan, 10, 0);
    EXPECT_EQ(d.day, 1);
    EXPECT_EQ(d.worker, 3);
}

TEST(StaffingDonor, MovesAProposalIntoTheEmptyCellAndKeepsTheCountsTrue) {
    donor_ward w;
    w.proposal(0, 2, kDay);
    w.proposal(1, 2, kDay);
    w.proposal(2, 2, kDay);
    czysc_iledy(w.plan, true, true);
    odswiez_iledy(w.plan);
    odswiez_ilemy(w.plan);
    const auto moved = znajdz_nadmiarowe_iledy(w.plan, 4, 1);
    EXPECT_EQ(moved, std::make_pair(0, 2));
    const auto& target = w.plan.workers[0].months[0].duties[4];
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0].shift, kNight);
    EXPECT_EQ(target[0].start, 1140);  // the target shift's start
    EXPECT_EQ(target[0].day, 5);
    EXPECT_TRUE(w.plan.workers[0].months[0].duties[2].empty());
    Plan full = w.plan;
    odswiez_iledy(full);
    odswiez_ilemy(full);
    for (int d = 0; d < 30; ++d) {
        EXPECT_EQ(w.plan.days[d].shiftHeadcount, full.days[d].shiftHeadcount) << d;
        EXPECT_EQ(w.plan.days[d].minuteHeadcount, full.days[d].minuteHeadcount) << d;
    }
}

TEST(StaffingDonor, AcceptedDutiesAndSingleWorkerCellsNeverMove) {
    donor_ward w;
    w.proposal(0, 2, kDay).loaded = true;
    w.proposal(1, 2, kDay).loaded = true;
    w.proposal(2, 3, kDay);
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_nadmiarowe_iledy(w.plan, 4, 1), std::make_pair(-1, -1));
    EXPECT_EQ(w.plan.workers[2].months[0].duties[3].size(), 1u);
}

TEST(StaffingDonor, WorkerWithADutyOnTheTargetDayGivesOnlyFromThatDay) {
    donor_ward w;
    w.proposal(0, 2, kDay);
    w.proposal(1, 2, kDay);
    w.proposal(0, 8, kNight);  // worker 0 already works the night of day 8
    w.proposal(1, 8, kNight);
    for (int x : {0, 1}) w.plan.workers[x].months[0].duties[2][0].prioWorker = 5;
    odswiez_iledy(w.plan);
    // Target: day shift of day 8. Worker 0/1 may only give their day-8 night.
    const staff_donor d = znajdz_dawce(w.plan, 8, 0);
    EXPECT_EQ(d.day, 8);
}

TEST(StaffingDonor, RestRulesGuardTheNightBeforeAndTheDayAfter) {
    donor_ward w;
    w.proposal(0, 3, kDay);
    w.proposal(1, 3, kDay);
    w.duty(0, 4, kNight, 1140, 720);  // worker 0: night before the target day 5
    w.duty(1, 4, kNight, 1140, 720);
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_dawce(w.plan, 5, 1).worker, -1);  // a first-shift candidate after a night
    w.plan.workers[1].months[0].duties[4].clear();
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_dawce(w.plan, 5, 1).worker, 1);
    // Nor may a night candidate land in the first shift right after a night.
    donor_ward u;
    u.proposal(0, 3, kNight);
    u.proposal(1, 3, kNight);
    u.duty(0, 4, kNight, 1140, 720);
    u.duty(1, 4, kNight, 1140, 720);
    odswiez_iledy(u.plan);
    EXPECT_EQ(znajdz_dawce(u.plan, 5, 0).worker, -1);

    // A last-shift candidate moved into the night of day 10 would end when the
    // worker's day duty of day 11 begins: refused like the pairing above.
    donor_ward v;
    v.proposal(0, 3, kNight);
    v.proposal(1, 3, kNight);
    v.duty(0, 11, kDay, 420, 720);
    v.duty(1, 11, kDay, 420, 720);
    odswiez_iledy(v.plan);
    EXPECT_EQ(znajdz_dawce(v.plan, 10, 1).worker, -1);
    v.plan.workers[1].months[0].duties[11][0].start = 480;  // one hour of rest
    EXPECT_EQ(znajdz_dawce(v.plan, 10, 1).worker, 1);
}

TEST(StaffingDonor, HigherPriorityReplacesTheBestUnlessTheBestAlreadySitsInTheTargetShift) {
    donor_ward w;
    w.proposal(0, 2, kDay).prioWorker = 1;
    w.proposal(1, 2, kDay).prioWorker = 3;
    w.proposal(2, 2, kDay).prioWorker = 2;  // lower than the best so far: ignored
    odswiez_iledy(w.plan);
    EXPECT_EQ(znajdz_dawce(w.plan, 4, 1).worker, 1);

    donor_ward v;  // the best holds the target shift (night) on another day
    v.proposal(0, 2, kNight);
    v.proposal(1, 2, kNight);
    v.proposal(2, 3, kDay).prioStaff = 9;
    v.proposal(3, 3, kDay);
    odswiez_iledy(v.plan);
    EXPECT_EQ(znajdz_dawce(v.plan, 4, 1).worker, 0);
    v.plan.workers[2].prefNormalHoliday = 3;
    EXPECT_EQ(znajdz_dawce(v.plan, 4, 1).worker, 2);
}

TEST(StaffingDonor, RefusedMoveLeavesTheDonorInPlace) {
    donor_ward w;
    w.proposal(0, 2, kDay);
    w.proposal(1, 2, kDay);
    odswiez_iledy(w.plan);
    auto refuse = [](Plan&, int, int, int, const dyzur&) { return false; };
    EXPECT_EQ(znajdz_nadmiarowe_iledy(w.plan, 4, 1, refuse), std::make_pair(-1, -1));
    EXPECT_EQ(w.plan.workers[0].months[0].duties[2].size(), 1u);
    // The plain move refuses a copy that would overlap the worker's next duty.
    w.duty(0, 5, kDay, 0 + 300, 720);
    w.duty(1, 5, kDay, 300, 720);
    EXPECT_EQ(znajdz_nadmiarowe_iledy(w.plan, 4, 1), std::make_pair(-1, -1));
    EXPECT_EQ(w.plan.workers[0].months[0].duties[2].size(), 1u);
}

}  // namespace
}  // namespace planek
