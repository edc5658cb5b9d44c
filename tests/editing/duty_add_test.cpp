#include "editing/duty_add.h"

#include "editing/editing_fixture.h"

namespace planek::test {
namespace {

using DutyAdd = EditingFixture;

TEST_F(DutyAdd, StoresNumberedStampedDutyAndTakesShiftStartForZero) {
    dyzur d = duty(0, 3, 0, 720, 0, 2);
    d.prioWorker = 0.2;
    ASSERT_TRUE(dodaj_dyzur(plan, d, -1, false, 0));
    ASSERT_EQ(dutiesOn(0, 3).size(), 1u);
    const dyzur& s = dutiesOn(0, 3)[0];
    EXPECT_EQ(s.id, 1);
    EXPECT_EQ(s.start, 1140);  // the night shift's start
    EXPECT_EQ(s.dayIndex, 2);
    EXPECT_EQ(s.month, 3);
    EXPECT_EQ(s.year, 2027);
    EXPECT_DOUBLE_EQ(s.prioWorker, 1.0);
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(DutyAdd, DayOutsideMonthIsRefusedSilentlyAndUnknownWorkerBecomesOrphan) {
    const Plan before = plan;
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 32, 420, 720), -1, false, 0));
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 0, 420, 720), -1, false, 0));
    EXPECT_TRUE(SameMonthTables(before, plan));
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 5, 420, 720), -1, false, 7));
    ASSERT_EQ(plan.orphanDuties.size(), 1u);
    EXPECT_EQ(plan.orphanDuties[0].dayIndex, 4);
}

TEST_F(DutyAdd, EleventhDutyOfADayIsRefusedButAnEditOfOneOfTenPasses) {
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 4, 60 + i * 60, 30), -1, false, 0));
    const Plan before = plan;
    const result<> refused = dodaj_dyzur(plan, duty(0, 4, 1320, 30), -1, false, 0);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
    // The refusal comes back to the caller; the rule itself tells no one.
    EXPECT_EQ(said_of(refused).kind, refusal_kind::TooManyDuties);
    EXPECT_EQ(said_of(refused).text,
              "Pracownik osiągnął już maksymalną ilość dyżurów w tej dobie (10).\nDyżuru nie dodano.");
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 4, 1320, 30), 9, false, 0));
    EXPECT_EQ(dutiesOn(0, 4).size(), 10u);
    EXPECT_EQ(dutiesOn(0, 4)[9].start, 1320);
}

TEST_F(DutyAdd, NightIntoNextMorningRefusesSixAndAcceptsSeven) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 10, 1140, 720, 0, 2), -1, false, 0));
    const Plan before = plan;
    const result<> refused = dodaj_dyzur(plan, duty(0, 11, 360, 480), -1, false, 0);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
    EXPECT_EQ(said_of(refused).kind, refusal_kind::DutyOverlaps);
    EXPECT_EQ(said_of(refused).text, "Dodawany dyżur nakłada się na już istniejący!\nDyżuru nie dodano.");
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 11, 420, 720), -1, false, 0));
    // And the other way round: a next-day morning duty refuses the night before it.
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 20, 420, 720), -1, false, 0));
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 19, 1200, 720, 0, 2), -1, false, 0));
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 19, 1140, 720, 0, 2), -1, false, 0));
}

TEST_F(DutyAdd, OvertimeCountsInTheOverlapAndTouchingEndsPass) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 6, 480, 455, 60), -1, false, 0));  // ends 16:35
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 6, 960, 60), -1, false, 0));
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 6, 995, 60), -1, false, 0));
    // A duty starting earlier that reaches into the first one.
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 6, 400, 81), -1, false, 0));
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 6, 400, 80), -1, false, 0));
}

TEST_F(DutyAdd, EditSkipsItsOwnOldCopyOnlyOnItsOwnDay) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 8, 420, 720), -1, false, 0));
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 8, 480, 720), 0, false, 0));
    ASSERT_EQ(dutiesOn(0, 8).size(), 1u);
    EXPECT_EQ(dutiesOn(0, 8)[0].start, 480);
    // Position 0 of the next day is not skipped when editing on day 8.
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 9, 420, 720), -1, false, 0));
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 8, 1200, 720, 0, 2), 0, false, 0));
}

TEST_F(DutyAdd, FirstAndLastDayHaveNoNeighbourToTest) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 31, 1140, 720, 0, 2), -1, false, 0));
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 1, 0 + 60, 300), -1, false, 0));
    EXPECT_EQ(dutiesOn(0, 31).size(), 1u);
}

TEST_F(DutyAdd, MidnightStartReachesIntoTheNextDay) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 12, 60, 300), -1, false, 0));  // 01:00-06:00 on the 12th
    // 24:00 on the 11th is 00:00 on the 12th: two hours reach 02:00.
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 11, 1440, 120), -1, false, 0));
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 11, 1440, 60), -1, false, 0));
    EXPECT_EQ(dutiesOn(0, 11)[0].start, 1440);
}

TEST_F(DutyAdd, RefusedDutyLeavesOnlyTheCounterAdvanced) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 2, 420, 720), -1, false, 0));
    const word counter = plan.dutyCounter;
    EXPECT_FALSE(dodaj_dyzur(plan, duty(0, 2, 600, 60), -1, false, 0));
    EXPECT_EQ(plan.dutyCounter, counter + 1);
    plan.dutyCounter = 0xFFFF;
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 3, 420, 720), -1, false, 0));
    EXPECT_NE(dutiesOn(0, 3)[0].id, 0);  // id 0 would read as "no duty"
}

TEST_F(DutyAdd, WeekModeCountsDaysFromTheFirstColumn) {
    plan.weekMode = true;
    plan.weekModeFrom = 5;
    EXPECT_TRUE(dodaj_dyzur(plan, duty(0, 7, 420, 720), -1, false, 0));
    EXPECT_EQ(month(0).duties[2].size(), 1u);
}

}  // namespace
}  // namespace planek::test
