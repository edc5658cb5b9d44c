// The parameters and day-properties dialogs, driven as a user would: the
// controls are set while the modal dialog runs, then OK is pressed.
#include <QDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTimer>

#include "ui_fixture.h"

namespace planek::test {
namespace {

// Runs `fill` on the modal dialog once it is open, then presses OK.
void whenOpen(std::function<void(QDialog*)> fill) {
    QTimer::singleShot(0, [fill] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        fill(d);
        d->accept();
    });
}

TEST_F(DemoWard, TheParametersDialogPlansAMonthOfNextYear) {
    int max = 0;
    whenOpen([&](QDialog* d) {
        auto* year = d->findChild<QSpinBox*>("se_Year");
        ASSERT_NE(year, nullptr);
        EXPECT_EQ(year->minimum(), 2005);
        max = year->maximum();
        year->setValue(plan.clock->today().year + 1);
        d->findChild<QListWidget*>("cb_Month")->setCurrentRow(0);
    });
    window->action("a_Parameters")->trigger();
    EXPECT_EQ(max, plan.clock->today().year + 5);
    EXPECT_EQ(plan.year, plan.clock->today().year + 1);
    EXPECT_EQ(plan.month, 1);
    EXPECT_NE(window->monthTabs()->tabText(0).toStdString().find("Stycze"), std::string::npos);
}

TEST_F(DemoWard, TheDayPropertiesDialogStoresTheNoteAndTheWindowShowsIt) {
    int row = -1, column = -1;
    ASSERT_TRUE(window->calendar()->cellAt(window->calendar()->dayPoint(14, 1), row, column));
    window->calendar()->selectCell(row, column);
    whenOpen([](QDialog* d) { d->findChild<QPlainTextEdit*>("m_Notes")->setPlainText("szkolenie BHP"); });
    window->action("a_DayProperties")->trigger();
    EXPECT_EQ(plan.months[size_t(plan.currentMonth)].days[14].note, "szkolenie BHP");
    auto* notes = window->findChild<QPlainTextEdit*>("m_Notes");
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->toPlainText().toStdString(), "szkolenie BHP");
    EXPECT_FALSE(notes->isHidden());
}

}  // namespace
}  // namespace planek::test
