// The parameters and day-properties dialogs, driven as a user would: the
// controls are set while the modal dialog runs, then OK is pressed.
#include <QAction>
#include <QDialog>
#include <QLabel>
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

// The rules only return a refusal; the window is the one that tells it.
TEST_F(DemoWard, TheWindowTellsARefusedDropOnce) {
    const int w = firstListedWorker();
    window->handleDrop("d", w, 6, 1, true);
    talk->warnings.clear();
    window->handleDrop("d", w, 6, 1, true);
    ASSERT_EQ(talk->warnings.size(), 1u);
    EXPECT_EQ(talk->warnings[0], "Dodawany dyżur nakłada się na już istniejący!\nDyżuru nie dodano.");
}

// The dialog says which day it is for, and its second page lists that
// day's duties, from where one can be removed.
TEST_F(DemoWard, TheDayPropertiesDialogNamesTheDayAndListsItsDuties) {
    const int w = firstListedWorker();
    window->handleDrop("d", w, 6, 1, true);
    window->handleDrop("d", w, 6, 2, true);
    ASSERT_EQ(duties(w, 6).size(), 2u);
    ASSERT_TRUE(window->selectDay(6, 1));
    QString day;
    int listed = -1;
    whenOpen([&](QDialog* d) {
        day = d->findChild<QLabel*>("l_Day")->text();
        auto* list = d->findChild<QListWidget*>("lb_Duties");
        ASSERT_NE(list, nullptr);
        listed = list->count();
        const prac& p = plan.workers[size_t(w)];
        EXPECT_TRUE(list->item(0)->text().startsWith(QString::fromStdString("[" + p.surname + " " + p.firstName + "] ")))
            << list->item(0)->text().toStdString();
        list->setCurrentRow(0);
        d->findChild<QAction*>("mi_DutyDelete")->trigger();
        EXPECT_EQ(list->count(), listed - 1);
    });
    window->action("a_DayProperties")->trigger();
    EXPECT_EQ(listed, 2);
    EXPECT_TRUE(day.startsWith("7 ")) << day.toStdString();
    EXPECT_TRUE(day.endsWith(QString::number(plan.year))) << day.toStdString();
    EXPECT_EQ(duties(w, 6).size(), 1u);
}

}  // namespace
}  // namespace planek::test
