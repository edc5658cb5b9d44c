#include "editing/day_off_add.h"
#include "editing/day_off_dialog_model.h"
#include "editing/day_off_rules.h"
#include "editing/duty_add.h"
#include "editing/calendar_calls.h"
#include "editing/duty_dialog_model.h"
#include "editing/duty_moves.h"
#include "core/text.h"
#include "editing/editing_fixture.h"
#include "support/no_user_contact.h"

namespace planek::test {
namespace {

struct DutyDialog : EditingFixture {
    duty_dialog_model model;

    // The dialog opens on the figures as the document keeps them: counted.
    void openOn(int dayIndex, int shift) {
        const drop_result r = upusc_dyzur(plan, 0, dayIndex, shift, false);
        ASSERT_EQ(r.outcome, drop_outcome::OpenDutyDialog);
        refresh_worker(plan, 0);
        model.openAdd(plan, 0, dayIndex, r.duty);
    }
};

TEST_F(DutyDialog, OpensWithTheDropsShiftAndListsLiveGroups) {
    plan.groups[1].old = true;
    openOn(7, 2);
    EXPECT_EQ(model.type, duty_type::WholeShift);
    EXPECT_EQ(model.startText, "19:00");
    EXPECT_EQ(model.length(plan), 720);
    EXPECT_EQ(model.groupEntries(plan), std::vector<std::string>{"1=Interna"});
    EXPECT_EQ(model.groupIndex, 0);
    EXPECT_EQ(model.captionLine(plan), "Nowak Anna");
    EXPECT_EQ(model.dateLine(plan), "8 marca 2027");  // the month in the genitive
    plan.tr.set("MostUsedValues", "muv_MonthsOf",
                "January¤February¤March¤April¤May¤June¤July¤August¤September¤October¤November¤December");
    EXPECT_EQ(model.dateLine(plan), "8 March 2027");
    EXPECT_EQ(model.shiftBarLabels(plan), "| 19:00\t07:00 |");
    plan.weekMode = true;
    EXPECT_EQ(model.dateLine(plan), "8 tydzień");
}

TEST_F(DutyDialog, LengthOfEachType) {
    month(0).ownNorm = true;
    month(0).ownNormCalculated = true;
    month(0).ownNormValue = 480;
    openOn(3, 1);
    model.type = duty_type::Eight;
    EXPECT_EQ(model.length(plan), 455);
    EXPECT_TRUE(model.worker8Visible(plan));
    model.setWorker8(true);
    EXPECT_EQ(model.length(plan), 480);
    model.type = duty_type::GroupTopUp;
    plan.calendar.normRemainder = 460;
    EXPECT_EQ(model.length(plan), 460);
    model.setTimeText("5:30");
    EXPECT_EQ(model.type, duty_type::Other);
    EXPECT_EQ(model.length(plan), 330);
    model.type = duty_type::WorkerTopUp;
    month(0).workerNorm = 9100;
    month(0).sum.total[0].workedMinutes = 8640;
    EXPECT_EQ(model.length(plan), 460);
    model.type = duty_type::None;
    EXPECT_EQ(model.length(plan), -1);
}

TEST_F(DutyDialog, BarFollowsTheStartAndStopsAtTheShiftsEnd) {
    openOn(3, 1);
    model.type = duty_type::Eight;
    duty_bar b = model.bar(plan);
    ASSERT_TRUE(b.enabled);
    EXPECT_EQ(b.max, 719);
    EXPECT_EQ(b.thumb, 455);
    EXPECT_EQ(b.position, 0);
    EXPECT_EQ(b.hint, "07:00 - 14:35");
    EXPECT_EQ(model.typeCaption(plan), "Czas trwania dyżuru: 07:35");
    EXPECT_TRUE(model.moveBar(plan, 100));
    EXPECT_EQ(model.startText, "08:40");
    EXPECT_FALSE(model.moveBar(plan, 300));
    EXPECT_EQ(model.startText, "08:40");
    // The whole shift leaves no room to move.
    model.type = duty_type::WholeShift;
    EXPECT_FALSE(model.bar(plan).enabled);
    // A night start after midnight lies past the shift's start.
    openOn(3, 2);
    model.type = duty_type::Eight;
    model.startText = "01:00";
    b = model.bar(plan);
    EXPECT_EQ(b.position, 360);
    EXPECT_EQ(b.hint, "01:00 - 08:35");
}

TEST_F(DutyDialog, OkAddsTheBuiltDutyAndMidnightBecomes1440) {
    openOn(3, 1);
    model.type = duty_type::None;
    plan.ui = std::make_shared<NoUserContact>();
    const dialog_outcome<duty_dialog_result> none = model.ok(plan);
    EXPECT_EQ(none.result, duty_dialog_result::NoLength);
    EXPECT_EQ(none.said.kind, refusal_kind::NoDutyLength);
    EXPECT_EQ(none.said.text, "Aby dodać dyżur należy określić jego czas trwania!");
    plan.ui = ui;
    model.setTimeText("2:00");
    model.startText = "00:00";
    model.note = "Bardzo długa notatka, która nie zmieści się w polu";
    model.medical = true;
    model.dutyAsIndex = 1;
    model.overtimeText = "0:30";
    ASSERT_EQ(model.ok(plan), duty_dialog_result::Added);
    ASSERT_EQ(dutiesOn(0, 4).size(), 1u);
    const dyzur& d = dutiesOn(0, 4)[0];
    EXPECT_EQ(d.start, 1440);
    EXPECT_EQ(d.length, 120);
    EXPECT_EQ(d.overtime, 30);
    EXPECT_EQ(d.dutyAs, 2);
    EXPECT_TRUE(d.medical);
    EXPECT_EQ(utf8_length(d.note), 30u);
}

TEST_F(DutyDialog, AlsoOvertimeClearsTheOvertime) {
    openOn(3, 1);
    model.overtimeText = "1:00";
    model.setAlsoOvertime(true);
    EXPECT_FALSE(model.overtimeEnabled);
    EXPECT_EQ(model.overtimeText, " 00:00");
    EXPECT_EQ(model.buildDuty(plan).overtime, 0);
    model.setAlsoOvertime(false);
    EXPECT_TRUE(model.overtimeEnabled);
}

TEST_F(DutyDialog, EditPresetsTheTypeByLength) {
    // An own norm of 8:00 a working day makes the worker's daily norm 480.
    month(0).ownNorm = true;
    month(0).ownNormCalculated = true;
    month(0).ownNormValue = 480;
    plan.calendar.normRemainder = 460;
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 2, 420, 455), -1, false, 0));
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 3, 420, 480), -1, false, 0));
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 4, 420, 720), -1, false, 0));
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 5, 420, 460), -1, false, 0));
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 6, 420, 100, 15), -1, false, 0));
    refresh_worker(plan, 0);
    ASSERT_TRUE(model.openEdit(plan, "p0_1_0"));
    EXPECT_EQ(model.type, duty_type::Eight);
    EXPECT_FALSE(model.worker8);
    ASSERT_TRUE(model.openEdit(plan, "p0_2_0"));
    EXPECT_EQ(model.type, duty_type::Eight);
    EXPECT_TRUE(model.worker8);
    ASSERT_TRUE(model.openEdit(plan, "p0_3_0"));
    EXPECT_EQ(model.type, duty_type::WholeShift);
    ASSERT_TRUE(model.openEdit(plan, "p0_4_0"));
    EXPECT_EQ(model.type, duty_type::GroupTopUp);
    ASSERT_TRUE(model.openEdit(plan, "p0_5_0"));
    EXPECT_EQ(model.type, duty_type::Other);
    EXPECT_EQ(model.timeText, "01:40");
    EXPECT_EQ(model.overtimeText, "00:15");
    EXPECT_FALSE(model.openEdit(plan, "p0_5_1"));
    EXPECT_FALSE(model.openEdit(plan, "u0_5"));
}

TEST_F(DutyDialog, EditReplacesInPlaceOrMovesToTheNewDay) {
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 5, 420, 720), -1, false, 0));
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 5, 1260, 60), -1, false, 0));
    ASSERT_TRUE(model.openEdit(plan, "p0_4_0"));
    model.startText = "08:00";
    model.setTimeText("10:00");
    ASSERT_EQ(model.ok(plan), duty_dialog_result::Edited);
    ASSERT_EQ(dutiesOn(0, 5).size(), 2u);
    EXPECT_EQ(dutiesOn(0, 5)[0].start, 480);
    // To a day where it overlaps: refused, everything stays.
    ASSERT_TRUE(dodaj_dyzur(plan, duty(0, 9, 600, 60), -1, false, 0));
    const Plan before = plan;
    ASSERT_TRUE(model.openEdit(plan, "p0_4_0"));
    model.dayOfMonth = 9;
    EXPECT_EQ(model.ok(plan), duty_dialog_result::Refused);
    EXPECT_TRUE(SameMonthTables(before, plan));
    model.dayOfMonth = 10;
    ASSERT_EQ(model.ok(plan), duty_dialog_result::Edited);
    EXPECT_EQ(dutiesOn(0, 5).size(), 1u);
    EXPECT_EQ(dutiesOn(0, 10).size(), 1u);
}

TEST_F(DutyDialog, WholeMonthOfferGoesToTheFill) {
    int filled = 0;
    const fill_month_fn fill = [&](Plan&, const dyzur& d, int w) {
        ++filled;
        EXPECT_EQ(d.length, 455);
        EXPECT_EQ(w, 0);
    };
    openOn(3, 1);
    model.type = duty_type::Eight;
    ui->answers = {Answer::Yes};
    EXPECT_EQ(model.ok(plan, fill), duty_dialog_result::FilledMonth);
    EXPECT_EQ(ui->questions.back(), "Czy rozpisać wybrany dyżur na cały miesiąc?");
    EXPECT_EQ(filled, 1);
    EXPECT_TRUE(dutiesOn(0, 4).empty());
    EXPECT_EQ(model.ok(plan, fill), duty_dialog_result::Added);  // No: just this duty
    // With a duty in the month the offer is not made.
    openOn(5, 1);
    model.type = duty_type::Eight;
    EXPECT_EQ(model.ok(plan, fill), duty_dialog_result::Added);
    EXPECT_EQ(ui->questions.size(), 2u);
}

struct DayOffDialog : EditingFixture {
    day_off_dialog_model model;
};

TEST_F(DayOffDialog, KindListAndFieldLabels) {
    model.openAdd(plan, 0, 2);
    const auto entries = model.kindEntries(plan);
    ASSERT_EQ(entries.size(), 24u);
    EXPECT_EQ(entries[1], "[U] Wypoczynkowy  (wlicza się do normatywu)");
    for (const std::string& e : entries) EXPECT_EQ(e.find("ţ"), std::string::npos) << e;
    EXPECT_EQ(model.firstFieldLabel(plan), "Od");
    EXPECT_EQ(model.secondFieldLabel(plan), "Do");
    model.kindIndex = 0;
    EXPECT_EQ(model.firstFieldLabel(plan), "Dnia");
    EXPECT_EQ(model.secondFieldLabel(plan), "na zmianie nr:");
}

TEST_F(DayOffDialog, NormLabelFollowsTheRange) {
    model.openAdd(plan, 0, 0);
    model.secondDay = 7;  // Mon..Sun
    model.refreshNorm(plan);
    EXPECT_EQ(model.normLabel(plan), "37:55");
    EXPECT_EQ(model.normText, "37:55");
    model.customNorm = true;
    model.normText = "10:00";
    model.refreshNorm(plan);
    EXPECT_EQ(model.normText, "10:00");
    EXPECT_EQ(model.normLabel(plan), "10:00");
    plan.weekMode = true;
    EXPECT_EQ(model.normLabel(plan), "7");
}

TEST_F(DayOffDialog, OkAddsWithTheAllowanceQuestion) {
    plan.workers[0].holidayCurrentYear = 5000;
    model.openAdd(plan, 0, 0);
    model.kindIndex = 1;
    model.secondDay = 2;
    ui->answers = {Answer::Yes};
    ASSERT_EQ(model.ok(plan), day_off_dialog_result::Added);
    const wolne_& h = month(0).daysOff[0];
    EXPECT_EQ(h.symbol, 'u');
    EXPECT_EQ(h.dayTo, 2);
    EXPECT_EQ(h.normMinutes, 910);
    EXPECT_EQ(h.groupId, 1);
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 5000 - 910);
}

TEST_F(DayOffDialog, WeekModeLeaveStoresWhatTheSummaryCredits) {
    plan.weekMode = true;
    plan.workers[0].holidayCurrentYear = 1000;
    // One column, the third: 1 × 7:35 = 455.
    model.openAdd(plan, 0, 2);
    model.kindIndex = 1;
    model.refreshNorm(plan);
    EXPECT_EQ(model.normLabel(plan), "1");
    EXPECT_EQ(model.normText, "07:35");
    ASSERT_EQ(model.ok(plan), day_off_dialog_result::Added);
    EXPECT_EQ(month(0).daysOff[2].normMinutes, 455);
    EXPECT_EQ(month(0).sum.creditedMinutes, 455);
    // Week mode asks nothing and draws nothing; a later look at the leave
    // (after a duty comes or goes) finds its norm right and leaves the balance.
    EXPECT_TRUE(ui->questions.empty());
    aktualizuj_urlop(plan, 0, 2);
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 1000);
    // Seven columns, those the grid lays out as Monday to Sunday included:
    // 7 × 455 = 3185, so 455 + 3185 = 3640 in all.
    model.openAdd(plan, 0, 7);
    model.kindIndex = 1;
    model.secondDay = 14;
    ASSERT_EQ(model.ok(plan), day_off_dialog_result::Added);
    EXPECT_EQ(month(0).daysOff[7].normMinutes, 3185);
    EXPECT_EQ(month(0).sum.creditedMinutes, 3640);
    aktualizuj_urlop(plan, 0, 13);
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 1000);
}

TEST_F(DayOffDialog, NoDutyKindStoresTheShiftNumber) {
    model.openAdd(plan, 0, 4);
    model.kindIndex = 0;
    model.secondDay = 2;
    ASSERT_EQ(model.ok(plan), day_off_dialog_result::Added);
    const wolne_& h = month(0).daysOff[4];
    EXPECT_EQ(byte(h.symbol), 0xBF);
    EXPECT_EQ(h.dayTo, 5);
    EXPECT_EQ(h.normMinutes, 2);
}

TEST_F(DayOffDialog, EditShortensAndOffersTheCorrection) {
    plan.workers[0].holidayCurrentYear = 1000;
    model.openAdd(plan, 0, 0);
    model.secondDay = 5;
    ASSERT_EQ(model.ok(plan), day_off_dialog_result::Added);  // No: balance kept
    ASSERT_TRUE(model.openEdit(plan, "u0_0"));
    EXPECT_FALSE(model.kindListEnabled);
    EXPECT_EQ(model.oldNorm, 5 * 455);
    model.secondDay = 3;
    ui->answers = {Answer::Yes};
    ASSERT_EQ(model.ok(plan), day_off_dialog_result::Edited);
    EXPECT_EQ(ui->questions.back(), "Czy dokonać korekty rocznego limitu urlopu (w wymiarze: 15:10 godz.)?");
    EXPECT_EQ(plan.workers[0].holidayCurrentYear, 1000 + 910);
    EXPECT_EQ(month(0).daysOff[0].dayTo, 3);
    EXPECT_FALSE(month(0).daysOff[3].blocks);
    // A new first day: the old head slot is freed.
    ASSERT_TRUE(model.openEdit(plan, "u0_0"));
    model.firstDay = 8;
    model.secondDay = 9;
    ASSERT_EQ(model.ok(plan), day_off_dialog_result::Edited);
    EXPECT_FALSE(month(0).daysOff[0].used());
    EXPECT_FALSE(month(0).daysOff[0].blocks);
    EXPECT_TRUE(month(0).daysOff[7].used());
}

}  // namespace
}  // namespace planek::test
