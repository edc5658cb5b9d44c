// The window in two languages and at the keyboard: every caption follows a
// change of language at once, the title names the file once, the arrows,
// Enter, Delete and Page Up/Down work on the calendar, and the worker list
// filters as one types.
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabBar>

#include "editing/panel_names.h"
#include "settings/language.h"
#include "settings/options_file.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

void press(QWidget* w, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
}

// Every caption of the window a user reads, by object and text.
std::map<QString, QString> captions(ui::MainWindow& w) {
    std::map<QString, QString> all;
    for (QAction* a : w.findChildren<QAction*>())
        if (!a->objectName().isEmpty() && !a->objectName().startsWith("_q_")) all["action " + a->objectName()] = a->text();
    for (QMenu* m : w.menuBar()->findChildren<QMenu*>())
        if (!m->objectName().isEmpty()) all["menu " + m->objectName()] = m->title();
    for (QGroupBox* b : w.findChildren<QGroupBox*>()) {
        if (b->objectName().isEmpty()) continue;
        all["box " + b->objectName()] = b->title();
        const QList<QRadioButton*> radios = b->findChildren<QRadioButton*>();
        for (int i = 0; i < radios.size(); ++i) all["radio " + b->objectName() + QString::number(i)] = radios[i]->text();
    }
    return all;
}

TEST_F(DemoWard, SwitchingToEnglishRetranslatesEveryCaptionAtOnce) {
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Anuluj") << "Qt's own texts in Polish";
    const std::map<QString, QString> polish = captions(*window);
    ASSERT_GT(polish.size(), 40u);

    // As the options dialog switches: the names left at their defaults follow.
    const std::vector<dutyas_> oldDefaults = default_duty_as(plan.tr);
    const std::vector<day_off_kind> kinds = plan.options.dayOffKinds;
    const std::vector<dutyas_> dutyAs = plan.dutyAs;
    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    carry_typed_names(plan, kinds, dutyAs, oldDefaults);
    window->applyLanguage();
    const std::map<QString, QString> english = captions(*window);
    std::vector<QString> unchanged;
    for (const auto& [name, text] : english)
        if (polish.count(name) && polish.at(name) == text) unchanged.push_back(name + " = " + text);
    EXPECT_TRUE(unchanged.empty()) << unchanged.front().toStdString() << " and " << unchanged.size() - 1 << " more";
    EXPECT_EQ(window->action("a_ProjectSave")->text(), "Save");
    EXPECT_EQ(window->action("mi_d_All")->text(), "All duties");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
    EXPECT_EQ(window->findChild<QListWidget*>("clb_DutyAs")->item(0)->text(), "Employment");

    ASSERT_TRUE(cb_LanguageChange(plan, language_index("polski")));
    window->applyLanguage();
    EXPECT_EQ(captions(*window), polish);
}

TEST_F(DemoWard, TheTitleNamesTheFileOnceAndMarksChanges) {
    EXPECT_EQ(window->windowTitle().toStdString(), plan.options.appTitle);
    const std::vector<std::string> files = demoMonths();
    window->chooseOpenFiles = [&] { return std::vector<std::string>{files.back()}; };
    window->action("a_ProjectOpen")->trigger();
    const QString name = QString::fromStdString(std::filesystem::path(files.back()).filename().string());
    EXPECT_EQ(window->windowTitle(), name + "[*]");
    EXPECT_FALSE(window->isWindowModified());
    const int w = firstListedWorker();
    int freeDay = 0;
    while (freeDay < 27 && (!duties(w, freeDay).empty() || plan.workers[size_t(w)].months[size_t(plan.currentMonth)]
                                                                 .daysOff[size_t(freeDay)]
                                                                 .used()))
        ++freeDay;
    window->handleDrop("d", w, freeDay, 1, true);
    ASSERT_TRUE(plan.modified);
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(DemoWard, ArrowsEnterDeleteAndPagesWorkOnTheCalendar) {
    ui::CalendarView* view = window->calendar();
    press(view, Qt::Key_Right);  // nothing selected: the first day's first shift
    EXPECT_EQ(plan.selectedCellDay, 0);
    EXPECT_EQ(plan.selectedCellShift, 1);
    press(view, Qt::Key_Right);
    EXPECT_EQ(plan.selectedCellShift, 2);  // the demo's first group has two shifts
    press(view, Qt::Key_Right);
    EXPECT_EQ(plan.selectedCellDay, 1);
    EXPECT_EQ(plan.selectedCellShift, 1);
    press(view, Qt::Key_Down);
    EXPECT_EQ(plan.selectedCellDay, 8);
    press(view, Qt::Key_Left);
    EXPECT_EQ(plan.selectedCellDay, 7);
    EXPECT_EQ(plan.selectedCellShift, 2);
    press(view, Qt::Key_Up);
    EXPECT_EQ(plan.selectedCellDay, 0);

    // Enter adds a duty for the current worker there, through its dialog.
    const int w = firstListedWorker();
    window->workerList()->setCurrentRow(0);
    press(view, Qt::Key_Return);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].worker, w);
    EXPECT_EQ(dialogs[0].dayIndex, 0);

    // Delete removes the current worker's duty of the selected shift.
    window->handleDrop("d", w, 0, 2, true);
    ASSERT_EQ(duties(w, 0).size(), 1u);
    press(view, Qt::Key_Delete);
    EXPECT_TRUE(duties(w, 0).empty());

    const std::vector<std::string> files = demoMonths();
    window->chooseOpenFiles = [&] { return files; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(window->monthTabs()->count(), 2);
    ASSERT_EQ(plan.currentMonth, 1);
    press(view, Qt::Key_PageUp);
    EXPECT_EQ(plan.currentMonth, 0);
    press(view, Qt::Key_PageUp);
    EXPECT_EQ(plan.currentMonth, 0);
    press(view, Qt::Key_PageDown);
    EXPECT_EQ(plan.currentMonth, 1);
}

// As a user presses them: to whatever has the focus after a click on the
// calendar, the month shown anew after each one.
TEST_F(DemoWard, PageUpAndDownTurnTheMonthTabsFromTheFocusedCalendar) {
    const std::vector<std::string> files = demoMonths();
    window->chooseOpenFiles = [&] { return files; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(window->monthTabs()->count(), 2);
    QApplication::setActiveWindow(window.get());
    window->calendar()->setFocus();
    QApplication::processEvents();
    auto pressFocused = [](int key) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        press(focused, key);
        QApplication::processEvents();
    };
    ASSERT_EQ(plan.currentMonth, 1);
    const int shownMonth = plan.month;
    pressFocused(Qt::Key_PageUp);
    EXPECT_EQ(plan.currentMonth, 0);
    EXPECT_EQ(window->monthTabs()->currentIndex(), 0);
    EXPECT_NE(plan.month, shownMonth);
    EXPECT_EQ(QApplication::focusWidget(), window->calendar()) << "the calendar keeps the keys";
    pressFocused(Qt::Key_PageDown);
    EXPECT_EQ(plan.currentMonth, 1);
    EXPECT_EQ(window->monthTabs()->currentIndex(), 1);
    EXPECT_EQ(plan.month, shownMonth);
}

TEST_F(DemoWard, TheWorkerSearchFiltersAsOneTypes) {
    ui::WorkerList* list = window->workerList();
    auto shown = [&] {
        std::vector<int> workers;
        for (int r = 0; r < list->count(); ++r)
            if (!list->item(r)->isHidden()) workers.push_back(list->workerAt(r));
        return workers;
    };
    const size_t all = shown().size();
    ASSERT_GT(all, 5u);
    const prac& p = plan.workers[size_t(firstListedWorker())];
    window->workerSearch()->setText(QString::fromStdString(p.surname).toUpper());
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0], firstListedWorker());
    window->workerSearch()->setText(QString::fromStdString(p.nick));
    EXPECT_NE(std::find(shown().begin(), shown().end(), firstListedWorker()), shown().end());
    window->workerSearch()->setText("ąąąnobody");
    EXPECT_TRUE(shown().empty());
    // The filter holds across a refill of the list.
    window->groupList()->setCurrentRow(1);
    window->groupList()->setCurrentRow(0);
    EXPECT_TRUE(shown().empty());
    window->workerSearch()->clear();
    EXPECT_EQ(shown().size(), all);
}

TEST_F(DemoWard, DaysOffNeedWorkersAndTheRestoreMenuOffersUserFiles) {
    EXPECT_TRUE(window->action("a_DayOffAdd")->isEnabled());
    grupa empty;
    empty.id = 99;
    empty.name = "Pusta";
    plan.groups.push_back(empty);
    window->refreshGroups();
    window->chooseGroup(int(plan.groups.size()) - 1);
    EXPECT_FALSE(window->action("a_DutyAdd")->isEnabled());
    EXPECT_FALSE(window->action("a_DayOffAdd")->isEnabled());

    auto* restore = window->findChild<QMenu*>("mi_RestoreData");
    ASSERT_NE(restore, nullptr);
    EXPECT_TRUE(restore->actions().contains(window->action("mi_RestoreArchive")));
    bool asked = false;
    window->chooseArchive = [&] {
        asked = true;
        return std::optional<std::string>{};
    };
    window->action("mi_RestoreArchive")->trigger();
    EXPECT_TRUE(asked);
}

}  // namespace
}  // namespace planek::test
