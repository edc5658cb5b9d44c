#include "ui/calendar_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QStaticText>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <map>

#include "calendar/calendar_grid.h"
#include "calendar/grid_moves.h"
#include "core/text.h"
#include "ui/qt_text.h"
#include "ui/wish_marks.h"

namespace planek::ui {

namespace {

constexpr int kMargin = 10;
// The strip at a cell's left edge kept for its staffing mark, so the mark
// never covers a panel.
constexpr int kMarkWidth = 3;

int slots_of(const Plan& plan) { return std::max(1, plan.calendar.gridSlots); }

int style_of(const calendar_panel& panel) {
    return (panel.bold ? 1 : 0) | (panel.underline ? 2 : 0) | (panel.italic ? 4 : 0);
}

}  // namespace

CalendarView::CalendarView(const Plan& plan, QWidget* parent) : QWidget(parent), plan_(plan) {
    setObjectName("sag");
    setAcceptDrops(true);
    setMouseTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(300, 200);
}

void CalendarView::rebuild() {
    keepSelection();
    layout_ = zbuduj_panele(plan_, view_);
    if (textFontSize_ != plan_.options.glowne.symbol_font_height) {
        for (auto& cache : textCache_) cache.clear();
        textFontSize_ = plan_.options.glowne.symbol_font_height;
    }
    setMinimumHeight(headerHeight() + 6 * (minimumRowHeight() + 1) + kMargin);
    placePanels();
    update();
}

QFont CalendarView::bandFont() const {
    QFont f = font();
    f.setPixelSize(10);
    f.setBold(true);
    return f;
}

int CalendarView::dayBandHeight() const { return QFontMetrics(bandFont()).height(); }

int CalendarView::minimumRowHeight() const {
    return dayBandHeight() + 2 + 3 * (QFontMetrics(panelFont(1)).height() + 1);
}

QRect CalendarView::dayNumberRect(int row, int column) const {
    const QRect cell = cellRect(row, column);
    return QRect(cell.x() + kMarkWidth + 2, cell.y() + 1, cell.width() - kMarkWidth - 3, dayBandHeight());
}

QString CalendarView::dayNumberText(int row, int column) const {
    const auto& cal = plan_.calendar;
    if (cal.grid.empty() || row < 0 || row >= cal.gridRows || column < 0 || column >= cal.gridColumns()) return {};
    const calendar_cell& c = cal.cell(row, column);
    if (c.dayIndex < 0 || c.slot != 1 || c.dayNumber <= 0) return {};
    return QString::number(c.dayNumber);
}

void CalendarView::keepSelection() {
    // The highlighted cell and the day the keys and the day box act on are
    // one: after another month comes up both show the kept day, or neither.
    const std::optional<grid_cell> kept = kept_cell(plan_, {plan_.selectedCellDay, plan_.selectedCellShift});
    const calendar_cell* c = kept ? komorka_dnia(plan_, kept->dayIndex, kept->slot) : nullptr;
    const int columns = plan_.calendar.gridColumns();
    int day = -1, slot = -1;
    if (!c || columns <= 0) {
        selRow_ = selColumn_ = -1;
    } else {
        const int at = int(c - plan_.calendar.grid.data());
        selRow_ = at / columns;
        selColumn_ = at % columns;
        day = kept->dayIndex;
        slot = kept->slot;
    }
    // The selection is the document's: the window moves it there.
    if ((day != plan_.selectedCellDay || slot != plan_.selectedCellShift) && selectionKept) selectionKept(day, slot);
}

void CalendarView::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    placePanels();
}

int CalendarView::columnWidth() const {
    const int k = slots_of(plan_);
    return std::max(4, (width() - kMargin - 5 * k) / (7 * k));
}

int CalendarView::rowHeight() const { return std::max(8, (height() - headerHeight() - kMargin) / 6); }

QRect CalendarView::cellRect(int row, int column) const {
    const int cw = columnWidth(), rh = rowHeight();
    return QRect(column * (cw + 1), headerHeight() + row * (rh + 1), cw, rh);
}

int CalendarView::cellIndex(int row, int column) const { return row * plan_.calendar.gridColumns() + column; }

QFont CalendarView::panelFont(int style) const {
    QFont f = font();
    f.setPixelSize(std::max(6, plan_.options.glowne.symbol_font_height + 1));
    f.setBold(style & 1);
    f.setUnderline(style & 2);
    f.setItalic(style & 4);
    return f;
}

const QStaticText& CalendarView::caption(const std::string& text, int style, const QFont& font) {
    // Laid-out texts are kept: a month repeats a few dozen captions.
    auto& cache = textCache_[style];
    auto it = cache.find(text);
    if (it == cache.end()) {
        QStaticText t(qs(text));
        t.setTextFormat(Qt::PlainText);
        t.prepare(QTransform(), font);
        it = cache.emplace(text, std::move(t)).first;
    }
    return it->second;
}

void CalendarView::placePanels() {
    const auto& cal = plan_.calendar;
    places_.assign(layout_.panels.size(), QRect());
    overflow_.assign(cal.grid.size(), {});
    if (cal.grid.empty()) return;

    // The widest duty caption sets the narrowest place, so no short name is
    // cut; a longer day-off caption is drawn smaller to fit (paintPanels).
    QFont fonts[8];
    for (int style = 0; style < 8; ++style) fonts[style] = panelFont(style);
    double textWidth = 0;
    std::vector<int> count(cal.grid.size(), 0);
    const bool anyDuty = std::any_of(layout_.panels.begin(), layout_.panels.end(),
                                     [](const calendar_panel& p) { return p.duty; });
    const std::string* last = nullptr;
    for (const calendar_panel& panel : layout_.panels) {
        const int cell = cellIndex(panel.row, panel.column);
        if (cell >= 0 && cell < int(count.size())) count[size_t(cell)]++;
        if (anyDuty && !panel.duty) continue;
        if (last && *last == panel.text) continue;
        last = &panel.text;
        const int style = style_of(panel);
        textWidth = std::max(textWidth, caption(panel.text, style, fonts[style]).size().width());
    }
    const int minWidth = int(std::ceil(textWidth)) + 4;
    const int minHeight = QFontMetrics(fonts[1]).height() + 1;
    const int band = dayBandHeight();
    const int cellWidth = columnWidth() - 2 - kMarkWidth, cellHeight = rowHeight() - 2 - band;

    // Every cell has the same size: a fit depends on the count alone.
    std::map<int, cell_fit> fits;
    auto fit_of = [&](int n) -> const cell_fit& {
        auto it = fits.find(n);
        if (it == fits.end())
            it = fits.emplace(n, fit_panels(cellWidth, cellHeight, plan_.options.glowne.symbol_width,
                                            plan_.options.glowne.symbol_height, minWidth, minHeight, n))
                     .first;
        return it->second;
    };
    auto place = [&](const QRect& cell, const cell_fit& f, int i) {
        return QRect(cell.x() + 1 + kMarkWidth + (i / f.rows) * f.width, cell.y() + 1 + band + (i % f.rows) * f.height,
                     f.width, f.height);
    };
    for (size_t i = 0; i < layout_.panels.size(); ++i) {
        const calendar_panel& panel = layout_.panels[i];
        const int cell = cellIndex(panel.row, panel.column);
        if (cell < 0 || cell >= int(count.size())) continue;
        const cell_fit& f = fit_of(count[size_t(cell)]);
        const QRect r = cellRect(panel.row, panel.column);
        if (panel.stack < f.shown) places_[i] = place(r, f, panel.stack);
        if (f.hidden > 0 && overflow_[size_t(cell)].hidden == 0)
            overflow_[size_t(cell)] = {place(r, f, f.shown), f.hidden};
    }
}

QRect CalendarView::panelRect(const calendar_panel& p) const {
    const calendar_panel* base = layout_.panels.data();
    if (&p >= base && &p < base + layout_.panels.size() && places_.size() == layout_.panels.size())
        return places_[size_t(&p - base)];
    const calendar_panel* own = panelNamed(p.name);
    return own && own != &p ? panelRect(*own) : QRect();
}

QRect CalendarView::overflowRect(int row, int column) const {
    const int cell = cellIndex(row, column);
    return cell >= 0 && cell < int(overflow_.size()) ? overflow_[size_t(cell)].rect : QRect();
}

int CalendarView::hiddenIn(int row, int column) const {
    const int cell = cellIndex(row, column);
    return cell >= 0 && cell < int(overflow_.size()) ? overflow_[size_t(cell)].hidden : 0;
}

const cell_staffing* CalendarView::staffingAt(int row, int column) const {
    const auto& cal = plan_.calendar;
    if (cal.grid.empty() || row < 0 || row >= cal.gridRows || column < 0 || column >= cal.gridColumns()) return nullptr;
    const calendar_cell& c = cal.cell(row, column);
    if (c.dayIndex < 0 || c.dayIndex >= int(layout_.staffing.size())) return nullptr;
    const auto& shifts = layout_.staffing[size_t(c.dayIndex)];
    if (c.slot < 1 || c.slot > int(shifts.size())) return nullptr;
    const cell_staffing& m = shifts[size_t(c.slot - 1)];
    return m.level == staffing_level::Enough ? nullptr : &m;
}

bool CalendarView::cellAt(QPoint pos, int& row, int& column) const {
    const auto& cal = plan_.calendar;
    if (cal.grid.empty()) return false;
    const int cw = columnWidth(), rh = rowHeight();
    if (pos.y() < headerHeight() || pos.x() < 0) return false;
    column = pos.x() / (cw + 1);
    row = (pos.y() - headerHeight()) / (rh + 1);
    return row >= 0 && row < cal.gridRows && column >= 0 && column < cal.gridColumns();
}

const calendar_panel* CalendarView::panelAt(QPoint pos) const {
    for (auto it = layout_.panels.rbegin(); it != layout_.panels.rend(); ++it)
        if (panelRect(*it).contains(pos)) return &*it;
    return nullptr;
}

const calendar_panel* CalendarView::panelNamed(const std::string& name) const {
    for (const calendar_panel& p : layout_.panels)
        if (p.name == name) return &p;
    return nullptr;
}

QPoint CalendarView::dayPoint(int dayIndex, int slot) const {
    const calendar_cell* c = komorka_dnia(plan_, dayIndex, slot);
    if (!c) return {-1, -1};
    const int idx = int(c - plan_.calendar.grid.data());
    const QRect r = cellRect(idx / plan_.calendar.gridColumns(), idx % plan_.calendar.gridColumns());
    return QPoint(r.right() - 2, r.bottom() - 2);
}

void CalendarView::selectCell(int row, int column) {
    const auto& cal = plan_.calendar;
    if (cal.grid.empty() || row < 0 || row >= cal.gridRows || column < 0 || column >= cal.gridColumns()) return;
    selRow_ = row;
    selColumn_ = column;
    const calendar_cell& c = cal.cell(row, column);
    update();
    // The window makes the choice the document's.
    emit cellSelected(c.dayIndex, c.dayIndex >= 0 ? c.slot : -1);
}

void CalendarView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    if (plan_.calendar.grid.empty()) return;
    paintHeader(p);
    paintCells(p);
    paintPanels(p);
    paint_wish_marks(p, plan_, [this](int r, int c) { return cellRect(r, c); });
    paintOverflow(p);
    paintStaffing(p);
}

void CalendarView::paintHeader(QPainter& p) {
    const std::vector<std::string> names =
        split_fields(plan_.tr.tr("f_MainForm", "sag_DaysNames", "Poniedziałek¤Wtorek¤Środa¤Czwartek¤Piątek¤Sobota¤Niedziela"));
    const int k = slots_of(plan_), cw = columnWidth();
    QFont f = font();
    f.setPointSize(8);
    f.setBold(true);
    p.setFont(f);
    for (int b = 0; b < 7; ++b) {
        const QRect r(b * k * (cw + 1), 0, k * (cw + 1) - 1, headerHeight() - 1);
        p.fillRect(r, QColor(230, 230, 230));
        p.setPen(b >= 5 ? QColor(180, 0, 0) : Qt::black);
        p.drawText(r, Qt::AlignCenter, b < int(names.size()) ? qs(names[size_t(b)]) : QString());
    }
}

void CalendarView::paintCells(QPainter& p) {
    const auto& cal = plan_.calendar;
    const int k = slots_of(plan_);
    QFont small = font();
    small.setPointSize(8);
    p.setFont(small);
    for (int r = 0; r < cal.gridRows; ++r)
        for (int c = 0; c < cal.gridColumns(); ++c) {
            const calendar_cell& cell = cal.cell(r, c);
            const QRect rect = cellRect(r, c);
            p.fillRect(rect, toQColor(cell.color));
            if (cell.dayIndex >= 0) {
                QString caption;
                switch (plan_.options.glowne.CalendarDisplay) {
                case 1: caption = QString::number(cell.dayNumber); break;
                case 2: caption = QString::number(layout_.panelsInCell(plan_, r, c)); break;
                default:
                    if (plan_.weekMode)
                        caption = QString("%1-%2").arg(cell.dayNumber).arg(cell.slot);
                    else
                        caption = QString::number(cell.slot);
                }
                p.setPen(QColor(192, 192, 192));
                p.drawText(rect.adjusted(0, 0, -2, -1), Qt::AlignRight | Qt::AlignBottom, caption);
                if (const QString day = dayNumberText(r, c); !day.isEmpty()) {
                    p.setFont(bandFont());
                    p.setPen(QColor(70, 70, 70));
                    p.drawText(dayNumberRect(r, c), Qt::AlignLeft | Qt::AlignVCenter, day);
                    p.setFont(small);
                }
                if (cell.fontColor != rgb(0, 0, 0)) {  // a day with a note
                    p.fillRect(QRect(rect.right() - 4, rect.top() + 1, 4, 4), toQColor(cell.fontColor));
                }
            }
            if ((c + 1) % k == 0) p.fillRect(QRect(rect.right() - 1, rect.top(), 2, rect.height()), QColor(128, 128, 128));
            if (r == selRow_ && c == selColumn_) {
                p.setPen(QPen(Qt::blue, 2));
                p.drawRect(rect.adjusted(1, 1, -1, -1));
            }
        }
}

void CalendarView::paintPanels(QPainter& p) {
    // One font per style, set only when the style changes: the month has
    // hundreds of panels and a font change is what costs.
    QFont fonts[8];
    for (int style = 0; style < 8; ++style) fonts[style] = panelFont(style);
    int current = -1;
    const QColor buttonText = palette().color(QPalette::ButtonText);
    for (size_t i = 0; i < layout_.panels.size() && i < places_.size(); ++i) {
        const QRect& r = places_[i];
        if (r.isEmpty()) continue;
        const calendar_panel& panel = layout_.panels[i];
        p.fillRect(r, toQColor(panel.back));
        const int style = style_of(panel);
        if (style != current) {
            p.setFont(fonts[style]);
            current = style;
        }
        p.setPen(panel.buttonText ? buttonText : toQColor(panel.fore));
        const QStaticText& text = caption(panel.text, style, fonts[style]);
        const QSizeF size = text.size();
        if (size.width() > r.width() - 2) {
            // A caption wider than its place (a day off named with its
            // worker) shrinks to fit rather than spill onto its neighbour.
            QFont smaller = fonts[style];
            smaller.setPixelSize(std::max(6, int(fonts[style].pixelSize() * (r.width() - 2) / size.width())));
            p.setFont(smaller);
            p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, qs(panel.text));
            p.setFont(fonts[style]);
        } else {
            p.drawStaticText(
                QPointF(r.x() + (r.width() - size.width()) / 2, r.y() + (r.height() - size.height()) / 2), text);
        }
        if (panel.border) {
            p.setPen(Qt::black);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
}

void CalendarView::paintOverflow(QPainter& p) {
    QFont f = panelFont(1);
    p.setFont(f);
    p.setPen(Qt::white);
    for (const overflow_place& o : overflow_) {
        if (o.hidden == 0) continue;
        p.fillRect(o.rect, QColor(70, 70, 70));
        p.drawText(o.rect, Qt::AlignCenter, QString("+%1").arg(o.hidden));
    }
}

void CalendarView::paintStaffing(QPainter& p) {
    const auto& cal = plan_.calendar;
    for (int r = 0; r < cal.gridRows; ++r)
        for (int c = 0; c < cal.gridColumns(); ++c)
            if (const cell_staffing* m = staffingAt(r, c)) {
                const QRect cell = cellRect(r, c);
                const QColor colour = m->level == staffing_level::Under ? QColor(215, 0, 0) : QColor(240, 140, 0);
                p.fillRect(QRect(cell.x(), cell.y(), kMarkWidth, cell.height()), colour);
                // A corner as well, so the mark shows on a cell of the same colour.
                const QPoint corner[3] = {cell.topLeft(), cell.topLeft() + QPoint(8, 0), cell.topLeft() + QPoint(0, 8)};
                p.setPen(Qt::NoPen);
                p.setBrush(colour);
                p.drawPolygon(corner, 3);
            }
    p.setBrush(Qt::NoBrush);
}

QString CalendarView::tipAt(QPoint pos) const {
    int r = -1, c = -1;
    if (!cellAt(pos, r, c)) return {};
    QString mark;
    if (const cell_staffing* m = staffingAt(r, c))
        mark = qs(staffing_mark_text(plan_, plan_.calendar.cell(r, c).slot - 1, *m));
    auto with_mark = [&](const QString& tip) -> QString {
        if (mark.isEmpty()) return tip;
        return tip.isEmpty() ? mark : QString(tip + "\n\n" + mark);
    };
    if (const calendar_panel* panel = panelAt(pos)) return with_mark(qs(panel_hint(plan_, *panel)));
    if (hiddenIn(r, c) > 0 && overflowRect(r, c).contains(pos)) {
        // The panels the cell has no room for, by name.
        QStringList names;
        for (size_t i = 0; i < layout_.panels.size() && i < places_.size(); ++i) {
            const calendar_panel& panel = layout_.panels[i];
            if (panel.row != r || panel.column != c || !places_[i].isEmpty()) continue;
            const prac& w = plan_.workers[size_t(panel.worker)];
            names << qs(w.fullName()) + (panel.duty ? QString() : " (" + qs(panel.text) + ")");
        }
        return with_mark(names.join('\n'));
    }
    const calendar_cell& cell = plan_.calendar.cell(r, c);
    const int m = plan_.currentMonth;
    QString note;
    if (cell.dayIndex >= 0 && m >= 0 && m < int(plan_.months.size()) &&
        cell.dayIndex < int(plan_.months[size_t(m)].days.size()))
        note = qs(plan_.months[size_t(m)].days[size_t(cell.dayIndex)].note);
    return with_mark(note);
}

bool CalendarView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString tip = tipAt(help->pos());
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, this);
        return true;
    }
    return QWidget::event(e);
}

void CalendarView::mousePressEvent(QMouseEvent* e) {
    pressPos_ = e->pos();
    pressedPanel_.clear();
    if (const calendar_panel* panel = panelAt(e->pos())) pressedPanel_ = panel->name;
    if (int r, c; cellAt(e->pos(), r, c)) selectCell(r, c);
}

void CalendarView::mouseMoveEvent(QMouseEvent* e) {
    if (!(e->buttons() & Qt::LeftButton) || pressedPanel_.empty()) return;
    if ((e->pos() - pressPos_).manhattanLength() < QApplication::startDragDistance()) return;
    auto* mime = new QMimeData;
    mime->setData(kPanelMime, QByteArray::fromStdString(pressedPanel_));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    pressedPanel_.clear();
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void CalendarView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (const calendar_panel* panel = panelAt(e->pos())) emit panelDoubleClicked(qs(panel->name));
}

void CalendarView::contextMenuEvent(QContextMenuEvent* e) {
    if (const calendar_panel* panel = panelAt(e->pos())) {
        emit panelMenu(qs(panel->name), e->globalPos());
        return;
    }
    if (int r, c; cellAt(e->pos(), r, c)) {
        selectCell(r, c);
        if (plan_.calendar.cell(r, c).dayIndex >= 0) emit cellMenu(plan_.calendar.cell(r, c).dayIndex, e->globalPos());
    }
}

void CalendarView::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasFormat(kPanelMime) || e->mimeData()->hasFormat(kSourceMime)) e->acceptProposedAction();
}

void CalendarView::dragMoveEvent(QDragMoveEvent* e) {
    int r, c;
    const QPoint pos = e->position().toPoint();
    if (!cellAt(pos, r, c) || plan_.calendar.cell(r, c).dayIndex < 0) {
        e->ignore();
        return;
    }
    if (r != selRow_ || c != selColumn_) selectCell(r, c);
    const bool copy = (e->modifiers() & Qt::ControlModifier) && e->mimeData()->hasFormat(kPanelMime);
    e->setDropAction(copy ? Qt::CopyAction : Qt::MoveAction);
    e->accept();
}

void CalendarView::dropEvent(QDropEvent* e) {
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    if (!dropAt(e->position().toPoint(), *e->mimeData(), ctrl)) return;
    e->setDropAction(ctrl ? Qt::CopyAction : Qt::MoveAction);
    e->accept();
}

bool CalendarView::dropAt(QPoint pos, const QMimeData& mime, bool ctrl) {
    int r, c;
    if (!cellAt(pos, r, c)) return false;
    const calendar_cell& cell = plan_.calendar.cell(r, c);
    if (cell.dayIndex < 0) return false;
    QString source;
    int worker = plan_.currentWorker;
    if (mime.hasFormat(kPanelMime)) {
        source = QString::fromUtf8(mime.data(kPanelMime));
    } else if (mime.hasFormat(kSourceMime)) {
        const QStringList parts = QString::fromUtf8(mime.data(kSourceMime)).split(':');
        source = parts.value(0);
        if (parts.size() > 1) worker = parts[1].toInt();
    } else {
        return false;
    }
    emit dropped(source, worker, cell.dayIndex, cell.slot, ctrl);
    return true;
}

void CalendarView::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Shift) {
        if (!typed_.isEmpty()) emit quickEntry(typed_);
        typed_.clear();
        return;
    }
    if ((e->modifiers() & Qt::ShiftModifier) && !e->text().isEmpty()) {
        typed_ += e->text();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

}  // namespace planek::ui
