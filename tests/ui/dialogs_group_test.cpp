#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

#include "ui/dialogs/group_dialog.h"
#include "ui/dialogs_fixture.h"

namespace planek::test {
namespace {

using GroupDialogTest = DialogFixture;

TEST_F(GroupDialogTest, FillTheShiftTableAndOkAddsAGroup) {
    ui::GroupDialog d(doc, false);
    type(d, "e_GroupName", "Pediatria");
    type(d, "e_Nick", "PE");
    child<QToolButton>(d, "tb_AutoCalc")->setChecked(true);
    QTableWidget* t = d.shiftTable();
    ASSERT_EQ(t->rowCount(), 2);
    t->item(0, 1)->setText("6.30");  // start, chained into the next shift
    EXPECT_EQ(t->item(0, 1)->text(), "06:30");
    EXPECT_EQ(t->item(1, 1)->text(), "18:30");
    d.appendShift();
    d.appendShift();
    d.appendShift();  // a fifth is refused
    EXPECT_EQ(t->rowCount(), 4);
    EXPECT_EQ(t->item(3, 0)->text(), "4");
    ui->answers = {Answer::Yes, Answer::Yes};
    t->setCurrentCell(3, 0);
    d.deleteShift();
    t->setCurrentCell(2, 0);
    d.deleteShift();
    ASSERT_EQ(t->rowCount(), 2);
    t->item(1, 6)->setText("2");
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    ASSERT_EQ(plan.groups.size(), 3u);
    const grupa& g = plan.groups[2];
    EXPECT_EQ(g.name, "Pediatria");
    ASSERT_EQ(g.shifts.size(), 2u);
    EXPECT_EQ(g.shifts[0].start, 390);
    EXPECT_EQ(g.shifts[1].start, 1110);
    EXPECT_EQ(g.shifts[1].staffMin, 2);
    EXPECT_EQ(plan.currentGroup, 2);
}

// A dialog opened without the window's form starts from the default rows,
// not from the shifts of a group some earlier dialog showed.
TEST_F(GroupDialogTest, AnEarlierDialogLeavesNothingBehind) {
    plan.groups[0].shifts[0].start = 360;
    {
        ui::GroupDialog edited(doc, true);
        ASSERT_EQ(edited.shiftTable()->item(0, 1)->text(), "06:00");
    }
    ui::GroupDialog added(doc, false);
    EXPECT_EQ(added.shiftTable()->item(0, 1)->text(), "7:00");  // the default row, as typed

    // The window's own form keeps the rows from one use to the next.
    group_dialog_model form;
    { ui::GroupDialog edited(doc, form, true); }
    ui::GroupDialog again(doc, form, false);
    EXPECT_EQ(again.shiftTable()->item(0, 1)->text(), "06:00");
}

// The shift table is seen whole: no sideways scrolling, no cut headings.
TEST_F(GroupDialogTest, TheShiftTableFitsItsColumnsAndHeadings) {
    ui::GroupDialog d(doc, true);
    QTableWidget* t = d.shiftTable();
    d.findChild<QTabWidget*>()->setCurrentWidget(t->parentWidget());
    d.show();
    int columns = 0;
    const QFontMetrics heading(t->horizontalHeader()->font());
    for (int c = 0; c < t->columnCount(); ++c) {
        columns += t->columnWidth(c);
        for (const QString& line : t->horizontalHeaderItem(c)->text().split('\n'))
            EXPECT_GE(t->columnWidth(c), heading.horizontalAdvance(line)) << line.toStdString();
    }
    EXPECT_GE(t->viewport()->width(), columns);
    EXPECT_GT(d.width(), 414);
}

TEST_F(GroupDialogTest, TableKeysAppendInsertAndDelete) {
    ui::GroupDialog d(doc, true);
    QTableWidget* t = d.shiftTable();
    t->setCurrentCell(1, 1);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(t, &down);
    EXPECT_EQ(t->rowCount(), 3);
    t->setCurrentCell(0, 1);
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(t, &insert);
    ASSERT_EQ(t->rowCount(), 4);
    EXPECT_EQ(t->item(1, 1)->text(), "07:00");
    EXPECT_EQ(t->item(3, 0)->text(), "4");
    ui->answers = {Answer::Yes};
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(t, &del);
    EXPECT_EQ(t->rowCount(), 3);
    EXPECT_EQ(ui->questions.size(), 1u);
}

TEST_F(GroupDialogTest, EditShowsTheGroupAndRefusesAZeroLengthShift) {
    ui::GroupDialog d(doc, true);
    EXPECT_EQ(child<QLineEdit>(d, "e_GroupName")->text(), "Interna");
    child<QToolButton>(d, "tb_AutoCalc")->setChecked(false);
    d.shiftTable()->item(1, 2)->setText("0");
    pressOk(d);
    EXPECT_NE(d.result(), QDialog::Accepted);
    ASSERT_EQ(ui->warnings.size(), 1u);
    EXPECT_EQ(plan.groups[0].shifts[1].length, 720);
    type(d, "me_day8", "800");
    d.shiftTable()->item(1, 2)->setText("10");
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(plan.groups[0].dailyNorm, 480);
    EXPECT_EQ(plan.groups[0].shifts[1].length, 600);
    EXPECT_EQ(plan.groups.size(), 2u);
}

// The algorithm is offered with a hint on each choice and kept in the group.
TEST_F(GroupDialogTest, OffersBothAlgorithmsAndKeepsTheChoice) {
    ui::GroupDialog d(doc, true);
    auto* first = child<QRadioButton>(d, "rg_Algorithms0");
    auto* second = child<QRadioButton>(d, "rg_Algorithms1");
    EXPECT_FALSE(first->isHidden());
    EXPECT_FALSE(second->isHidden());
    EXPECT_TRUE(first->isChecked());
    EXPECT_FALSE(second->toolTip().isEmpty());
    second->setChecked(true);
    pressOk(d);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(plan.groups[0].algorithm, 1);
}

}  // namespace
}  // namespace planek::test
