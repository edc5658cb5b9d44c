// Undo and redo in the window: the "Edycja" menu and the toolbar take the
// last act back and forth, and the plan is unmodified again at the state
// it was read in.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "editing/panel_names.h"
#include "editing/undo_stack.h"
#include "files/staff_group_files.h"
#include "settings/language.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

// Duties and days off of every worker in the shown month.
std::vector<std::pair<std::vector<std::vector<dyzur>>, std::vector<wolne_>>> month_of(const Plan& plan) {
    std::vector<std::pair<std::vector<std::vector<dyzur>>, std::vector<wolne_>>> all;
    for (const prac& p : plan.workers) {
        const ms_& m = p.months[size_t(plan.currentMonth)];
        all.push_back({{m.duties.begin(), m.duties.end()}, {m.daysOff.begin(), m.daysOff.end()}});
    }
    return all;
}

TEST_F(DemoWard, CtrlZTakesADroppedDutyBackAndCtrlYPutsItAgain) {
    QAction* undo = window->action("a_Undo");
    QAction* redo = window->action("a_Redo");
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    EXPECT_TRUE(undo->shortcuts().contains(QKeySequence("Ctrl+Z")));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence("Ctrl+Y")));
    EXPECT_TRUE(redo->shortcuts().contains(QKeySequence("Ctrl+Shift+Z")));
    EXPECT_FALSE(undo->isEnabled());
    ASSERT_FALSE(plan.modified);

    const int w = firstListedWorker();
    ASSERT_TRUE(duties(w, 7).empty());
    window->handleDrop("d", w, 7, 1, true);
    ASSERT_EQ(duties(w, 7).size(), 1u);
    const std::string name = duty_panel_name(w, 7, 0);
    ASSERT_NE(window->calendar()->panelNamed(name), nullptr);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text().toStdString(), "Cofnij: Dodaj dyżur");

    const size_t asked = talk->questions.size();
    undo->trigger();
    EXPECT_TRUE(duties(w, 7).empty());
    EXPECT_EQ(window->calendar()->panelNamed(name), nullptr) << "the panel goes with the duty";
    EXPECT_FALSE(plan.modified) << "back at the state it was read in";
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_EQ(redo->text().toStdString(), "Ponów: Dodaj dyżur");
    EXPECT_EQ(talk->questions.size(), asked) << "undo asks nothing";

    redo->trigger();
    ASSERT_EQ(duties(w, 7).size(), 1u);
    EXPECT_NE(window->calendar()->panelNamed(name), nullptr);
    EXPECT_TRUE(plan.modified);

    // A refused drop on the same cell leaves the history as it was.
    window->handleDrop("d", w, 7, 1, true);
    EXPECT_EQ(duties(w, 7).size(), 1u);
    EXPECT_EQ(undo_history(plan).size(), 1u);
    EXPECT_FALSE(redo->isEnabled());
}

TEST_F(DemoWard, AnAcceptedSchedulerRunIsOneStepBack) {
    talk->fallback = Answer::Yes;
    const auto before = month_of(plan);
    window->action("a_Automatic")->trigger();
    ASSERT_NE(month_of(plan), before) << "the run planned something";
    EXPECT_EQ(undo_history(plan).size(), 1u);
    QAction* undo = window->action("a_Undo");
    EXPECT_EQ(undo->text().toStdString(), "Cofnij: Automatyczne rozpisanie dyżurów");

    undo->trigger();
    EXPECT_EQ(month_of(plan), before);
    EXPECT_FALSE(plan.modified);
    window->action("a_Redo")->trigger();
    EXPECT_NE(month_of(plan), before);
}

TEST_F(DemoWard, TheEditMenuSpeaksTheLanguageAndAnotherMonthForgetsTheSteps) {
    QMenu* edit = window->menuBar()->findChild<QMenu*>("mi_Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->title().toStdString(), "Edycja");
    EXPECT_TRUE(edit->actions().contains(window->action("a_Undo")));
    QToolBar* tools = window->findChild<QToolBar*>("ToolBar");
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->actions().contains(window->action("a_Undo")));
    EXPECT_TRUE(tools->actions().contains(window->action("a_Redo")));

    const int w = firstListedWorker();
    window->handleDrop("d", w, 9, 1, true);
    ASSERT_TRUE(cb_LanguageChange(plan, language_index("english")));
    window->applyLanguage();
    EXPECT_EQ(window->action("a_Undo")->text().toStdString(), "Undo: Add duty");
    EXPECT_EQ(edit->title().toStdString(), "Edit");

    // Opening a month drops what was done in the one shown before.
    talk->fallback = Answer::No;
    const std::vector<std::string> files = demoMonths();
    window->chooseOpenFiles = [&] { return std::vector<std::string>{files.back()}; };
    window->action("a_ProjectOpen")->trigger();
    EXPECT_FALSE(window->action("a_Undo")->isEnabled());
    EXPECT_EQ(window->action("a_Undo")->text().toStdString(), "Undo");
}

// The keys themselves, not the actions: pressed on the calendar or in the
// worker list, they must reach the window's shortcuts and no other.
TEST_F(DemoWard, CtrlZCtrlYAndCtrlShiftZWorkFromTheCalendarAndTheWorkerList) {
    const std::vector<QKeySequence> keys{QKeySequence("Ctrl+Z"), QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")};
    for (QAction* a : window->findChildren<QAction*>()) {
        if (a == window->action("a_Undo") || a == window->action("a_Redo")) continue;
        for (const QKeySequence& k : keys) EXPECT_FALSE(a->shortcuts().contains(k)) << a->objectName().toStdString();
    }
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const int w = firstListedWorker();
    window->handleDrop("d", w, 7, 1, true);
    window->handleDrop("d", w, 9, 1, true);
    ASSERT_EQ(undo_history(plan).size(), 2u);

    QWidget* calendar = window->calendar();
    calendar->setFocus();
    ASSERT_TRUE(calendar->hasFocus());
    QTest::keyClick(calendar, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(duties(w, 9).empty());
    EXPECT_EQ(duties(w, 7).size(), 1u) << "one key, one step";
    QTest::keyClick(calendar, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(duties(w, 9).size(), 1u);
    QTest::keyClick(calendar, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(calendar, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(duties(w, 9).size(), 1u) << "Ctrl+Shift+Z is not the quick entry of a short name";

    QWidget* list = window->workerList();
    list->setFocus();
    ASSERT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(duties(w, 7).empty());
    EXPECT_TRUE(duties(w, 9).empty());
    EXPECT_FALSE(plan.modified);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(duties(w, 7).size(), 1u);
    EXPECT_EQ(duties(w, 9).size(), 1u);
}

TEST_F(DemoWard, ADeletedWorkerComesBackWithHerDutiesAndTheStaffIsSavedAgain) {
    const int w = firstListedWorker();
    window->handleDrop("d", w, 7, 1, true);
    ASSERT_TRUE(window->action("a_ProjectSave")->isEnabled());
    window->action("a_ProjectSave")->trigger();
    ASSERT_FALSE(plan.modified);
    plan.currentWorker = w;
    talk->answers = {Answer::Yes};
    window->action("a_WorkerDelete")->trigger();
    ASSERT_TRUE(plan.workers[size_t(w)].old);
    EXPECT_NE(firstListedWorker(), w);
    EXPECT_EQ(window->action("a_Undo")->text().toStdString(), "Cofnij: Usuń pracownika");

    window->action("a_Undo")->trigger();
    EXPECT_FALSE(plan.workers[size_t(w)].old);
    EXPECT_EQ(firstListedWorker(), w) << "back in her place in the list";
    EXPECT_EQ(duties(w, 7).size(), 1u);
    EXPECT_TRUE(plan.modified) << "the staff file written at the deletion still has her deleted";
    window->action("a_ProjectSave")->trigger();
    EXPECT_FALSE(plan.modified);
    EXPECT_FALSE(staff_files_behind(plan));
}

}  // namespace
}  // namespace planek::test
