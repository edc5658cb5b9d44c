// Where the calendar puts its panels: each in a place of its own inside its
// cell, a "+N" place when a cell holds more than fit, and the staffing
// marks of the shift cells with what they say.
#include <QElapsedTimer>
#include <QLabel>
#include <QSplitter>

#include "calendar/staffing.h"
#include "core/ini_file.h"
#include "editing/panel_names.h"
#include "files/month_project.h"
#include "scheduler/scheduler.h"
#include "settings/user_settings.h"
#include "ui/panel_sizes.h"
#include "ui/qt_text.h"
#include "support/duty_put.h"
#include "document/schedule_acts.h"
#include "document/view_acts.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

using ui::cell_fit;
using ui::fit_panels;
using ui::qs;
using ui::ss;

TEST(FitPanels, PreferredSizeThenSmallerThenPlusN) {
    // Room for 3 x 4 panels of 16 x 16.
    cell_fit f = fit_panels(50, 66, 16, 16, 12, 12, 7);
    EXPECT_EQ(f.columns * f.rows >= 7, true);
    EXPECT_EQ(f.width, 16);
    EXPECT_EQ(f.height, 16);
    EXPECT_EQ(f.shown, 7);
    EXPECT_EQ(f.hidden, 0);

    // Too many at 16 x 16, all of them at a smaller size.
    f = fit_panels(50, 66, 16, 16, 12, 12, 18);
    EXPECT_EQ(f.shown, 18);
    EXPECT_EQ(f.hidden, 0);
    EXPECT_GE(f.width, 12);
    EXPECT_GE(f.height, 12);
    EXPECT_LE(f.columns * f.width, 50);
    EXPECT_LE(f.rows * f.height, 66);
    EXPECT_GE(f.columns * f.rows, 18);

    // Not even at the minimum: the last place says how many are left out.
    f = fit_panels(50, 66, 16, 16, 12, 12, 40);
    EXPECT_EQ(f.columns, 4);
    EXPECT_EQ(f.rows, 5);
    EXPECT_EQ(f.shown, 19);
    EXPECT_EQ(f.hidden, 21);
    EXPECT_LE(f.columns * f.width, 50);
    EXPECT_LE(f.rows * f.height, 66);

    // A cell smaller than one panel still holds one place: the marker.
    f = fit_panels(10, 8, 16, 16, 20, 12, 3);
    EXPECT_EQ(f.columns * f.rows, 1);
    EXPECT_EQ(f.shown, 0);
    EXPECT_EQ(f.hidden, 3);
    EXPECT_LE(f.width, 10);
    EXPECT_LE(f.height, 8);
    EXPECT_EQ(fit_panels(50, 66, 16, 16, 12, 12, 0).shown, 0);
}

class Layout : public DemoWard {
protected:
    void openDemoMonth() {
        ASSERT_TRUE(open_project(doc, {demoMonths().back()}).ok());
    }

    // Every panel drawn lies inside its own cell, clear of the cell's other
    // panels and of its "+N" place; the panels not drawn are what "+N" counts.
    void expectEveryPanelInAPlaceOfItsOwn(const char* where) {
        SCOPED_TRACE(where);
        ui::CalendarView* view = window->calendar();
        const auto& panels = view->layout().panels;
        std::map<std::pair<int, int>, std::vector<QRect>> drawn;
        std::map<std::pair<int, int>, int> left;
        for (const ui::calendar_panel& p : panels) {
            const QRect r = view->panelRect(p);
            if (r.isEmpty()) {
                ++left[{p.row, p.column}];
                continue;
            }
            EXPECT_TRUE(view->cellRect(p.row, p.column).contains(r)) << p.name;
            for (const QRect& other : drawn[{p.row, p.column}])
                EXPECT_FALSE(other.intersects(r)) << p.name << " covers another panel";
            EXPECT_FALSE(view->overflowRect(p.row, p.column).intersects(r)) << p.name;
            drawn[{p.row, p.column}].push_back(r);
            EXPECT_EQ(view->panelAt(r.center()), &p) << p.name << " is not the one a click finds";
        }
        for (const auto& [cell, n] : left) {
            EXPECT_EQ(view->hiddenIn(cell.first, cell.second), n);
            EXPECT_TRUE(view->cellRect(cell.first, cell.second).contains(view->overflowRect(cell.first, cell.second)));
        }
    }

    int panelsOfDay(int dayIndex, int slot) const {
        int n = 0;
        for (const ui::calendar_panel& p : window->calendar()->layout().panels) {
            const calendar_cell& c = plan.calendar.cell(p.row, p.column);
            if (c.dayIndex == dayIndex && c.slot == slot) ++n;
        }
        return n;
    }

    // The day's counts are made stale, as an edit would.
    dyzur& put(int worker, int dayIndex, int shift) {
        dyzur& d = put_duty(plan, worker, dayIndex, shift);
        uniewaznij_iledy(plan);
        return d;
    }
};

TEST_F(Layout, TheDemoMonthShowsEveryDutyAndDayOffApart) {
    openDemoMonth();
    ASSERT_FALSE(window->calendar()->layout().panels.empty());
    expectEveryPanelInAPlaceOfItsOwn("demo month");
    // A day off in the first shift's cell follows its duties, never on them.
    bool sharedCell = false;
    for (const ui::calendar_panel& p : window->calendar()->layout().panels)
        if (!p.duty && panelsOfDay(p.dayIndex, 1) > window->calendar()->layout().dayOffPanels[size_t(p.dayIndex)])
            sharedCell = true;
    EXPECT_TRUE(sharedCell) << "the demo month has a day with duties and days off in one cell";
    for (const ui::calendar_panel& p : window->calendar()->layout().panels)
        EXPECT_FALSE(window->calendar()->panelRect(p).isEmpty()) << p.name << " hidden in a roomy window";

    window->resize(1000, 600);
    QApplication::processEvents();
    expectEveryPanelInAPlaceOfItsOwn("demo month, small window");

    // The norm caption pairs each title with its figure, one per line.
    const QStringList norm = window->findChild<QLabel*>("st_Norma")->text().split('\n');
    ASSERT_EQ(norm.size(), 2);
    EXPECT_TRUE(norm[0].startsWith("Dni robocze: ")) << ss(norm[0]);
    EXPECT_TRUE(norm[1].contains(" dyż.")) << ss(norm[1]);
}

TEST_F(Layout, AfterTheSchedulerInAThreeShiftGroupNothingOverlaps) {
    openDemoMonth();
    window->chooseGroup(1);
    ASSERT_EQ(plan.groups[1].shifts.size(), 3u);
    talk->answers.push_back(Answer::Yes);
    ASSERT_TRUE(run_scheduler(doc, {}).ok());
    ASSERT_GT(window->calendar()->layout().panels.size(), 60u);
    expectEveryPanelInAPlaceOfItsOwn("scheduled, three shifts");
    window->resize(900, 560);
    QApplication::processEvents();
    expectEveryPanelInAPlaceOfItsOwn("scheduled, three shifts, small window");
}

TEST_F(Layout, ACrowdedCellSaysHowManyItLeavesOutAndTheDayBoxNamesThemAll) {
    const int slot = 2, day = 12;
    const int n = std::min<int>(40, int(window->workerList()->count()));
    ASSERT_GE(n, 8);
    for (int i = 0; i < n; ++i) put(window->workerList()->workerAt(i), day, slot);
    window->resize(900, 560);
    window->refreshCalendar();
    QApplication::processEvents();
    ui::CalendarView* view = window->calendar();
    int row = -1, column = -1;
    ASSERT_TRUE(view->cellAt(view->dayPoint(day, slot), row, column));
    // Shrink until the cell cannot hold them all, as a small screen would.
    for (int h = 560; h > 300 && view->hiddenIn(row, column) == 0; h -= 40) {
        window->resize(800, h);
        QApplication::processEvents();
    }
    const int hidden = view->hiddenIn(row, column);
    ASSERT_GT(hidden, 0);
    EXPECT_EQ(panelsOfDay(day, slot), n);
    expectEveryPanelInAPlaceOfItsOwn("crowded");
    // The marker's hint names those left out; the day box names everyone.
    const QString tip = view->tipAt(view->overflowRect(row, column).center());
    EXPECT_EQ(tip.count('\n') + 1 - (view->staffingAt(row, column) ? 2 : 0), hidden) << ss(tip);
    view->selectCell(row, column);
    const QString figures = window->findChild<QLabel*>("l_DayFigures")->text();
    for (int i = 0; i < n; ++i) {
        const prac& p = plan.workers[size_t(window->workerList()->workerAt(i))];
        EXPECT_TRUE(figures.contains(qs(p.nick.empty() ? p.surname : p.nick))) << p.nick;
    }
}

TEST_F(Layout, ShiftCellsBelowTheirTargetAreMarkedUntilAnEditFillsThem) {
    plan.groups[0].shifts[0].staffMin = 3;
    plan.groups[0].shifts[0].staffMinS = 3;
    plan.groups[0].shifts[0].symbol = "D";
    ASSERT_TRUE(recount(doc).ok());
    ui::CalendarView* view = window->calendar();
    const int day = 9;
    int row = -1, column = -1;
    ASSERT_TRUE(view->cellAt(view->dayPoint(day, 1), row, column));
    ASSERT_NE(view->staffingAt(row, column), nullptr);
    EXPECT_EQ(view->staffingAt(row, column)->level, staffing_level::Under);

    // Two duties dropped as a user drops them (Ctrl: the whole shift): the
    // mark and its hint follow.
    for (int i = 0; i < 2; ++i) {
        window->workerList()->setCurrentRow(i);
        window->handleDrop("d", window->workerList()->workerAt(i), day, 1, true);
    }
    ASSERT_NE(view->staffingAt(row, column), nullptr);
    EXPECT_EQ(view->tipAt(view->dayPoint(day, 1)), "D: 2 z 3");
    const ui::calendar_panel* panel = view->panelNamed(duty_panel_name(window->workerList()->workerAt(0), day, 0));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(view->tipAt(view->panelRect(*panel).center()).endsWith("D: 2 z 3"));

    window->workerList()->setCurrentRow(2);
    window->handleDrop("d", window->workerList()->workerAt(2), day, 1, true);
    EXPECT_EQ(view->staffingAt(row, column), nullptr) << "three of three";

    // Over the warnings' threshold: marked the other way.
    plan.options.warnings.StaffBigger = true;
    plan.options.warnings.vStaffBigger = 1;
    window->workerList()->setCurrentRow(3);
    window->handleDrop("d", window->workerList()->workerAt(3), day, 1, true);
    ASSERT_NE(view->staffingAt(row, column), nullptr);
    EXPECT_EQ(view->staffingAt(row, column)->level, staffing_level::Over);
    EXPECT_EQ(view->tipAt(view->dayPoint(day, 1)), "D: 4 z 3");
}

TEST_F(Layout, TheWorkerSideKeepsEightRowsAndWholeFigures) {
    const int w = firstListedWorker();
    plan.workers[size_t(w)].months[size_t(plan.currentMonth)].overtimeTotal = 12 * 60;
    window->resize(1000, 600);
    window->chooseWorker(w);
    window->calendar()->selectCell(2, 0);  // the day box opens
    QApplication::processEvents();
    EXPECT_TRUE(window->findChild<QWidget*>("gb_DaySummary")->isVisible());
    EXPECT_GE(window->workerList()->viewport()->height(), 8 * 18) << "eight rows of the list stay in sight";

    auto* previous = window->findChild<QLabel*>("l_wnq_PreviousPeriod");
    ASSERT_NE(previous, nullptr);
    EXPECT_TRUE(previous->text().contains("12:00"));
    EXPECT_LE(previous->heightForWidth(previous->width()), previous->height()) << "the figure is cut";
    EXPECT_LE(previous->minimumSizeHint().width(), previous->width());

    // The swatch fits the widest short name of the list.
    const QFontMetrics fm([&] {
        QFont f = window->workerList()->font();
        f.setPointSize(7);
        return f;
    }());
    for (int i = 0; i < window->workerList()->count(); ++i)
        EXPECT_GE(window->workerList()->swatchWidth(),
                  fm.horizontalAdvance(qs(plan.workers[size_t(window->workerList()->workerAt(i))].nick)));
}

TEST_F(Layout, PanelSizesAreStoredPerUserAndComeBack) {
    EXPECT_EQ(ui::sizes_from_text("300,200,0", 3), (QList<int>{300, 200, 150}));
    EXPECT_TRUE(ui::sizes_from_text("300,200", 3).isEmpty());
    EXPECT_TRUE(ui::sizes_from_text("300,x,20", 3).isEmpty());
    EXPECT_TRUE(ui::sizes_from_text("", 2).isEmpty());

    auto* workers = window->findChild<QSplitter*>("split_Workers");
    ASSERT_NE(workers, nullptr);
    ASSERT_EQ(workers->count(), 2);
    const std::filesystem::path file = plan.options.userSettingsFolder / kUserSettingsFileName;
    std::filesystem::create_directories(file.parent_path());
    IniFile ini(file);
    ini.writeString(ui::kPanelsSection, "workers", "420,200");
    ASSERT_TRUE(ini.saveAs(file));
    ui::MainWindow again(doc);
    again.onClose = nullptr;
    again.resize(1300, 860);
    again.show();
    QApplication::processEvents();
    auto* restored = again.findChild<QSplitter*>("split_Workers");
    ASSERT_NE(restored, nullptr);
    EXPECT_GT(restored->sizes().value(0), restored->sizes().value(1)) << "the list keeps the larger share";
    EXPECT_GE(restored->sizes().value(0), 300);

    // A drag is written once the splitter rests.
    restored->setSizes({260, 300});
    emit restored->splitterMoved(260, 1);
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 1500 && IniFile(file).readString(ui::kPanelsSection, "workers") == "420,200")
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QStringList now;
    for (int size : restored->sizes()) now << QString::number(size);
    EXPECT_EQ(IniFile(file).readString(ui::kPanelsSection, "workers"), ss(now.join(',')));
}

}  // namespace
}  // namespace planek::test
