// The window over a demo ward: drops, moves, the trash, month tabs, saving
// and reopening, as a user would do them.
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QMimeData>
#include <QTabBar>

#include "core/ini_file.h"
#include "editing/panel_names.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

using ui::kPanelMime;
using ui::kSourceMime;

// Lets go of a payload over a point of the calendar, as a drag would.
void dropOn(ui::CalendarView* view, QPoint at, const char* mime, const QByteArray& data, bool ctrl) {
    QMimeData payload;
    payload.setData(mime, data);
    view->dropAt(at, payload, ctrl);
}

TEST_F(DemoWard, StartsOnAnEmptyPlanOfTheGroupWithItsWorkersListed) {
    EXPECT_GE(window->groupList()->count(), 2);
    EXPECT_EQ(plan.currentGroup, 0);
    ASSERT_GT(window->workerList()->count(), 5);
    EXPECT_EQ(size_t(window->workerList()->count()), plan.listed.size());
    EXPECT_EQ(plan.calendar.gridSlots, int(plan.groups[0].shifts.size()));
    EXPECT_TRUE(window->calendar()->layout().panels.empty());
    EXPECT_EQ(window->monthTabs()->count(), 1);

    window->groupList()->setCurrentRow(1);
    EXPECT_EQ(plan.currentGroup, 1);
    EXPECT_EQ(plan.calendar.gridSlots, int(plan.groups[1].shifts.size()));
    for (const listed_worker& lw : plan.listed) EXPECT_TRUE(plan.workers[size_t(lw.worker)].inGroup(plan.groups[1].id));
}

TEST_F(DemoWard, DropsADutyMovesItAndTrashesIt) {
    const int w = firstListedWorker();
    window->workerList()->setCurrentRow(0);
    ASSERT_EQ(plan.currentWorker, w);
    ui::CalendarView* view = window->calendar();

    // The worker list dragged onto day 10, first shift, with Ctrl: the whole shift at once.
    dropOn(view, view->dayPoint(9, 1), kSourceMime, "d:" + QByteArray::number(w), true);
    ASSERT_EQ(duties(w, 9).size(), 1u);
    EXPECT_EQ(duties(w, 9)[0].shift, 1);
    EXPECT_EQ(duties(w, 9)[0].length, plan.groups[0].shifts[0].length);
    const std::string first = duty_panel_name(w, 9, 0);
    const ui::calendar_panel* panel = view->panelNamed(first);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(view->panelAt(view->panelRect(*panel).center()), panel);
    EXPECT_TRUE(plan.modified);

    // Moved to day 12, second shift: it takes the shift's start there.
    dropOn(view, view->panelRect(*panel).center() + QPoint(0, 0), kPanelMime, QByteArray::fromStdString(first), false);
    EXPECT_EQ(duties(w, 9).size(), 1u) << "dropping a panel on its own cell changes nothing";
    dropOn(view, view->dayPoint(11, 2), kPanelMime, QByteArray::fromStdString(first), false);
    EXPECT_TRUE(duties(w, 9).empty());
    ASSERT_EQ(duties(w, 11).size(), 1u);
    EXPECT_EQ(duties(w, 11)[0].shift, 2);
    EXPECT_EQ(duties(w, 11)[0].start, plan.groups[0].shifts[1].start);
    EXPECT_EQ(view->panelNamed(first), nullptr);
    ASSERT_NE(view->panelNamed(duty_panel_name(w, 11, 0)), nullptr);

    // Ctrl copies.
    dropOn(view, view->dayPoint(13, 2), kPanelMime, QByteArray::fromStdString(duty_panel_name(w, 11, 0)), true);
    EXPECT_EQ(duties(w, 11).size(), 1u);
    EXPECT_EQ(duties(w, 13).size(), 1u);

    window->trashPanel(QString::fromStdString(duty_panel_name(w, 11, 0)));
    EXPECT_TRUE(duties(w, 11).empty());
    EXPECT_EQ(view->panelNamed(duty_panel_name(w, 11, 0)), nullptr);
    EXPECT_EQ(view->layout().panels.size(), 1u);
}

TEST_F(DemoWard, ADropWithoutCtrlOpensTheDutyDialogAndAddsNothing) {
    const int w = firstListedWorker();
    ui::CalendarView* view = window->calendar();
    dropOn(view, view->dayPoint(4, 2), kSourceMime, "d:" + QByteArray::number(w), false);
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].worker, w);
    EXPECT_EQ(dialogs[0].dayIndex, 4);
    EXPECT_EQ(dialogs[0].duty.shift, 2);
    EXPECT_TRUE(duties(w, 4).empty());
}

TEST_F(DemoWard, BadDropsChangeNothing) {
    ui::CalendarView* view = window->calendar();
    // A grey cell: the first cell of the grid when the month does not start on a Monday,
    // else the last one.
    const auto& cal = plan.calendar;
    QPoint grey(-1, -1);
    for (int r = 0; r < cal.gridRows && grey.x() < 0; ++r)
        for (int c = 0; c < cal.gridColumns(); ++c)
            if (cal.cell(r, c).dayIndex < 0) {
                grey = view->cellRect(r, c).center();
                break;
            }
    ASSERT_GE(grey.x(), 0);
    const int w = firstListedWorker();
    dropOn(view, grey, kSourceMime, "d:" + QByteArray::number(w), true);
    dropOn(view, QPoint(5, 5), kSourceMime, "d:" + QByteArray::number(w), true);  // the header
    dropOn(view, view->dayPoint(3, 1), kPanelMime, "p_temp", false);
    dropOn(view, view->dayPoint(3, 1), kPanelMime, "p99_1_0", false);
    for (const prac& p : plan.workers)
        for (const auto& day : p.months[size_t(plan.currentMonth)].duties) EXPECT_TRUE(day.empty());

    // An archived worker is refused with the rule's message.
    int archived = -1;
    for (size_t i = 0; i < plan.workers.size(); ++i)
        if (plan.workers[i].old) archived = int(i);
    ASSERT_GE(archived, 0);
    dropOn(view, view->dayPoint(3, 1), kSourceMime, "d:" + QByteArray::number(archived), true);
    ASSERT_FALSE(talk->warnings.empty());
    EXPECT_NE(talk->warnings.back().find("zablokowany"), std::string::npos);
    EXPECT_TRUE(duties(archived, 3).empty());
}

TEST_F(DemoWard, OpensTwoMonthsAsTabsAndSwitchesBetweenThem) {
    const std::vector<std::string> files = demoMonths();
    ASSERT_EQ(files.size(), 2u);
    window->chooseOpenFiles = [&] { return files; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(window->monthTabs()->count(), 2);
    const int lastTab = plan.currentMonth;
    EXPECT_EQ(lastTab, 1);
    const size_t panelsOfLast = window->calendar()->layout().panels.size();
    EXPECT_GT(panelsOfLast, 0u) << "the demo months hold duties";

    EXPECT_TRUE(window->switchTab(0));
    EXPECT_EQ(plan.currentMonth, 0);
    EXPECT_EQ(window->monthTabs()->currentIndex(), 0);
    EXPECT_FALSE(plan.modified);
    EXPECT_GT(window->calendar()->layout().panels.size(), 0u);

    // A modified month asks first; Cancel keeps the tab.
    const int w = firstListedWorker();
    window->handleDrop("d", w, 20, 1, true);
    ASSERT_TRUE(plan.modified);
    talk->answers = {Answer::Cancel};
    EXPECT_FALSE(window->switchTab(1));
    EXPECT_EQ(plan.currentMonth, 0);
    EXPECT_EQ(window->monthTabs()->currentIndex(), 0);
    // No drops the edit and switches.
    talk->answers = {Answer::No};
    EXPECT_TRUE(window->switchTab(1));
    EXPECT_EQ(plan.currentMonth, 1);
    EXPECT_EQ(window->calendar()->layout().panels.size(), panelsOfLast);
}

TEST_F(DemoWard, SavesAndReopensTheMonth) {
    const int w = firstListedWorker();
    window->handleDrop("d", w, 6, 2, true);
    ASSERT_EQ(duties(w, 6).size(), 1u);
    window->action("a_ProjectSave")->trigger();
    ASSERT_FALSE(plan.currentFile.empty());
    const std::string saved = plan.currentFile;
    EXPECT_TRUE(std::filesystem::exists(saved));
    EXPECT_NE(window->windowTitle().toStdString().find(std::filesystem::path(saved).filename().string()), std::string::npos);

    window->action("a_ProjectNew")->trigger();
    EXPECT_TRUE(duties(w, 6).empty());
    EXPECT_TRUE(window->calendar()->layout().panels.empty());

    window->chooseOpenFiles = [&] { return std::vector<std::string>{saved}; };
    window->action("a_ProjectOpen")->trigger();
    ASSERT_EQ(duties(w, 6).size(), 1u);
    EXPECT_NE(window->calendar()->panelNamed(duty_panel_name(w, 6, 0)), nullptr);
}

TEST_F(DemoWard, ClosingAsksToSaveAndCancelKeepsEverything) {
    window->handleDrop("d", firstListedWorker(), 2, 1, true);
    const auto staff = plan.paths.data / "kadra.inr";
    const auto before = std::filesystem::last_write_time(staff);
    talk->answers = {Answer::Cancel};
    EXPECT_FALSE(close_program(doc, {}).ok());
    EXPECT_EQ(std::filesystem::last_write_time(staff), before);
    talk->answers = {Answer::No};
    windows_options placement;
    placement.window_width = 1000;
    placement.window_height = 700;
    placement.window_state_max = false;
    EXPECT_TRUE(close_program(doc, placement).ok());
    EXPECT_FALSE(std::filesystem::exists(plan.paths.root / "autosave.~pn"));
    EXPECT_NE(std::filesystem::last_write_time(staff), before) << "staff and groups are written at exit";
    IniFile config(plan.paths.data / "konfiguracja.ini");
    EXPECT_EQ(config.readInt("windows", "window_width", 0), 1000);
    EXPECT_EQ(config.readInt("windows", "window_height", 0), 700);
    EXPECT_FALSE(config.readBool("windows", "window_state_max", true));
}

TEST_F(DemoWard, TheParametersYearRunsFiveYearsPastThisOne) {
    EXPECT_EQ(ui::first_plan_year(), 2005);
    EXPECT_EQ(ui::last_plan_year(plan), plan.clock->today().year + 5);
}

TEST_F(DemoWard, TheDayBoxFollowsTheSelectedDayAndTheArrowHidesTheWorkers) {
    const int w = firstListedWorker();
    ui::CalendarView* view = window->calendar();
    auto* box = window->findChild<QGroupBox*>("gb_DaySummary");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isVisible());
    const QPoint cell = view->dayPoint(9, 1);
    QMouseEvent press(QEvent::MouseButtonPress, cell, view->mapToGlobal(cell), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(view, &press);
    ASSERT_EQ(plan.selectedCellDay, 9);
    EXPECT_TRUE(box->isVisible());
    auto* figures = box->findChild<QLabel*>("l_DayFigures");
    const std::string first = plan.groups[0].shifts[0].symbol;
    EXPECT_TRUE(figures->text().contains(QString::fromStdString(first + ": 0 z ")));
    EXPECT_FALSE(box->findChild<QPlainTextEdit*>("m_Notes")->isVisible());  // no note that day

    // A duty dropped on the day shows in the box at once.
    dropOn(view, cell, kSourceMime, "d:" + QByteArray::number(w), true);
    EXPECT_TRUE(figures->text().contains(QString::fromStdString(first + ": 1 z ")));
    EXPECT_TRUE(figures->text().contains("Najwięcej na dyżurze: 1"));

    auto* arrow = window->findChild<QToolButton*>("xpan");
    ASSERT_NE(arrow, nullptr);
    QWidget* workers = window->findChild<QWidget*>("p_Workers");
    EXPECT_TRUE(workers->isVisible());
    arrow->click();
    EXPECT_FALSE(workers->isVisible());
    arrow->click();
    EXPECT_TRUE(workers->isVisible());
}

}  // namespace
}  // namespace planek::test
