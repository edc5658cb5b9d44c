// Finding a day and a worker the way a head nurse does: a click and the
// page keys keep one selected day, the lists open their dialogs on a double
// click, the search finds names typed without Polish letters, every day
// shows its number and a day off names its own worker.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "calendar/calendar_grid.h"
#include "core/text.h"
#include "ui/calendar_panels.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

// The object name of the modal dialog that opens within `act`, which is
// then closed.
QString dialogOpenedBy(const std::function<void()>& act, QString* field = nullptr, const char* fieldName = nullptr) {
    QString name;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        name = d->objectName();
        if (field && fieldName)
            if (auto* e = d->findChild<QLineEdit*>(fieldName)) *field = e->text();
        d->reject();
    });
    poll.start();
    act();
    return name;
}

QPoint cellCentre(ui::CalendarView* view, int dayIndex, int slot) {
    int row = -1, column = -1;
    if (!view->cellAt(view->dayPoint(dayIndex, slot), row, column)) return {-1, -1};
    return view->cellRect(row, column).center();
}

bool highlights(ui::CalendarView* view, const Plan& plan, int dayIndex, int slot) {
    const calendar_cell* c = komorka_dnia(plan, dayIndex, slot);
    if (!c) return false;
    const int at = int(c - plan.calendar.grid.data()), columns = plan.calendar.gridColumns();
    return view->selectedRow() == at / columns && view->selectedColumn() == at % columns;
}

TEST_F(DemoWard, PageUpKeepsTheClickedDayForTheHighlightTheDayBoxAndEnter) {
    const std::vector<std::string> files = demoMonths();
    window->chooseOpenFiles = [&] { return files; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(plan.currentMonth, 1);
    ui::CalendarView* view = window->calendar();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, cellCentre(view, 10, 2));
    ASSERT_EQ(plan.selectedCellDay, 10);
    ASSERT_EQ(plan.selectedCellShift, 2);

    QTest::keyClick(view, Qt::Key_PageUp);
    ASSERT_EQ(plan.currentMonth, 0);
    EXPECT_EQ(plan.selectedCellDay, 10);
    EXPECT_EQ(plan.selectedCellShift, 2);
    EXPECT_TRUE(highlights(view, plan, 10, 2)) << "the highlight shows another day than the keys act on";
    const QString box = window->findChild<QLabel*>("l_DayFigures")->text();
    EXPECT_TRUE(box.startsWith(QString::fromUtf8("Dzień 11,"))) << box.toStdString();
    window->workerList()->setCurrentRow(0);
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_FALSE(dialogs.empty());
    EXPECT_EQ(dialogs.back().dayIndex, 10);
}

// A shorter month keeps its last day selected, highlighted where the keys act.
TEST_F(DemoWard, AMonthShorterThanTheSelectedDayKeepsItsLastDay) {
    auto showMonth = [&](int month) {
        QTimer::singleShot(0, [month] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            d->findChild<QListWidget*>("cb_Month")->setCurrentRow(month - 1);
            d->accept();
        });
        window->action("a_Parameters")->trigger();
    };
    showMonth(1);
    ASSERT_EQ(plan.days.size(), 31u);
    ui::CalendarView* view = window->calendar();
    QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, cellCentre(view, 30, 2));
    ASSERT_EQ(plan.selectedCellDay, 30);
    showMonth(4);
    ASSERT_EQ(plan.days.size(), 30u);
    EXPECT_EQ(plan.selectedCellDay, 29);
    EXPECT_EQ(plan.selectedCellShift, 2);
    EXPECT_TRUE(highlights(view, plan, 29, 2));
}

TEST_F(DemoWard, ADoubleClickOnAGroupOrAWorkerOpensItsDialog) {
    ui::GroupList* groups = window->groupList();
    const QRect second = groups->visualItemRect(groups->item(1));
    EXPECT_EQ(dialogOpenedBy([&] { QTest::mouseDClick(groups->viewport(), Qt::LeftButton, {}, second.center()); }),
              "f_GroupAdd");
    EXPECT_EQ(plan.currentGroup, groups->groupAt(1));

    ui::WorkerList* workers = window->workerList();
    const QRect third = workers->visualItemRect(workers->item(2));
    QString surname;
    EXPECT_EQ(dialogOpenedBy([&] { QTest::mouseDClick(workers->viewport(), Qt::LeftButton, {}, third.center()); },
                             &surname, "e_Surname"),
              "f_WorkerAdd");
    EXPECT_EQ(surname.toStdString(), plan.workers[size_t(workers->workerAt(2))].surname);
}

TEST_F(DemoWard, TheWorkerSearchFindsPolishNamesTypedWithoutPolishLetters) {
    ui::WorkerList* list = window->workerList();
    auto shown = [&] {
        std::vector<std::string> names;
        for (int r = 0; r < list->count(); ++r)
            if (!list->item(r)->isHidden()) names.push_back(plan.workers[size_t(list->workerAt(r))].surname);
        return names;
    };
    QTest::keyClicks(window->workerSearch(), "wisn");
    EXPECT_EQ(shown(), std::vector<std::string>{"Wiśniewska"});
    window->workerSearch()->clear();
    QTest::keyClicks(window->workerSearch(), "LEWANDOW");
    EXPECT_EQ(shown(), std::vector<std::string>{"Lewandowska"});
    window->workerSearch()->clear();
    QTest::keyClicks(window->workerSearch(), "zielinsk");
    EXPECT_EQ(shown(), std::vector<std::string>{"Zielińska"});
}

// The 13th is found by its number, not by counting: the first slot of every
// day shows it in a band no panel covers.
TEST_F(DemoWard, EveryDayShowsItsNumberClearOfThePanels) {
    const std::vector<std::string> files = demoMonths();
    window->chooseOpenFiles = [&] { return std::vector<std::string>{files.back()}; };
    window->action("a_ProjectOpen")->trigger();
    ui::CalendarView* view = window->calendar();
    ASSERT_GT(view->layout().panels.size(), 100u);
    int numbered = 0;
    for (int r = 0; r < plan.calendar.gridRows; ++r)
        for (int c = 0; c < plan.calendar.gridColumns(); ++c) {
            const calendar_cell& cell = plan.calendar.cell(r, c);
            const QString shown = view->dayNumberText(r, c);
            if (cell.dayIndex < 0 || cell.slot != 1) {
                EXPECT_TRUE(shown.isEmpty());
                continue;
            }
            EXPECT_EQ(shown, QString::number(cell.dayIndex + 1));
            EXPECT_TRUE(view->cellRect(r, c).contains(view->dayNumberRect(r, c)));
            ++numbered;
        }
    EXPECT_EQ(numbered, int(plan.days.size()));
    for (const ui::calendar_panel& p : view->layout().panels) {
        const QRect place = view->panelRect(p);
        if (place.isEmpty()) continue;
        EXPECT_FALSE(place.intersects(view->dayNumberRect(p.row, p.column))) << p.name;
    }
}

// Among the short names of the duties a day off names its worker too, so a
// "»" is never read as the neighbour's.
TEST_F(DemoWard, ADayOffNamesItsOwnWorker) {
    const std::vector<std::string> files = demoMonths();
    window->chooseOpenFiles = [&] { return std::vector<std::string>{files.back()}; };
    window->action("a_ProjectOpen")->trigger();
    int daysOff = 0;
    for (const ui::calendar_panel& p : window->calendar()->layout().panels) {
        if (p.duty) continue;
        ++daysOff;
        const std::string& nick = plan.workers[size_t(p.worker)].nick;
        EXPECT_EQ(p.text.rfind(nick, 0), 0u) << p.text << " is " << nick << "'s";
        EXPECT_GT(p.text.size(), nick.size());  // and what kind of day it is
    }
    ASSERT_GT(daysOff, 0);
    // Captions by duty type name no one: the day off keeps its sign alone.
    window->findChild<QGroupBox*>("rg_Captions")->findChildren<QRadioButton*>()[1]->click();
    for (const ui::calendar_panel& p : window->calendar()->layout().panels) {
        if (!p.duty) {
            EXPECT_LE(utf8_length(p.text), 2u) << p.text;
        }
    }
}

}  // namespace
}  // namespace planek::test
