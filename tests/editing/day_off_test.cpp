#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/editing_fixture.h"
#include "support/no_user_contact.h"
#include "editing/symbols.h"

namespace planek::test {
namespace {

using DayOff = EditingFixture;

TEST_F(DayOff, MultiDayEntryFillsHeadAndCoveredSlots) {
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 9, 3), 0, false, true));  // ends swapped
    const ms_& m = month(0);
    const wolne_& head = m.daysOff[2];
    EXPECT_NE(head.id, 0);
    EXPECT_EQ(head.dayFrom, 3);
    EXPECT_EQ(head.dayTo, 9);
    EXPECT_EQ(head.firstIndex, 2);
    for (int i = 2; i <= 8; ++i) {
        EXPECT_EQ(m.daysOff[i].headIndex, 2) << i;
        EXPECT_TRUE(m.daysOff[i].blocks) << i;
        EXPECT_EQ(m.daysOff[i].symbol, 'u') << i;
    }
    EXPECT_EQ(m.daysOff[9].headIndex, kNoHead);
    EXPECT_FALSE(m.daysOff[3].used());
    EXPECT_TRUE(czy_juz_wolny(plan, 8, 0));
    EXPECT_FALSE(czy_juz_wolny(plan, 9, 0));
    EXPECT_FALSE(czy_juz_wolny(plan, 1, 0));
}

TEST_F(DayOff, LeaveIsCutAtAMedicalLeaveWithAMessage) {
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'z', 6, 12), 0, false, true));
    wolne_ leave = dayOff(0, 'u', 1, 10);
    leave.normMinutes = 8 * 455;
    const result<> cut = dodaj_wolne(plan, leave, 0, false, true);
    ASSERT_TRUE(cut);
    EXPECT_EQ(said_of(cut).kind, refusal_kind::DayOffEndCorrected);
    EXPECT_EQ(said_of(cut).text, "Poprawiono końcowy dzień trwania wolnego z 10 na 5");
    EXPECT_TRUE(ui->infos.empty());
    const ms_& m = month(0);
    EXPECT_EQ(m.daysOff[0].dayTo, 5);
    EXPECT_EQ(m.daysOff[0].normMinutes, 5 * 455);  // the five working days it kept
    EXPECT_EQ(m.daysOff[5].headIndex, 5);         // the medical leave keeps its days
    EXPECT_EQ(m.daysOff[5].symbol, 'z');
}

TEST_F(DayOff, RangeIsCutAtTheMonthEndEvenWithoutCorrection) {
    build(30);
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'i', 28, 31), 0, false, false));
    EXPECT_EQ(month(0).daysOff[27].dayTo, 30);
    EXPECT_EQ(month(0).daysOff[30].headIndex, kNoHead);
    EXPECT_FALSE(dodaj_wolne(plan, dayOff(0, 'i', 31, 31), 0, false, true));
}

TEST_F(DayOff, SundayDayOffInsideALeaveLeavesTheLeaveWhole) {
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 3, 9), 0, false, true));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, '1', 5, 5), 0, false, true));
    const ms_& m = month(0);
    EXPECT_TRUE(m.daysOff[4].used());
    EXPECT_EQ(m.daysOff[4].symbol, '1');
    EXPECT_TRUE(m.daysOff[4].blocks);
    EXPECT_EQ(m.daysOff[4].headIndex, 2);
    EXPECT_EQ(m.daysOff[2].dayTo, 9);
    // Removing the Sunday day off takes nothing from the leave's days.
    usun_wolne(plan, 0, 4, 4, true, false, false, false);
    EXPECT_FALSE(m.daysOff[4].used());
    EXPECT_TRUE(m.daysOff[4].blocks);
    EXPECT_EQ(m.daysOff[4].headIndex, 2);
    // And the other order: a leave laid over an earlier Sunday day off keeps it.
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, '1', 20, 20), 0, false, true));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 18, 22), 0, false, true));
    EXPECT_EQ(m.daysOff[19].symbol, '1');
    EXPECT_EQ(m.daysOff[17].dayTo, 22);
}

TEST_F(DayOff, SecondEntryOnADayOrABlockingOneInsideAnotherIsRefused) {
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 3, 9), 0, false, true));
    const Plan before = plan;
    const result<> sameDay = dodaj_wolne(plan, dayOff(0, 'i', 3, 3), 0, true, true);
    const result<> inside = dodaj_wolne(plan, dayOff(0, 'z', 5, 12), 0, true, true);
    EXPECT_FALSE(sameDay);
    EXPECT_FALSE(inside);
    EXPECT_TRUE(SameMonthTables(before, plan));
    EXPECT_EQ(said_of(sameDay).kind, refusal_kind::DayOffTaken);
    EXPECT_EQ(said_of(sameDay).text, "Wybrany pracownik ma już wstawione wolne w wybranym dniu.");
    EXPECT_EQ(said_of(inside).kind, refusal_kind::DayOffTaken);
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(DayOff, StoringAgainOverItselfDropsTheOldRange) {
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 3, 9), 0, false, true));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 3, 5), 0, false, true));
    const ms_& m = month(0);
    EXPECT_EQ(m.daysOff[2].dayTo, 5);
    EXPECT_TRUE(m.daysOff[4].blocks);
    EXPECT_FALSE(m.daysOff[5].blocks);
    EXPECT_EQ(m.daysOff[8].headIndex, kNoHead);
}

TEST_F(DayOff, UnknownWorkerGoesToTheOrphans) {
    EXPECT_FALSE(dodaj_wolne(plan, dayOff(0, 'u', 3, 4), 9, true, true));
    ASSERT_EQ(plan.orphanDaysOff.size(), 1u);
    EXPECT_TRUE(ui->questions.empty());
}

TEST_F(DayOff, LeaveTakesPreviousYearFirst) {
    prac& p = plan.workers[0];
    p.holidayPreviousYear = 600;
    p.holidayCurrentYear = 10000;
    wolne_ w = dayOff(0, 'u', 3, 4);
    w.normMinutes = 910;  // 15:10
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    ASSERT_EQ(ui->questions.size(), 1u);
    EXPECT_EQ(ui->questions[0], "Pomniejszyć ilość pozostałego, przysługującego urlopu?");
    EXPECT_EQ(p.holidayPreviousYear, 0);
    EXPECT_EQ(p.holidayCurrentYear, 10000 - 310);
    // Enough left from last year: only that balance drops.
    p.holidayPreviousYear = 1000;
    w = dayOff(0, 'a', 10, 10);
    w.normMinutes = 455;
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    EXPECT_EQ(p.holidayPreviousYear, 545);
    EXPECT_EQ(p.holidayCurrentYear, 10000 - 310);
    // Not enough left: the balance goes below zero by the overdraw.
    p.holidayPreviousYear = 0;
    p.holidayCurrentYear = 100;
    w = dayOff(0, 'u', 15, 15);
    w.normMinutes = 455;
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    EXPECT_EQ(p.holidayCurrentYear, 100 - 455);
}

TEST_F(DayOff, NoMeansTheBalanceStays) {
    plan.workers[0].holidayCurrentYear = 1000;
    wolne_ w = dayOff(0, 'u', 3, 4);
    w.normMinutes = 910;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 1000);
}

TEST_F(DayOff, CareInDaysOverTheLimitIsRefused) {
    plan.workers[0].careDays = 2;
    const Plan before = plan;
    // The refusal comes back before any question, and the rule tells no one.
    plan.ui = std::make_shared<NoUserContact>();
    const result<> refused = dodaj_wolne(plan, dayOff(0, 'o', 3, 5), 0, true, true);  // Wed..Fri
    EXPECT_FALSE(refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
    EXPECT_EQ(said_of(refused).kind, refusal_kind::CareDaysOverLimit);
    EXPECT_EQ(said_of(refused).text,
              "Wybrana liczba dni przekracza limit dni opieki dla wybranego pracownika!\nWolnego nie dodano.");
    plan.ui = ui;
    // Two days fit, and Yes takes them.
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'o', 4, 7), 0, true, true));  // Thu..Sun: 2 working days
    EXPECT_EQ(ui->questions.back(), "Pomniejszyć ilość pozostałych, przysługujących dni opieki?");
    EXPECT_EQ(plan.workers[0].careDays, 0);
}

TEST_F(DayOff, CareInHoursUsesTheNorm) {
    prac& p = plan.workers[0];
    p.careDaysMode = 1;
    p.careDays = 600;
    wolne_ w = dayOff(0, 'o', 3, 3);
    w.normMinutes = 455;
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    EXPECT_EQ(p.careDays, 145);
    w = dayOff(0, 'o', 10, 10);
    w.normMinutes = 455;
    const Plan before = plan;
    plan.ui = std::make_shared<NoUserContact>();
    const result<> refused = dodaj_wolne(plan, w, 0, true, true);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
    EXPECT_EQ(said_of(refused).kind, refusal_kind::CareDaysOverLimit);
    EXPECT_NE(said_of(refused).text.find("godzin opieki"), std::string::npos);
}

TEST_F(DayOff, RehabilitationLimitInWorkingDays) {
    plan.workers[0].rehaDays = 3;
    const Plan before = plan;
    plan.ui = std::make_shared<NoUserContact>();
    const result<> refused = dodaj_wolne(plan, dayOff(0, 'h', 1, 4), 0, true, true);
    EXPECT_FALSE(refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
    EXPECT_EQ(said_of(refused).kind, refusal_kind::RehaDaysOverLimit);
    EXPECT_EQ(said_of(refused).text,
              "Wybrana liczba dni przekracza limit dni urlopu rehabilitacyjnego dla wybranego pracownika!\n"
              "Wolnego nie dodano.");
    plan.ui = ui;
    ui->answers = {Answer::Yes};
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'h', 1, 3), 0, true, true));
    EXPECT_EQ(plan.workers[0].rehaDays, 0);
}

TEST_F(DayOff, WeekModeAsksNothingOnAddOrDelete) {
    plan.weekMode = true;
    plan.workers[0].rehaDays = 0;
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'h', 1, 3), 0, true, true));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 5, 6), 0, true, true));
    usun_wolne(plan, 0, 0, 30, true, false, false, true);
    EXPECT_TRUE(ui->questions.empty());
    EXPECT_TRUE(ui->warnings.empty());
    EXPECT_FALSE(month(0).daysOff[0].used());
}

TEST_F(DayOff, RemovalGivesAllowancesBackOnYes) {
    prac& p = plan.workers[0];
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 1, 2), 0, false, true));  // Mon, Tue
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'h', 8, 12), 0, false, true));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'z', 15, 16), 0, false, true));
    ui->answers = {Answer::Yes, Answer::Yes};
    usun_wolne(plan, 0, 0, 30, true, false, false, true);
    ASSERT_EQ(ui->questions.size(), 2u);  // the medical leave draws on no allowance
    EXPECT_EQ(ui->questions[0], "Czy przywrócić czas usuwanego urlopu do puli przysługującego pracownikowi (Anna Nowak)?");
    EXPECT_EQ(p.holidayCurrentYear, 2 * 455);
    EXPECT_EQ(p.rehaDays, 5);
    for (int i = 0; i < 31; ++i) {
        EXPECT_FALSE(month(0).daysOff[i].used()) << i;
        EXPECT_FALSE(month(0).daysOff[i].blocks) << i;
    }
}

TEST_F(DayOff, RemovalSwitches) {
    wolne_ proposal = dayOff(0, 'i', 3, 3);
    proposal.loaded = false;
    ASSERT_TRUE(dodaj_wolne(plan, proposal, 0, false, true));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'i', 5, 5), 0, false, true));
    wolne_ other = dayOff(0, 'i', 7, 7);
    other.groupId = 2;
    ASSERT_TRUE(dodaj_wolne(plan, other, 0, false, true));
    // No to the confirmation leaves everything.
    usun_wolne(plan, 0, 0, 30, false, false, false, false);
    EXPECT_EQ(ui->questions.back(), "Czy napewno usunąć?");
    EXPECT_TRUE(month(0).daysOff[2].used());
    usun_wolne(plan, 0, 0, 30, true, false, true, false);  // keep accepted ones
    EXPECT_FALSE(month(0).daysOff[2].used());
    EXPECT_TRUE(month(0).daysOff[4].used());
    usun_wolne(plan, 0, 0, 30, true, true, false, false);  // selected group only
    EXPECT_FALSE(month(0).daysOff[4].used());
    EXPECT_TRUE(month(0).daysOff[6].used());
}

TEST_F(DayOff, NoDutyWantedDayHoldsTheShiftAndRemovesItsKind) {
    wolne_ w = dayOff(0, char(0xBF), 4, 9);
    w.normMinutes = 2;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, true, true));
    const ms_& m = month(0);
    EXPECT_EQ(m.daysOff[3].dayTo, 4);
    EXPECT_EQ(m.daysOff[3].normMinutes, 2);
    EXPECT_FALSE(m.daysOff[3].blocks);
    EXPECT_EQ(m.daysOff[4].headIndex, kNoHead);
    EXPECT_TRUE(ui->infos.empty());
    EXPECT_TRUE(czy_juz_wolny(plan, 3, 0));
    usun_wolne(plan, 0, 3, 3, true, false, false, true);
    EXPECT_EQ(m.daysOff[3].symbol, 0);
    EXPECT_FALSE(m.daysOff[3].used());
}

TEST_F(DayOff, LeaveNormFollowsARemovedDutyOnlyLeaveTouchesTheBalance) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 3, 420, 720), -1, false, 0));
    wolne_ w = dayOff(0, 'u', 2, 4);
    w.normMinutes = 455 + 720 + 455;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, false, true));
    plan.workers[0].holidayCurrentYear = 1000;
    month(0).duties[2].clear();
    aktualizuj_urlop(plan, 0, 2);
    EXPECT_EQ(month(0).daysOff[1].normMinutes, 3 * 455);
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 1000 + 720 - 455);
    // A medical leave takes its new norm but no leave balance changes.
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 11, 420, 720), -1, false, 0));
    wolne_ z = dayOff(0, 'z', 10, 11);
    z.normMinutes = 455 + 720;
    ASSERT_TRUE(dodaj_wolne(plan, z, 0, false, true));
    month(0).duties[10].clear();
    aktualizuj_urlop(plan, 0, 10);
    EXPECT_EQ(month(0).daysOff[9].normMinutes, 2 * 455);
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 1000 + 720 - 455);
}

TEST_F(DayOff, CorrectionsGoToTheKindsOwnAllowanceInItsUnit) {
    prac& p = plan.workers[0];
    p.holidayCurrentYear = 1000;
    p.careDays = 5;
    p.rehaDays = 5;
    ui->answers = {Answer::Yes, Answer::Yes, Answer::Yes, Answer::No};
    korekta_wolne(plan, 0, -455, false, 'u');
    EXPECT_EQ(ui->questions[0], "Czy dokonać korekty rocznego limitu urlopu (w wymiarze: -07:35 godz.)?");
    EXPECT_EQ(p.holidayCurrentYear, 545);
    korekta_wolne(plan, 0, 910, false, 'o');  // two days of 7:35
    EXPECT_EQ(p.careDays, 7);
    korekta_wolne(plan, 0, -455, false, 'h');
    EXPECT_EQ(p.rehaDays, 4);
    korekta_wolne(plan, 0, 455, false, 'u');  // No
    EXPECT_EQ(p.holidayCurrentYear, 545);
    korekta_wolne(plan, 0, 455, false, 'z');  // no allowance: no question
    korekta_wolne(plan, 0, 455, true, 'a');
    EXPECT_EQ(ui->questions.size(), 4u);
    EXPECT_EQ(p.holidayCurrentYear, 1000);
    p.careDaysMode = 1;
    korekta_wolne(plan, 0, 30, true, 'o');
    EXPECT_EQ(p.careDays, 37);
}

}  // namespace
}  // namespace planek::test
