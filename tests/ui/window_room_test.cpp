// Room for every text of the worker side on a small screen (1366x768): the
// list's figures clear of its scroll bar, the summaries whole while the day
// box is open.
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QScrollArea>

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

}  // namespace
}  // namespace planek::test
