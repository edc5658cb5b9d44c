#include <random>

#include "editing/calendar_calls.h"
#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/editing_fixture.h"
#include "editing/worker_model.h"

namespace planek::test {
namespace {

using LeaveBalance = EditingFixture;

struct balances {
    std::int32_t current, previous, care, reha;
    bool operator==(const balances&) const = default;
};

balances of(const prac& p) { return {p.holidayCurrentYear, p.holidayPreviousYear, p.careDays, p.rehaDays}; }

std::ostream& operator<<(std::ostream& os, const balances& b) {
    return os << "current " << b.current << ", previous " << b.previous << ", care " << b.care << ", reha "
              << b.reha;
}

// Adding a day off with Yes to the allowance question and removing it with
// Yes to the give-back leaves every balance as it was, whatever the balances
// and however far the day off overdraws them.
TEST_F(LeaveBalance, AddThenRemoveRestoresEveryBalanceOfEveryKind) {
    std::mt19937 random(20261209);
    auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const char kinds[] = {'u', 'a', 'o', 'h', 'z', 'i', '1'};
    prac& p = plan.workers[0];
    for (int round = 0; round < 400; ++round) {
        const char kind = kinds[round % std::size(kinds)];
        p.careDaysMode = byte(between(0, 1));
        p.holidayCurrentYear = between(-600, 3000);
        p.holidayPreviousYear = between(0, 1) ? 0 : between(0, 2000);
        p.careDays = p.careDaysMode ? between(0, 3000) : between(0, 6);
        p.rehaDays = between(0, 12);
        const balances before = of(p);
        const int from = between(1, 31);
        wolne_ w = dayOff(0, kind, from, std::min(31, from + between(0, 9)));
        // The norm as the dialog gives it: of the range, or typed.
        w.customNorm = between(0, 2) == 0;
        w.customNormMinutes = w.customNorm ? word(between(0, 6000)) : 0;
        w.normMinutes = word(day_off_norm_for(plan, from - 1, int(w.dayTo) - 1, 0, w));
        ui->answers = {Answer::Yes};
        const bool stored = dodaj_wolne(plan, w, 0, true, true).ok();
        ui->answers = {Answer::Yes};
        usun_wolne(plan, 0, 0, 30, true, false, false, true);
        EXPECT_EQ(of(p), before) << "round " << round << ", kind " << kind << ", days " << int(w.dayFrom) << "-"
                                 << int(w.dayTo) << ", norm " << w.normMinutes << ", stored " << stored;
        EXPECT_FALSE(month(0).daysOff[from - 1].used());
    }
}

TEST_F(LeaveBalance, AnOverdrawShowsAsANegativeBalance) {
    prac& p = plan.workers[0];
    p.holidayCurrentYear = 100;  // 1:40
    wolne_ w = dayOff(0, 'u', 15, 15);
    w.normMinutes = 455;  // 7:35
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    EXPECT_EQ(p.holidayCurrentYear, 100 - 455);
    ui->answers = {Answer::Yes};
    usun_wolne(plan, 0, 14, 14, true, false, false, true);
    EXPECT_EQ(p.holidayCurrentYear, 100);
}

TEST_F(LeaveBalance, LastYearsShareGoesBackThereAlsoAfterAnEdit) {
    prac& p = plan.workers[0];
    p.holidayPreviousYear = 600;
    p.holidayCurrentYear = 1000;
    wolne_ w = dayOff(0, 'u', 2, 3);  // Tuesday, Wednesday
    w.normMinutes = 910;
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    EXPECT_EQ(of(p), (balances{690, 0, 0, 0}));
    // The dialog stores an edited day off over itself.
    w.groupId = 2;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, false, true));
    ui->answers = {Answer::Yes};
    usun_wolne(plan, 0, 1, 1, true, false, false, true);
    EXPECT_EQ(of(p), (balances{1000, 600, 0, 0}));
}

TEST_F(LeaveBalance, NormFollowingADutyKeepsTheBooksBalanced) {
    prac& p = plan.workers[0];
    p.holidayCurrentYear = 200;
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 3, 420, 720), -1, false, 0));
    wolne_ w = dayOff(0, 'u', 2, 4);
    w.normMinutes = 455 + 720 + 455;
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    EXPECT_EQ(p.holidayCurrentYear, 200 - 1630);
    // The duty goes: the leave is worth less and gives the difference back.
    month(0).duties[2].clear();
    aktualizuj_urlop(plan, 0, 2);
    EXPECT_EQ(p.holidayCurrentYear, 200 - 3 * 455);
    ui->answers = {Answer::Yes};
    usun_wolne(plan, 0, 1, 1, true, false, false, true);
    EXPECT_EQ(p.holidayCurrentYear, 200);
}

TEST_F(LeaveBalance, TheWorkerDialogKeepsAnOverdrawnBalance) {
    prac& p = plan.workers[0];
    p.holidayCurrentYear = -355;
    p.holidayPreviousYear = -5;
    worker_dialog_model m;
    ASSERT_TRUE(m.openEdit(plan, 0));
    EXPECT_EQ(m.f.currentYearHoliday, "-05:55");
    ASSERT_TRUE(m.ok(plan));
    EXPECT_EQ(p.holidayCurrentYear, -355);
    EXPECT_EQ(p.holidayPreviousYear, -5);
    // And a typed overdraw is taken as it is.
    ASSERT_TRUE(m.openEdit(plan, 0));
    m.f.currentYearHoliday = "-2:30";
    ASSERT_TRUE(m.ok(plan));
    EXPECT_EQ(p.holidayCurrentYear, -150);
}

}  // namespace
}  // namespace planek::test
