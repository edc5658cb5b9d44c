#pragma once
#include <QPoint>
#include <QStaticText>
#include <QWidget>
#include <functional>
#include <map>

class QMimeData;

#include "ui/calendar_panels.h"

namespace planek::ui {

// Drag payloads inside the window: a panel name ("p1_2_0", "u1_2"), or a
// source item ("d" duty, "w" day off) carrying the worker it is for.
inline constexpr const char* kPanelMime = "application/x-planek-panel";
inline constexpr const char* kSourceMime = "application/x-planek-source";

// The calendar grid: 6 weeks × 7·k shift slots under a weekday header, and
// every duty and day-off panel, painted by this one widget.
class CalendarView : public QWidget {
    Q_OBJECT
public:
    explicit CalendarView(const Plan& plan, QWidget* parent = nullptr);

    calendar_view_options& options() { return view_; }
    const calendar_layout& layout() const { return layout_; }
    // odswiez_dyzury + odswiez_wolne: rebuilds every panel and repaints.
    void rebuild();

    // Geometry, for painting, hit testing and tests.
    int headerHeight() const { return 20; }
    int columnWidth() const;
    int rowHeight() const;
    QRect cellRect(int row, int column) const;
    // Where a panel is drawn; empty when its cell is too full and the
    // cell's "+N" place counts it instead.
    QRect panelRect(const calendar_panel& p) const;
    // The band at the top of every cell, above its panels, where the first
    // slot of a day shows the day's number: no panel ever covers it.
    int dayBandHeight() const;
    QRect dayNumberRect(int row, int column) const;
    // The day number a cell shows in its band, or empty (the day's other
    // slots, cells without a day).
    QString dayNumberText(int row, int column) const;
    // The shortest row that still holds three rows of panels under the band:
    // what the view asks of the window, so the warnings list or a small
    // screen cannot squeeze the month into "+N" places.
    int minimumRowHeight() const;
    // The "+N" place of a cell and the number of panels it stands for (0
    // when every panel of the cell is drawn).
    QRect overflowRect(int row, int column) const;
    int hiddenIn(int row, int column) const;
    // The staffing mark of a cell, or nullptr when it has none.
    const cell_staffing* staffingAt(int row, int column) const;
    // The tooltip a point of the calendar shows.
    QString tipAt(QPoint pos) const;
    // Grid cell under a point, or false.
    bool cellAt(QPoint pos, int& row, int& column) const;
    // The topmost panel under a point, or nullptr.
    const calendar_panel* panelAt(QPoint pos) const;
    const calendar_panel* panelNamed(const std::string& name) const;
    // The point at the middle of the cell of a day and slot (tests, quick entry).
    QPoint dayPoint(int dayIndex, int slot) const;

    // What a drop over a point does: the payload goes to `dropped` when the
    // point is on a day cell. False when it is not (nothing happens then).
    bool dropAt(QPoint pos, const QMimeData& mime, bool ctrl);

    // Selects the cell (sagSelectCell).
    void selectCell(int row, int column);
    // The highlighted cell, -1 for none.
    int selectedRow() const { return selRow_; }
    int selectedColumn() const { return selColumn_; }

    // The cell kept highlighted after a rebuild is not the plan's selected
    // cell (another month came up): the window makes it the selection.
    std::function<void(int dayIndex, int slot)> selectionKept;

signals:
    void cellSelected(int dayIndex, int shift);
    // Something let go over a day cell: a panel name, or "d"/"w" with a worker.
    void dropped(const QString& source, int worker, int dayIndex, int shift, bool ctrl);
    void panelMenu(const QString& panel, const QPoint& globalPos);
    void cellMenu(int dayIndex, const QPoint& globalPos);
    void panelDoubleClicked(const QString& panel);
    // Shift + typed short name, released with Shift.
    void quickEntry(const QString& nick);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void paintHeader(QPainter& p);
    void paintCells(QPainter& p);
    void paintPanels(QPainter& p);
    void paintOverflow(QPainter& p);
    void paintStaffing(QPainter& p);
    // The highlight follows the plan's selected day, kept_cell's way.
    void keepSelection();
    // Places every panel in its cell (after a rebuild or a resize).
    void placePanels();
    const QStaticText& caption(const std::string& text, int style, const QFont& font);
    QFont panelFont(int style) const;
    QFont bandFont() const;
    int cellIndex(int row, int column) const;

    struct overflow_place {
        QRect rect;
        int hidden = 0;
    };

    const Plan& plan_;
    calendar_view_options view_;
    calendar_layout layout_;
    std::vector<QRect> places_;              // per panel of layout_
    std::vector<overflow_place> overflow_;  // per grid cell
    int selRow_ = -1, selColumn_ = -1;
    QPoint pressPos_;
    std::string pressedPanel_;
    QString typed_;
    std::map<std::string, QStaticText> textCache_[8];  // per font style
    int textFontSize_ = -1;
};

}  // namespace planek::ui
