#include "editing/day_off_add.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/duty_moves.h"
#include "editing/duty_remove.h"
#include "editing/editing_fixture.h"

namespace planek::test {
namespace {

struct Moves : EditingFixture {
    void add(int w, int day, int start, int length, int shift = 1, int overtime = 0) {
        ASSERT_TRUE(dodaj_dyzur(plan, duty(w, day, start, length, overtime, shift), -1, false, w));
    }
};

TEST_F(Moves, RemovingTheMiddleOfThreeRenamesTheThird) {
    add(0, 5, 60, 60);
    add(0, 5, 180, 60);
    add(0, 5, 300, 60);
    const auto renames = usun_dyzur_dx(plan, 0, 4, 4, true, false, true, false, 1);
    ASSERT_EQ(renames.size(), 1u);
    EXPECT_EQ(renames[0].from, "p0_4_2");
    EXPECT_EQ(renames[0].to, "p0_4_1");
    ASSERT_EQ(dutiesOn(0, 5).size(), 2u);
    EXPECT_EQ(dutiesOn(0, 5)[1].start, 300);
}

TEST_F(Moves, RemovalAsksUnlessToldNotToAndHonoursItsFilters) {
    add(0, 5, 60, 60);
    dyzur proposal = duty(0, 5, 180, 60);
    proposal.loaded = false;
    ASSERT_TRUE(dodaj_dyzur(plan, proposal, -1, false, 0));
    dyzur other = duty(0, 5, 300, 60);
    other.groupId = 2;
    ASSERT_TRUE(dodaj_dyzur(plan, other, -1, false, 0));
    usun_dyzur_dx(plan, 0, 0, 30, false, false, false, false, -1);
    EXPECT_EQ(ui->questions.back(), "Czy napewno usunąć?");
    EXPECT_EQ(dutiesOn(0, 5).size(), 3u);
    usun_dyzur_dx(plan, 0, 0, 30, true, true, false, false, -1);  // proposals only
    ASSERT_EQ(dutiesOn(0, 5).size(), 2u);
    usun_dyzur_dx(plan, 0, 0, 30, true, false, false, true, -1);  // selected group only
    ASSERT_EQ(dutiesOn(0, 5).size(), 1u);
    EXPECT_EQ(dutiesOn(0, 5)[0].groupId, 2);
    usun_dyzur_dx(plan, 0, 0, 30, true, false, false, false, -1);
    EXPECT_TRUE(dutiesOn(0, 5).empty());
}

TEST_F(Moves, RemovingADutyInsideALeaveSettlesTheLeave) {
    add(0, 3, 420, 720);
    wolne_ w = dayOff(0, 'u', 2, 4);
    w.normMinutes = 455 + 720 + 455;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, false, true));
    plan.workers[0].holidayCurrentYear = 100;
    kosz(plan, "p0_2_0");
    EXPECT_TRUE(dutiesOn(0, 3).empty());
    EXPECT_EQ(month(0).daysOff[1].normMinutes, 3 * 455);
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 100 + 720 - 455);
}

TEST_F(Moves, MoveOntoAnOverlapIsRefusedAndTheDutyStaysPut) {
    add(0, 5, 60, 60);
    add(0, 5, 420, 720);
    add(0, 5, 1260, 60);
    add(0, 6, 480, 600);
    const Plan before = plan;
    const drop_result r = upusc_panel_dyzuru(plan, "p0_4_1", 5, 1, false);
    EXPECT_EQ(r.outcome, drop_outcome::Refused);
    EXPECT_EQ(r.said.kind, refusal_kind::DutyOverlaps);
    EXPECT_EQ(r.said.text, "Dodawany dyżur nakłada się na już istniejący!\nDyżuru nie dodano.");
    EXPECT_TRUE(ui->warnings.empty());  // the caller shows it
    EXPECT_TRUE(SameMonthTables(before, plan));
}

TEST_F(Moves, MoveKeepsStartOnTheSameShiftAndTakesTheNewShiftsStart) {
    add(0, 5, 480, 600);
    drop_result r = upusc_panel_dyzuru(plan, "p0_4_0", 9, 1, false);
    ASSERT_EQ(r.outcome, drop_outcome::Moved);
    EXPECT_EQ(r.panel, "p0_9_0");
    EXPECT_TRUE(dutiesOn(0, 5).empty());
    ASSERT_EQ(dutiesOn(0, 10).size(), 1u);
    EXPECT_EQ(dutiesOn(0, 10)[0].start, 480);
    EXPECT_EQ(dutiesOn(0, 10)[0].dayIndex, 9);
    r = upusc_panel_dyzuru(plan, "p0_9_0", 9, 2, false);
    ASSERT_EQ(r.outcome, drop_outcome::Moved);
    EXPECT_EQ(dutiesOn(0, 10)[0].start, 1140);
    EXPECT_EQ(dutiesOn(0, 10)[0].shift, 2);
    // Its own day and shift: nothing happens.
    const Plan before = plan;
    EXPECT_EQ(upusc_panel_dyzuru(plan, "p0_9_0", 9, 2, false).outcome, drop_outcome::Nothing);
    EXPECT_TRUE(SameMonthTables(before, plan));
}

TEST_F(Moves, CtrlCopiesAndMakesTheWorkerCurrent) {
    add(1, 5, 420, 720);
    const drop_result r = upusc_panel_dyzuru(plan, "p1_4_0", 6, 1, true);
    ASSERT_EQ(r.outcome, drop_outcome::Copied);
    EXPECT_EQ(dutiesOn(1, 5).size(), 1u);
    EXPECT_EQ(dutiesOn(1, 7).size(), 1u);
    EXPECT_EQ(plan.currentWorker, 1);
}

TEST_F(Moves, NewDutyDropOpensTheDialogOrWithCtrlAddsTheWholeShift) {
    plan.workers[0].employmentFrom = 2;
    drop_result r = upusc_dyzur(plan, 0, 7, 2, false);
    ASSERT_EQ(r.outcome, drop_outcome::OpenDutyDialog);
    EXPECT_EQ(r.duty.start, 1140);
    EXPECT_EQ(r.duty.length, 720);
    EXPECT_EQ(r.duty.day, 8);
    EXPECT_EQ(r.duty.dutyAs, 3);
    EXPECT_EQ(r.duty.groupId, 1);
    EXPECT_TRUE(dutiesOn(0, 8).empty());
    r = upusc_dyzur(plan, 0, 7, 2, true);
    ASSERT_EQ(r.outcome, drop_outcome::Added);
    EXPECT_EQ(r.panel, "p0_7_0");
    ASSERT_EQ(dutiesOn(0, 8).size(), 1u);
    EXPECT_EQ(dutiesOn(0, 8)[0].start, 1140);
    // A refused Ctrl drop leaves nothing behind.
    add(0, 8, 600, 60);
    const Plan before = plan;
    EXPECT_EQ(upusc_dyzur(plan, 0, 7, 1, true).outcome, drop_outcome::Refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
}

TEST_F(Moves, DropOnANoDutyDayAsksFirst) {
    wolne_ w = dayOff(0, char(0xBF), 4, 4);
    w.normMinutes = 1;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, false, true));
    const Plan before = plan;
    EXPECT_EQ(upusc_dyzur(plan, 0, 3, 1, true).outcome, drop_outcome::Cancelled);
    EXPECT_EQ(ui->questions.back(),
              "Wybrany pracownik nie chce pracować na tej zmianie. \n\nZignorować to i wstawić dyżur?");
    EXPECT_TRUE(SameMonthTables(before, plan));
    // The other shift of that day is not the one refused.
    EXPECT_EQ(upusc_dyzur(plan, 0, 3, 2, true).outcome, drop_outcome::Added);
    ui->answers = {Answer::Yes};
    EXPECT_EQ(upusc_dyzur(plan, 0, 2, 1, true).outcome, drop_outcome::Added);  // no question on the 3rd
    EXPECT_EQ(ui->questions.size(), 1u);
}

TEST_F(Moves, DropsNeedAWorkerWhoIsNotArchived) {
    plan.workers[1].old = true;
    const Plan before = plan;
    const drop_result blocked = upusc_dyzur(plan, 1, 3, 1, true);
    EXPECT_EQ(blocked.outcome, drop_outcome::Refused);
    EXPECT_EQ(blocked.said.kind, refusal_kind::WorkerBlocked);
    EXPECT_EQ(blocked.said.text, "Wybrany pracownik jest zablokowany. Nie można wykonać polecenia.");
    EXPECT_EQ(upusc_wolne(plan, 1, 3).said.kind, refusal_kind::WorkerBlocked);
    EXPECT_TRUE(SameMonthTables(before, plan));
    // A worker index that is not there is refused without a word.
    EXPECT_EQ(upusc_dyzur(plan, 9, 3, 1, true).said.kind, refusal_kind::None);
    plan.workers.clear();
    const drop_result none = upusc_dyzur(plan, 0, 3, 1, true);
    EXPECT_EQ(none.outcome, drop_outcome::Refused);
    EXPECT_EQ(none.said.text, "Najpierw należy dodać pracownika.");
    EXPECT_TRUE(ui->warnings.empty());
}

TEST_F(Moves, NewDayOffDropOnlyOnAFreeDay) {
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'u', 3, 6), 0, false, true));
    const drop_result taken = upusc_wolne(plan, 0, 4);
    EXPECT_EQ(taken.outcome, drop_outcome::Refused);
    EXPECT_EQ(taken.said.text, "Wybrany pracownik ma już wstawione wolne w wybranym dniu.");
    const drop_result r = upusc_wolne(plan, 0, 6);
    EXPECT_EQ(r.outcome, drop_outcome::OpenDayOffDialog);
    EXPECT_EQ(r.dayIndex, 6);
}

TEST_F(Moves, DayOffMoveKeepsKindAndDaysAndOffersTheCorrection) {
    wolne_ w = dayOff(0, 'u', 1, 2);  // Mon, Tue
    w.normMinutes = 910;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, false, true));
    plan.workers[0].holidayCurrentYear = 1000;
    ui->answers = {Answer::Yes};
    const drop_result r = upusc_panel_wolnego(plan, "u0_0", 5);  // Sat, Sun
    ASSERT_EQ(r.outcome, drop_outcome::Moved);
    EXPECT_EQ(r.panel, "u0_5");
    const ms_& m = month(0);
    EXPECT_FALSE(m.daysOff[0].used());
    EXPECT_FALSE(m.daysOff[1].blocks);
    EXPECT_EQ(m.daysOff[5].dayFrom, 6);
    EXPECT_EQ(m.daysOff[5].dayTo, 7);
    EXPECT_EQ(m.daysOff[5].symbol, 'u');
    EXPECT_EQ(m.daysOff[5].normMinutes, 0);
    EXPECT_EQ(ui->questions.back(), "Czy dokonać korekty rocznego limitu urlopu (w wymiarze: 15:10 godz.)?");
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 1910);
    // Clipped at the month's end; refused onto a day where one starts.
    EXPECT_EQ(upusc_panel_wolnego(plan, "u0_5", 30).outcome, drop_outcome::Moved);
    EXPECT_EQ(m.daysOff[30].dayTo, 31);
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'i', 10, 10), 0, false, true));
    const Plan before = plan;
    EXPECT_EQ(upusc_panel_wolnego(plan, "u0_30", 9).outcome, drop_outcome::Refused);
    EXPECT_EQ(upusc_panel_wolnego(plan, "u0_30", 30).outcome, drop_outcome::Refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
}

TEST_F(Moves, SplitOfANightDuty) {
    add(0, 10, 1140, 720, 2);
    EXPECT_EQ(podziel_dyzur(plan, "p0_9_0", 420).outcome, split_outcome::Unchanged);  // its end
    EXPECT_EQ(podziel_dyzur(plan, "p0_9_0", 1140).outcome, split_outcome::Unchanged);  // its start
    EXPECT_EQ(dutiesOn(0, 10)[0].length, 720);
    const split_result r = podziel_dyzur(plan, "p0_9_0", 60);
    ASSERT_EQ(r.outcome, split_outcome::Split);
    EXPECT_EQ(r.secondPanel, "p0_10_0");
    EXPECT_EQ(dutiesOn(0, 10)[0].start, 1140);
    EXPECT_EQ(dutiesOn(0, 10)[0].length, 360);
    ASSERT_EQ(dutiesOn(0, 11).size(), 1u);
    const dyzur& second = dutiesOn(0, 11)[0];
    EXPECT_EQ(second.start, 60);
    EXPECT_EQ(second.length, 360);
    EXPECT_EQ(second.shift, 1);
    EXPECT_EQ(second.day, 11);
}

TEST_F(Moves, SplitInTheDayAndAtMidnight) {
    add(0, 4, 420, 720, 1, 30);
    ASSERT_EQ(podziel_dyzur(plan, "p0_3_0", 600).outcome, split_outcome::Split);
    ASSERT_EQ(dutiesOn(0, 4).size(), 2u);
    EXPECT_EQ(dutiesOn(0, 4)[0].length, 180);
    EXPECT_EQ(dutiesOn(0, 4)[0].overtime, 0);  // the overtime follows the end
    EXPECT_EQ(dutiesOn(0, 4)[1].start, 600);
    EXPECT_EQ(dutiesOn(0, 4)[1].length, 540);
    EXPECT_EQ(dutiesOn(0, 4)[1].overtime, 30);
    add(0, 8, 1260, 360, 2);
    ASSERT_EQ(podziel_dyzur(plan, "p0_7_0", 0).outcome, split_outcome::Split);
    ASSERT_EQ(dutiesOn(0, 8).size(), 2u);
    EXPECT_EQ(dutiesOn(0, 8)[1].start, 1440);  // 24:00, not "the shift's start"
    EXPECT_EQ(dutiesOn(0, 8)[1].length, 180);
}

TEST_F(Moves, SplitRefusals) {
    add(0, 31, 1140, 720, 2);
    const Plan before = plan;
    const split_result lastDay = podziel_dyzur(plan, "p0_30_0", 60);
    EXPECT_EQ(lastDay.outcome, split_outcome::RefusedLastDay);
    EXPECT_EQ(lastDay.said.kind, refusal_kind::SplitOnLastDay);
    EXPECT_EQ(lastDay.said.text,
              "Nie można podzielić dyżuru w ostatnim dniu miesiąca, jeżeli godzina podziału wypada o północy lub "
              "później.");
    EXPECT_TRUE(SameMonthTables(before, plan));
    // Before midnight on the last day is fine.
    EXPECT_EQ(podziel_dyzur(plan, "p0_30_0", 1200).outcome, split_outcome::Split);
    // The second part would meet a duty of the next day: the first keeps its length.
    // Only the day's limit can refuse the second part: it covers nothing the
    // whole duty did not.
    add(0, 15, 1140, 720, 2);
    for (int i = 0; i < 10; ++i) add(0, 16, 420 + i * 60, 30);
    const Plan before2 = plan;
    EXPECT_EQ(podziel_dyzur(plan, "p0_14_0", 60).outcome, split_outcome::Refused);
    EXPECT_TRUE(SameMonthTables(before2, plan));
}

TEST_F(Moves, DeleteAsksForADutyTakenOnRequest) {
    dyzur d = duty(0, 5, 420, 720);
    d.onRequest = true;
    ASSERT_TRUE(dodaj_dyzur(plan, d, -1, false, 0));
    EXPECT_FALSE(usun_dyzur_panelu(plan, "p0_4_0"));
    EXPECT_EQ(ui->questions.back(),
              "Dyżur, który chcesz usunąć został oznaczony jako \"na życzenie\"\n Czy na pewno go usunąć?");
    EXPECT_EQ(dutiesOn(0, 5).size(), 1u);
    ui->answers = {Answer::Yes};
    EXPECT_TRUE(usun_dyzur_panelu(plan, "p0_4_0"));
    EXPECT_TRUE(dutiesOn(0, 5).empty());
    add(0, 6, 420, 720);
    EXPECT_TRUE(usun_dyzur_panelu(plan, "p0_5_0"));
    EXPECT_EQ(ui->questions.size(), 2u);
}

TEST_F(Moves, TrashTakesDayOffsWithTheAllowanceQuestion) {
    wolne_ w = dayOff(0, 'u', 1, 1);
    w.groupId = 2;
    w.loaded = true;
    ASSERT_TRUE(dodaj_wolne(plan, w, 0, false, true));
    ui->answers = {Answer::Yes};
    kosz(plan, "u0_0");
    EXPECT_FALSE(month(0).daysOff[0].used());
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 455);
}

TEST_F(Moves, BulkCommandsAskThenRemoveTheirScope) {
    add(0, 2, 420, 720);
    add(1, 2, 420, 720);
    dyzur other = duty(1, 3, 420, 720);
    other.groupId = 2;
    ASSERT_TRUE(dodaj_dyzur(plan, other, -1, false, 1));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(0, 'i', 9, 9), 0, false, true));
    ASSERT_TRUE(dodaj_wolne(plan, dayOff(1, 'i', 9, 9), 1, false, true));
    const Plan before = plan;
    EXPECT_FALSE(usun_zbiorczo(plan, bulk_removal::AllDuties));
    EXPECT_EQ(ui->questions.back(),
              "Usunąć wszystkie dyżury wszystkich grup w wybranym miesiącu? \n Uwaga! Podjętej decyzji już nie "
              "będzie można cofnąć.");
    EXPECT_TRUE(SameMonthTables(before, plan));
    ui->fallback = Answer::Yes;
    EXPECT_TRUE(usun_zbiorczo(plan, bulk_removal::DutiesOfGroup));
    EXPECT_TRUE(dutiesOn(0, 2).empty());
    EXPECT_TRUE(dutiesOn(1, 2).empty());
    EXPECT_EQ(dutiesOn(1, 3).size(), 1u);
    EXPECT_TRUE(usun_zbiorczo(plan, bulk_removal::DaysOffOfWorker));
    EXPECT_FALSE(month(0).daysOff[8].used());
    EXPECT_TRUE(month(1).daysOff[8].used());
    EXPECT_TRUE(usun_zbiorczo(plan, bulk_removal::AllDaysOff));
    EXPECT_FALSE(month(1).daysOff[8].used());
    plan.currentWorker = 1;
    EXPECT_TRUE(usun_zbiorczo(plan, bulk_removal::DutiesOfWorker));
    EXPECT_TRUE(dutiesOn(1, 3).empty());
}

TEST_F(Moves, AddActionsNeedAValidSelectedCell) {
    plan.selectedCellDay = -1;
    const drop_result noCell = a_DutyAddExecute(plan);
    EXPECT_EQ(noCell.outcome, drop_outcome::Refused);
    EXPECT_EQ(noCell.said.text, "Zaznacz na kalendarzu prawidłowy dzień lub noc, \n w którym ma być wstawiony dyżur.");
    EXPECT_EQ(a_DayOffAddExecute(plan).said.kind, refusal_kind::NoCellSelected);
    plan.selectedCellDay = 4;
    plan.selectedCellShift = 2;
    const drop_result r = a_DutyAddExecute(plan);
    EXPECT_EQ(r.outcome, drop_outcome::OpenDutyDialog);
    EXPECT_EQ(r.duty.start, 1140);
    EXPECT_EQ(a_DayOffAddExecute(plan).outcome, drop_outcome::OpenDayOffDialog);
}

TEST_F(Moves, RemoveDialog) {
    remove_dialog_model m;
    m.open("mi_RemoveDuties");
    EXPECT_TRUE(m.duties);
    EXPECT_FALSE(m.daysOff);
    m.open("mi_Removedayoff");
    EXPECT_FALSE(m.duties);
    EXPECT_TRUE(m.daysOff);
    EXPECT_EQ(m.workerScopeCaption(plan), "tylko dla: Nowak Anna");
    EXPECT_EQ(m.groupScopeCaption(plan), "z grupy: Interna");
    add(0, 2, 420, 720);
    add(1, 2, 420, 720);
    m.duties = true;
    m.daysOff = false;
    EXPECT_FALSE(m.ok(plan));
    EXPECT_EQ(dutiesOn(0, 2).size(), 1u);
    ui->answers = {Answer::Yes};
    EXPECT_TRUE(m.ok(plan));
    EXPECT_TRUE(dutiesOn(0, 2).empty());
    EXPECT_EQ(dutiesOn(1, 2).size(), 1u);
    m.currentWorkerOnly = false;
    ui->answers = {Answer::Yes};
    EXPECT_TRUE(m.ok(plan));
    EXPECT_TRUE(dutiesOn(1, 2).empty());
    m.duties = false;
    EXPECT_FALSE(m.ok(plan));  // nothing ticked: not even the question
    EXPECT_EQ(ui->questions.size(), 3u);
}

}  // namespace
}  // namespace planek::test
