// Placement by cyclic pattern and by the eight-hour mode.
#include <gtest/gtest.h>

#include "editing/duty_dialog_model.h"
#include "scheduler_fixture.h"

namespace planek::test {
namespace {

constexpr int kJuneNorm = 21 * 455;

TEST(SchedulerPattern, CalendarOfTheTestMonth) {
    scheduler_ward w;
    ASSERT_EQ(w.days(), 30);
    EXPECT_EQ(w.plan.days[0].dayOfWeek, 2);  // Monday the 1st
    EXPECT_TRUE(w.plan.days[3].holiday);     // Corpus Christi
    EXPECT_TRUE(w.plan.days[6].holiday);     // Sunday the 7th
    const int a = w.addWorker("1");
    EXPECT_EQ(w.month(a).workerNorm, kJuneNorm);
}

TEST(SchedulerPattern, Pattern1200FromPositionTwoOverThirtyDays) {
    scheduler_ward w;
    const int a = w.addWorker("1200", 2);
    w.ownNorm(a, 300 * 60);  // room for every duty: nothing is trimmed
    const scheduler_report r = w.run(Answer::Yes);
    ASSERT_TRUE(r.ran);
    std::vector<int> expected;
    for (int d = 0; d < 30; ++d) expected.push_back("1200"[(1 + d) % 4] - '0');
    EXPECT_EQ(w.shifts(a), expected);
    EXPECT_EQ(expected[0], 2);
    EXPECT_EQ(expected[3], 1);
    EXPECT_EQ(r.placed, 15);
    EXPECT_EQ(r.removed, 0);
    // Thirty positions on from 2: the next month starts at 4.
    EXPECT_EQ(w.worker(a).systemStartFrom, 4);
    for (int d = 0; d < 30; ++d)
        for (const dyzur& x : w.month(a).duties[d]) {
            EXPECT_TRUE(x.loaded);
            EXPECT_EQ(x.groupId, 1);
            EXPECT_EQ(x.dutyAs, 1);
            EXPECT_EQ(x.overtime, 0);
            EXPECT_EQ(x.start, w.group().shifts[x.shift - 1].start);
            EXPECT_EQ(x.length, 720);
        }
}

TEST(SchedulerPattern, TakenDaysStillUseUpTheirPosition) {
    scheduler_ward w;
    const int a = w.addWorker("1200", 2);
    w.ownNorm(a, 300 * 60);
    w.handDuty(a, 4, 1, 480, 240);  // where the pattern has a day shift
    w.handDayOff(a, 'u', 5, 5);     // where it has a night
    w.run(Answer::Yes);
    const std::vector<int> got = w.shifts(a);
    EXPECT_EQ(got[0], 2);
    EXPECT_EQ(w.month(a).duties[3].size(), 1u);
    EXPECT_EQ(w.month(a).duties[3][0].start, 480);  // the hand duty, untouched
    EXPECT_TRUE(w.month(a).duties[4].empty());
    EXPECT_EQ(got[7], 1);  // the cycle goes on as if both days had been placed
    EXPECT_EQ(got[8], 2);
}

TEST(SchedulerPattern, WorkerAtTheNormGetsNothingAndKeepsItsPosition) {
    scheduler_ward w;
    const int a = w.addWorker("1", 3);
    for (int day = 1; day <= 14; ++day) w.handDuty(a, day, 1);  // 168 h, above 159:15
    const int before = w.dutyCount(a);
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_EQ(r.placed, 0);
    EXPECT_EQ(r.removed, 0);
    EXPECT_FALSE(r.asked);
    EXPECT_EQ(w.dutyCount(a), before);
    EXPECT_EQ(w.worker(a).systemStartFrom, 3);
}

TEST(SchedulerPattern, ResetSpreadsStartsAndOffsetsEachWorkerByADay) {
    scheduler_ward w(1);  // one shift: every day is covered, nothing moves
    std::vector<int> ws;
    for (int i = 0; i < 5; ++i) {
        ws.push_back(w.addWorker("1000", 3));
        w.ownNorm(ws.back(), 300 * 60);
    }
    resetuj_ustawienia_poczatkowe(w.plan);
    EXPECT_TRUE(w.plan.patternsReset);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(w.worker(ws[i]).systemStartFrom, 1);
    EXPECT_EQ(w.worker(ws[4]).systemStartFrom, 2);  // (4 div 4) mod 4 + 1

    w.run(Answer::Yes);
    // Worker k starts on day k mod 4; the fifth starts on day 0 again, one
    // position further on, so its first duty falls on the 4th.
    for (int i = 0; i < 4; ++i) {
        const std::vector<int> s = w.shifts(ws[i]);
        for (int d = 0; d < i; ++d) EXPECT_EQ(s[d], 0) << "worker " << i << " day " << d;
        EXPECT_EQ(s[i], 1) << "worker " << i;
    }
    const std::vector<int> fifth = w.shifts(ws[4]);
    EXPECT_EQ(fifth[0] + fifth[1] + fifth[2], 0);
    EXPECT_EQ(fifth[3], 1);
    EXPECT_FALSE(w.plan.patternsReset);  // cleared by the acceptance
}

TEST(SchedulerPattern, ResetLeavesEmptyPatternsAlone) {
    scheduler_ward w;
    const int a = w.addWorker("", 5);
    const int b = w.addWorker("12", 2);
    resetuj_ustawienia_poczatkowe(w.plan);
    EXPECT_EQ(w.worker(a).systemStartFrom, 5);
    EXPECT_EQ(w.worker(b).systemStartFrom, 1);  // k = 1: (1 div 2) mod 2 + 1
}

TEST(SchedulerPattern, ResetBeforeEveryRunComesFromTheGroup) {
    scheduler_ward w;
    w.group().resetBeforeAutomat = true;
    const int a = w.addWorker("1000", 3);
    w.ownNorm(a, 300 * 60);
    w.run(Answer::No);
    EXPECT_EQ(w.worker(a).systemStartFrom, 1);  // the reset stays after No
    EXPECT_TRUE(w.plan.patternsReset);
}

TEST(SchedulerPattern, ConstantStartKeepsThePosition) {
    scheduler_ward w;
    const int a = w.addWorker("1200", 2);
    w.worker(a).autoConstStart = true;
    w.ownNorm(a, 300 * 60);
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_TRUE(r.accepted);
    EXPECT_EQ(w.worker(a).systemStartFrom, 2);
}

TEST(SchedulerEightHour, DialogFillUsesWorkingDaysAndTheTemplate) {
    scheduler_ward w;
    const int a = w.addWorker();
    w.worker(a).prefSystem = false;
    w.worker(a).prefAuto8 = true;
    w.worker(a).automatDays = "1111111";  // not read by the dialog's fill
    w.worker(a).systemPattern8 = "2";     // nor this
    w.handDuty(a, 2, 1);
    dyzur t;
    t.workerId = w.worker(a).id;
    t.groupId = 1;
    t.shift = 1;
    t.start = 480;
    t.length = 455;
    t.dutyAs = 2;
    t.loaded = true;
    rozpisz_8_z_dialogu(w.plan, t, a);
    int placed = 0;
    for (int d = 0; d < w.days(); ++d) {
        const day& dd = w.plan.days[d];
        const bool working = dd.dayOfWeek >= 2 && dd.dayOfWeek <= 6 && !dd.holiday;
        const auto& list = w.month(a).duties[d];
        if (d == 1) {
            EXPECT_EQ(list.size(), 1u);
            continue;
        }
        ASSERT_EQ(list.size(), working ? 1u : 0u) << "day " << d + 1;
        if (list.empty()) continue;
        ++placed;
        EXPECT_EQ(list[0].start, 480);
        EXPECT_EQ(list[0].length, 455);
        EXPECT_EQ(list[0].shift, 1);
        EXPECT_EQ(list[0].dutyAs, 2);
        EXPECT_TRUE(list[0].loaded);
    }
    EXPECT_EQ(placed, 20);
    EXPECT_EQ(w.planned(a), 20 * 455 + 720);  // the fill refreshed the worker
}

TEST(SchedulerEightHour, DutyDialogOffersTheWholeMonth) {
    scheduler_ward w;
    const int a = w.addWorker();
    dyzur prepared;
    prepared.day = 3;
    prepared.shift = 1;
    prepared.start = 420;
    prepared.length = 720;
    duty_dialog_model model;
    model.openAdd(w.plan, a, 2, prepared);
    model.setWorker8(true);
    w.ui->answers = {Answer::Yes};
    ASSERT_EQ(model.ok(w.plan, rozpisz_8_z_dialogu), duty_dialog_result::FilledMonth);
    EXPECT_EQ(w.ui->questions.at(0), "Czy rozpisać wybrany dyżur na cały miesiąc?");
    EXPECT_EQ(w.dutyCount(a), 21);
    for (int d = 0; d < w.days(); ++d)
        for (const dyzur& x : w.month(a).duties[d]) {
            EXPECT_EQ(x.start, 420);
            EXPECT_EQ(x.length, 455);
            EXPECT_TRUE(x.loaded);
        }
}

TEST(SchedulerEightHour, WeekdaysHolidaysAndPatternFromTheWorker) {
    scheduler_ward w;
    const int a = w.addEightHourWorker("19");  // 9 is above the two shifts: the last one
    w.worker(a).automatDays = "1010001";      // Monday, Wednesday, Sunday
    w.worker(a).automatFromHourOn = true;
    w.worker(a).automatFromHour = 360;
    dyzur t;
    t.workerId = w.worker(a).id;
    t.groupId = 1;
    t.length = 455;
    t.loaded = false;
    const fill_report r = rozpisz_8(w.plan, a, t, true, false);
    // Mondays 1, 8, 15, 22, 29; Wednesdays 3, 10, 17, 24; Sundays are holidays.
    const std::vector<int> days = {1, 3, 8, 10, 15, 17, 22, 24, 29};
    int i = 0;
    for (int d = 0; d < w.days(); ++d) {
        const auto& list = w.month(a).duties[d];
        const bool expected = i < int(days.size()) && days[i] == d + 1;
        ASSERT_EQ(list.size(), expected ? 1u : 0u) << "day " << d + 1;
        if (!expected) continue;
        EXPECT_EQ(list[0].shift, i % 2 == 0 ? 1 : 2);
        EXPECT_EQ(list[0].start, 360);
        ++i;
    }
    EXPECT_EQ(r.placed, 9);
    EXPECT_EQ(r.patternPos, 2);  // nine positions on from 1 in a pattern of two

    // Leaning fully to holidays, Sundays count too.
    scheduler_ward h;
    const int b = h.addEightHourWorker("1");
    h.worker(b).automatDays = "0000001";
    h.worker(b).prefNormalHoliday = 6;
    t.workerId = h.worker(b).id;
    EXPECT_EQ(rozpisz_8(h.plan, b, t, true, false).placed, 4);
}

TEST(SchedulerEightHour, WeekPatternMovesOnOnSundays) {
    scheduler_ward w;
    const int a = w.addEightHourWorker("12");
    w.worker(a).systemAsWeek = true;
    dyzur t;
    t.workerId = w.worker(a).id;
    t.groupId = 1;
    t.length = 455;
    rozpisz_8(w.plan, a, t, true, false);
    const std::vector<int> s = w.shifts(a);
    for (int d : {0, 1, 2, 4}) EXPECT_EQ(s[d], 1) << d;  // 1st-5th (the 4th a holiday)
    for (int d : {7, 8, 9, 10, 11}) EXPECT_EQ(s[d], 2) << d;
    for (int d : {14, 15}) EXPECT_EQ(s[d], 1) << d;
    EXPECT_EQ(s[3], 0);
}

TEST(SchedulerEightHour, RunWithoutPatternGivesFirstShiftsOfTheDailyNorm) {
    scheduler_ward w;
    const int a = w.addEightHourWorker("");
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_EQ(r.placed, 21);
    EXPECT_EQ(r.removed, 0);  // full time: never trimmed
    for (int d = 0; d < w.days(); ++d)
        for (const dyzur& x : w.month(a).duties[d]) {
            EXPECT_EQ(x.shift, 1);
            EXPECT_EQ(x.length, 455);
        }
    EXPECT_EQ(w.planned(a), kJuneNorm);
}

TEST(SchedulerEightHour, WorkerWithoutADailyNormGetsNothingAndKeepsItsPosition) {
    scheduler_ward w;
    const int a = w.addEightHourWorker("12");
    w.worker(a).systemStartFrom8 = 2;
    w.ownNorm(a, 0);
    w.addWorker("1");  // someone gets proposals, so the run is accepted
    ASSERT_TRUE(w.run(Answer::Yes).accepted);
    EXPECT_EQ(w.dutyCount(a), 0);
    EXPECT_EQ(w.worker(a).systemStartFrom8, 2);
}

TEST(SchedulerEightHour, PartTimeWorkerIsTrimmedFullTimeIsNot) {
    scheduler_ward w;
    const int half = w.addEightHourWorker("", 50.0);
    const int full = w.addEightHourWorker("", 100.0);
    w.ownNorm(full, 21 * 455 - 455);  // one day less than the fill gives
    const scheduler_report r = w.run(Answer::Yes);
    EXPECT_LE(w.planned(half), w.month(half).workerNorm);
    EXPECT_GE(r.removed, 1);
    EXPECT_EQ(w.dutyCount(full), 21);
}

}  // namespace
}  // namespace planek::test
