// Room for every text of the worker side on a small screen (1366x768): the
// list's figures clear of its scroll bar, the summaries whole while the day
// box is open; the calendar keeps rows of three panels when the warnings
// list opens below it; a day's note leaves its staffing lines whole.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollArea>

#include "ui/warnings_dock.h"

#include "ui/summary_boxes.h"
#include "ui_fixture.h"

namespace planek::test {
namespace {

class SmallScreen : public DemoWard {
protected:
    void SetUp() override {
        DemoWard::SetUp();
        const std::vector<std::string> files = demoMonths();
        window->chooseOpenFiles = [&] { return std::vector<std::string>{files.back()}; };
        window->action("a_ProjectOpen")->trigger();
        window->resize(1366, 768);
        QApplication::processEvents();
        ASSERT_TRUE(window->selectDay(9, 1));  // the day box opens too
        QApplication::processEvents();
    }
};

TEST_F(SmallScreen, TheWorkerFiguresKeepOffTheScrollBar) {
    ui::WorkerList* list = window->workerList();
    ASSERT_GT(list->count(), 8);  // more than fit, so the scroll bar shows
    const QImage shot = list->viewport()->grab().toImage();
    const QColor base = list->palette().color(QPalette::Base), selected = list->palette().color(QPalette::Highlight);
    int rows = 0;
    for (int r = 0; r < list->count(); ++r) {
        const QRect row = list->visualItemRect(list->item(r)).intersected(shot.rect());
        if (row.height() < 4) continue;
        ++rows;
        // The last few pixels of the row hold nothing but its background.
        for (int x = row.right() - 3; x <= row.right(); ++x)
            for (int y = row.top(); y <= row.bottom(); ++y) {
                const QColor c = shot.pixelColor(x, y);
                ASSERT_TRUE(c == base || c == selected)
                    << "row " << r << " has ink at x " << x << " of " << row.right() << ", y " << y;
            }
    }
    EXPECT_GE(rows, 5);
}

TEST_F(SmallScreen, TheSummariesShowWholeBesideTheDayBox) {
    ui::SummaryBoxes* boxes = window->summaryBoxes();
    QWidget* view = boxes->parentWidget();  // the scroll area's viewport
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(window->findChild<QWidget*>("gb_DaySummary")->isVisible());
    int figures = 0;
    for (QLabel* l : boxes->findChildren<QLabel*>()) {
        if (!l->isVisible()) continue;
        const QRect at(l->mapTo(view, QPoint(0, 0)), l->size());
        EXPECT_TRUE(view->rect().contains(at)) << l->text().toStdString() << " " << l->objectName().toStdString()
                                               << " at y " << at.top() << ".." << at.bottom() << " of "
                                               << view->height();
        ++figures;
    }
    EXPECT_GE(figures, 30);
    // The list keeps a few rows all the same.
    EXPECT_GE(window->workerList()->viewport()->height(), 5 * 18);
}

TEST_F(SmallScreen, TheWarningsListLeavesTheCalendarRowsOfThreePanels) {
    ui::CalendarView* view = window->calendar();
    const int alone = view->rowHeight();
    window->action("a_Warnings")->trigger();
    QApplication::processEvents();
    ui::WarningsDock* dock = window->warningsDock();
    ASSERT_TRUE(dock->isVisible());
    EXPECT_LE(window->height(), 768) << "the window grew past the screen";
    EXPECT_GE(view->rowHeight(), view->minimumRowHeight());
    EXPECT_GE(view->rowHeight(), 3 * (view->fontMetrics().height() + 1)) << "rows of " << view->rowHeight() << " px";
    EXPECT_GE(dock->list()->viewport()->height(), 2 * dock->list()->fontMetrics().height());
    EXPECT_LT(view->rowHeight(), alone);  // the list has its room too
}

TEST_F(SmallScreen, ADayNoteLeavesTheStaffingLinesWhole) {
    ASSERT_FALSE(plan.months[size_t(plan.currentMonth)].days[0].note.empty());  // the demo's first day has one
    ASSERT_TRUE(window->selectDay(0, 1));
    QApplication::processEvents();
    auto* figures = window->findChild<QLabel*>("l_DayFigures");
    auto* note = window->findChild<QPlainTextEdit*>("m_Notes");
    ASSERT_TRUE(note->isVisible());
    const QStringList lines = figures->text().split('\n');
    ASSERT_GE(lines.size(), 4);
    int most = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].startsWith(QString::fromUtf8("Najwięcej na dyżurze"))) most = i;
    ASSERT_GE(most, 0);
    // Each line up to the most on duty fits the label's width: none wraps,
    // so the fourth line is where the fourth line shows.
    for (int i = 0; i <= most; ++i)
        EXPECT_LE(figures->fontMetrics().horizontalAdvance(lines[i]), figures->width()) << lines[i].toStdString();
    const int lineHeight = figures->fontMetrics().lineSpacing();
    EXPECT_LE((most + 1) * lineHeight, figures->parentWidget()->height() + lineHeight / 2)
        << "the most on duty is out of sight";
}

}  // namespace
}  // namespace planek::test
