// Edits keep the staffing counts of the shown month one worker at a time;
// after any sequence of them the counts must equal a full count.
#include "calendar/staffing.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/editing_fixture.h"

namespace planek::test {
namespace {

struct StaffingKept : EditingFixture {
    void SetUp() override {
        build();
        ASSERT_TRUE(dodaj_dyzur(plan, duty(1, 5, 420, 720), -1, false, 1));
        odswiez_iledy(plan);
        ASSERT_TRUE(iledy_aktualne(plan));
    }

    ::testing::AssertionResult CountsMatchAFullCount() {
        Plan fresh = plan;
        odswiez_iledy(fresh);
        for (size_t d = 0; d < plan.days.size(); ++d) {
            if (plan.days[d].shiftHeadcount != fresh.days[d].shiftHeadcount)
                return ::testing::AssertionFailure() << "headcount differs on day index " << d;
            if (plan.days[d].shiftMinutes != fresh.days[d].shiftMinutes)
                return ::testing::AssertionFailure() << "minutes differ on day index " << d;
        }
        if (!iledy_aktualne(plan)) return ::testing::AssertionFailure() << "counts marked stale";
        return ::testing::AssertionSuccess();
    }
};

TEST_F(StaffingKept, DropsMovesCopiesSplitsAndRemovals) {
    ASSERT_EQ(upusc_dyzur(plan, 0, 4, 1, true).outcome, drop_outcome::Added);
    EXPECT_EQ(plan.days[4].shiftHeadcount[0], 2);
    EXPECT_TRUE(CountsMatchAFullCount());
    ASSERT_EQ(upusc_panel_dyzuru(plan, "p0_4_0", 6, 2, false).outcome, drop_outcome::Moved);
    EXPECT_EQ(plan.days[4].shiftHeadcount[0], 1);
    EXPECT_TRUE(CountsMatchAFullCount());
    ASSERT_EQ(upusc_panel_dyzuru(plan, "p0_6_0", 9, 1, true).outcome, drop_outcome::Copied);
    EXPECT_TRUE(CountsMatchAFullCount());
    ASSERT_EQ(podziel_dyzur(plan, "p0_6_0", 0).outcome, split_outcome::Split);
    EXPECT_TRUE(CountsMatchAFullCount());
    kosz(plan, "p0_9_0");
    EXPECT_TRUE(CountsMatchAFullCount());
    usun_dyzur_dx(plan, 1, 0, 30, true, false, true, false, -1);
    EXPECT_EQ(plan.days[4].shiftHeadcount[0], 0);
    EXPECT_TRUE(CountsMatchAFullCount());
}

TEST_F(StaffingKept, RefusedEditsLeaveTheCountsAsTheyWere) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 5, 600, 60), -1, false, 0));
    odswiez_iledy(plan);
    const auto before = plan.days[4].shiftHeadcount;
    EXPECT_EQ(upusc_dyzur(plan, 0, 4, 1, true).outcome, drop_outcome::Refused);
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 6, 420, 720), -1, false, 0));
    odswiez_iledy(plan);
    EXPECT_EQ(upusc_panel_dyzuru(plan, "p0_5_0", 4, 1, false).outcome, drop_outcome::Refused);
    EXPECT_EQ(plan.days[4].shiftHeadcount, before);
    EXPECT_TRUE(CountsMatchAFullCount());
}

TEST_F(StaffingKept, DaysOffThatHideDutyMinutesAreCounted) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 3, 420, 720), -1, false, 0));
    odswiez_iledy(plan);
    wolne_ leave = dayOff(0, 'u', 2, 4);
    leave.normMinutes = 3 * 455;
    ASSERT_TRUE(dodaj_wolne(plan, leave, 0, true, true));
    EXPECT_TRUE(CountsMatchAFullCount());
    usun_wolne(plan, 0, 0, 30, true, false, false, false);
    EXPECT_TRUE(CountsMatchAFullCount());
}

TEST_F(StaffingKept, AnotherViewMakesTheCountsStaleUntilCountedAgain) {
    plan.currentGroup = 1;
    EXPECT_FALSE(iledy_aktualne(plan));
    // An edit while stale leaves them for the next full count.
    ASSERT_EQ(upusc_dyzur(plan, 0, 10, 1, true).outcome, drop_outcome::Added);
    EXPECT_FALSE(iledy_aktualne(plan));
    plan.currentGroup = 0;
    EXPECT_FALSE(iledy_aktualne(plan));
    odswiez_iledy_gdy_trzeba(plan);
    EXPECT_TRUE(CountsMatchAFullCount());
    plan.dutyAsFilter[0] = false;
    EXPECT_FALSE(iledy_aktualne(plan));
    plan.dutyAsFilter[0] = true;
    plan.groups[0].shifts.pop_back();
    EXPECT_FALSE(iledy_aktualne(plan));
}

TEST_F(StaffingKept, NestedSharesTakeTheWorkerOutOnce) {
    {
        const worker_staffing_share outer(plan, 1);
        EXPECT_EQ(plan.days[4].shiftHeadcount[0], 0);
        const worker_staffing_share inner(plan, 1);
        EXPECT_EQ(plan.days[4].shiftHeadcount[0], 0);
        EXPECT_FALSE(iledy_aktualne(plan));  // not to be read mid-edit
    }
    EXPECT_EQ(plan.days[4].shiftHeadcount[0], 1);
    {
        // A full count inside an edit already holds the worker.
        const worker_staffing_share share(plan, 1);
        odswiez_iledy(plan);
    }
    EXPECT_EQ(plan.days[4].shiftHeadcount[0], 1);
    EXPECT_TRUE(CountsMatchAFullCount());
    {
        const worker_staffing_share one(plan, 1);
        const worker_staffing_share other(plan, 0);
    }
    EXPECT_FALSE(iledy_aktualne(plan));  // two workers at once: counted afresh next time
}

}  // namespace
}  // namespace planek::test
