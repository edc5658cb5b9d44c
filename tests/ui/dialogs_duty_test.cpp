#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>

#include "ui/dialogs/day_off_dialog.h"
#include "ui/dialogs/duty_dialog.h"
#include "ui/dialogs_fixture.h"

namespace planek::test {
namespace {

using DutyDialogTest = DialogFixture;

// The duty a drop prepares, or one a month file brings (with its own number).
dyzur prepared(const Plan& plan, int worker, int day, int shift) {
    static word number = 500;
    dyzur d;
    d.id = ++number;
    d.workerId = plan.workers[worker].id;
    d.groupId = 1;
    d.day = word(day);
    d.shift = byte(shift);
    d.start = plan.groups[0].shifts[shift - 1].start;
    d.length = plan.groups[0].shifts[shift - 1].length;
    d.loaded = true;
    return d;
}

TEST_F(DutyDialogTest, OtherLengthTypedAsDigitsAddsTheDuty) {
    ui::DutyDialog d(doc, 0, 4, prepared(plan, 0, 5, 1));
    ASSERT_TRUE(d.ready());
    type(d, "me_Time", "735");
    EXPECT_TRUE(child<QRadioButton>(d, "rg_DutyType4")->isChecked());
    type(d, "me_DutyFrom", "8.00");
    type(d, "e_Note", "zastępstwo");
    pressOk(d);
    EXPECT_EQ(d.outcome(), duty_dialog_result::Added);
    const auto& list = plan.workers[0].months[0].duties[4];
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].start, 480);
    EXPECT_EQ(list[0].length, 455);
    EXPECT_EQ(list[0].note, "zastępstwo");
}

TEST_F(DutyDialogTest, BarMovesTheStartAndABadStartIsRefused) {
    ui::DutyDialog d(doc, 0, 4, prepared(plan, 0, 5, 1));
    type(d, "me_Time", "6:00");
    QScrollBar* bar = child<QScrollBar>(d, "pb_ShiftLength");
    ASSERT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), 360);
    bar->setValue(60);
    EXPECT_EQ(child<QLineEdit>(d, "me_DutyFrom")->text(), "08:00");
    type(d, "me_DutyFrom", "8:70");
    pressOk(d);
    EXPECT_TRUE(plan.workers[0].months[0].duties[4].empty());
    ASSERT_EQ(ui->warnings.size(), 1u);
}

TEST_F(DutyDialogTest, EditingAPanelsDutyMovesItsStart) {
    plan.workers[0].months[0].duties[4].push_back(prepared(plan, 0, 5, 1));
    ui::DutyDialog d(doc, std::string("p0_4_0"));
    ASSERT_TRUE(d.ready());
    EXPECT_TRUE(child<QRadioButton>(d, "rg_DutyType1")->isChecked());
    type(d, "me_DutyFrom", "6:00");
    child<QCheckBox>(d, "cb_OnRequest")->setChecked(true);
    pressOk(d);
    EXPECT_EQ(d.outcome(), duty_dialog_result::Edited);
    const auto& list = plan.workers[0].months[0].duties[4];
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].start, 360);
    EXPECT_TRUE(list[0].onRequest);
}

TEST_F(DutyDialogTest, AnUnknownPanelIsNotReady) {
    ui::DutyDialog d(doc, std::string("p0_4_0"));
    EXPECT_FALSE(d.ready());
    EXPECT_EQ(d.exec(), QDialog::Rejected);
}

using DayOffDialogTest = DialogFixture;

TEST_F(DayOffDialogTest, FillAndOkAddsALeave) {
    ui::DayOffDialog d(doc, 1, 2);
    ASSERT_TRUE(d.ready());
    QListWidget* kinds = child<QListWidget>(d, "lb_DayOffType");
    ASSERT_EQ(kinds->count(), 24);
    kinds->setCurrentRow(1);
    child<QSpinBox>(d, "se_DayOffTo")->setValue(5);
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const wolne_& w = plan.workers[1].months[0].daysOff[2];
    EXPECT_EQ(w.dayFrom, 3);
    EXPECT_EQ(w.dayTo, 5);
}

TEST_F(DayOffDialogTest, NoDutyKindAsksForAShiftNumber) {
    ui::DayOffDialog d(doc, 1, 2);
    child<QListWidget>(d, "lb_DayOffType")->setCurrentRow(0);
    QSpinBox* second = child<QSpinBox>(d, "se_DayOffTo");
    EXPECT_EQ(second->maximum(), 2);
    second->setValue(2);
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    const wolne_& w = plan.workers[1].months[0].daysOff[2];
    EXPECT_EQ(w.dayTo, 3);
    EXPECT_EQ(w.normMinutes, 2);
}

}  // namespace
}  // namespace planek::test
