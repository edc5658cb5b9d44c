#include "ui/staff_lists.h"

#include <QDrag>
#include <QDropEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/time_text.h"
#include "ui/calendar_view.h"
#include "ui/dialogs/export_files.h"
#include "ui/qt_text.h"

namespace planek::ui {

namespace {

constexpr int kSwatch = 14;
constexpr int kBar = 140;
constexpr int kRowHeight = 18;
constexpr int kMinimumRows = 8;

QFont swatch_font(const QFont& base) {
    QFont f = base;
    f.setPointSize(7);
    return f;
}

// A swatch wide enough for the widest short name of the list, so none is
// cut and the names beside the swatches stay in one column.
int swatch_width(const QFont& base, const std::vector<std::string>& nicks, int least) {
    const QFontMetrics fm(swatch_font(base));
    int width = least;
    for (const std::string& nick : nicks) width = std::max(width, fm.horizontalAdvance(qs(nick)) + 4);
    return width;
}

// The row's background and its colour swatch with the short name, in the
// list's small font; returns the swatch.
QRect paint_swatch(QPainter* p, const QStyleOptionViewItem& opt, int width, colour fill, const std::string& nick) {
    const bool selected = opt.state & QStyle::State_Selected;
    const QRect r = opt.rect;
    p->fillRect(r, opt.palette.color(selected ? QPalette::Highlight : QPalette::Base));
    p->setFont(swatch_font(opt.font));
    const QRect swatch(r.left() + 2, r.top() + 1, width, r.height() - 2);
    p->fillRect(swatch, toQColor(fill));
    p->setPen(Qt::black);
    p->drawText(swatch, Qt::AlignCenter, qs(nick));
    return swatch;
}

}  // namespace

worker_row_places worker_row_layout(const QRect& row, int nameLeft, int figuresWidth) {
    // Clear of the scroll bar beside the list, and of the name before them.
    constexpr int kEdge = 6, kGap = 4;
    worker_row_places at;
    const int right = row.right() - kEdge;
    at.figures = QRect(right - figuresWidth + 1, row.top() + 2, figuresWidth, row.height() - 2);
    const int nameRight = figuresWidth > 0 ? at.figures.left() - kGap : right;
    at.name = QRect(nameLeft, row.top(), std::max(0, nameRight - nameLeft + 1), row.height() - 2);
    return at;
}

namespace {

const ms_* month_of(const Plan& plan, int w) {
    if (w < 0 || w >= int(plan.workers.size())) return nullptr;
    const prac& p = plan.workers[size_t(w)];
    const int m = plan.currentMonth;
    return m >= 0 && m < int(p.months.size()) ? &p.months[size_t(m)] : nullptr;
}

}  // namespace

namespace detail {

class WorkerDelegate : public QStyledItemDelegate {
public:
    WorkerDelegate(const Plan& plan, QObject* parent) : QStyledItemDelegate(parent), plan_(plan) {}

    int swatch = kSwatch;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {200, kRowHeight}; }

    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        const int w = index.data(WorkerRole).toInt();
        if (w < 0 || w >= int(plan_.workers.size())) return;
        const prac& worker = plan_.workers[size_t(w)];
        const bool selected = opt.state & QStyle::State_Selected;
        const QRect r = opt.rect;
        p->save();
        const int left = r.left() + swatch + 6;
        paint_swatch(p, opt, swatch, worker.color, worker.nick);
        QFont f = opt.font;

        const ms_* m = month_of(plan_, w);
        if (m && m->workerNorm > 0) {
            const double ratio = double(m->sum.total[0].workedMinutes + m->sum.creditedMinutes) / m->workerNorm;
            const int len = std::min(kBar, int(std::lround(ratio * kBar)));
            const QColor c = ratio < 1 ? Qt::red : ratio == 1 ? Qt::green : Qt::blue;
            p->fillRect(QRect(left, r.bottom() - 1, len, 2), c);
            p->fillRect(QRect(left + kBar, r.bottom() - 3, 1, 3), Qt::gray);
        }

        f.setPointSize(8);
        const grupa* g = plan_.group();
        f.setBold(g && worker.inGroup(g->id));
        f.setStrikeOut(worker.old);
        p->setFont(f);
        const bool outsider = index.data(OutsiderRole).toBool();
        p->setPen(selected ? Qt::white : outsider ? Qt::gray : opt.palette.color(QPalette::Text));
        const QString name = qs(worker.fullName());

        QString figures;
        const int nightLength = plan_.options.wydruki.noc_do;
        if (nightLength != 0 && m) {
            const double nights = std::nearbyint(double(m->sum.total[0].nightMinutes) / nightLength);
            char buf[64];
            std::snprintf(buf, sizeof buf, "%s/%d/%d", min2h(m->sum.total[0].holidayMinutes).c_str(),
                          int(worker.sum.dutyCount), int(nights));
            figures = QString::fromUtf8(buf);
        }
        QFont plain = f;
        plain.setBold(false);
        plain.setStrikeOut(false);
        const worker_row_places at =
            worker_row_layout(r, left, figures.isEmpty() ? 0 : QFontMetrics(plain).horizontalAdvance(figures));
        p->drawText(at.name, Qt::AlignLeft | Qt::AlignVCenter,
                    QFontMetrics(f).elidedText(name, Qt::ElideRight, at.name.width()));
        if (!figures.isEmpty()) {
            p->setFont(plain);
            p->drawText(at.figures, Qt::AlignRight | Qt::AlignTop, figures);
        }
        p->restore();
    }

private:
    const Plan& plan_;
};

class GroupDelegate : public QStyledItemDelegate {
public:
    GroupDelegate(const Plan& plan, QObject* parent) : QStyledItemDelegate(parent), plan_(plan) {}

    int swatch = kSwatch + 6;

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return {200, kRowHeight}; }

    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
        const int g = index.data(GroupRole).toInt();
        if (g < 0 || g >= int(plan_.groups.size())) return;
        const grupa& group = plan_.groups[size_t(g)];
        const bool selected = opt.state & QStyle::State_Selected;
        const QRect r = opt.rect;
        p->save();
        const QRect drawn = paint_swatch(p, opt, swatch, group.color, group.nick);
        QFont f = opt.font;
        f.setPointSize(8);
        p->setFont(f);
        p->setPen(selected ? Qt::white : opt.palette.color(QPalette::Text));
        int norm = group.customNorm ? group.customNormMinutes : group.monthNorm;
        if (g == plan_.currentGroup) norm = plan_.calendar.normMinutes;
        QString caption = qs(group.name) + "  " + qs(min2h(norm));
        if (g == plan_.currentGroup && plan_.months.size() > 1)
            caption += " [" + qs(min2h(plan_.period.normMinutes)) + "]";
        const QRect textRect = r.adjusted(drawn.width() + 6, 0, -2, 0);
        const QString holder = index.data(HolderRole).toString();
        const QFontMetrics fm(f);
        // In a narrow list the ward's name and who plans it elsewhere share
        // the row: the holder takes at most half, cut at the end so the
        // planner's name stays, and the whole of both is in the tooltip.
        const int holderWidth =
            holder.isEmpty() ? 0 : std::min(fm.horizontalAdvance(holder) + 8, textRect.width() / 2);
        const int captionWidth = std::max(0, textRect.width() - holderWidth);
        p->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(caption, Qt::ElideRight, captionWidth));
        if (!holder.isEmpty()) {
            if (!selected) p->setPen(QColor(0xB0, 0x30, 0x20));
            p->drawText(textRect, Qt::AlignRight | Qt::AlignVCenter,
                        fm.elidedText(holder, Qt::ElideRight, std::max(0, holderWidth - 8)));
        }
        p->restore();
    }

private:
    const Plan& plan_;
};

}  // namespace detail

using detail::GroupDelegate;
using detail::WorkerDelegate;

WorkerList::WorkerList(const Plan& plan, QWidget* parent) : QListWidget(parent), plan_(plan) {
    setObjectName("cb_kadra_new");
    delegate_ = new WorkerDelegate(plan, this);
    setItemDelegate(delegate_);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A double click opens the worker's dialog (editRequested); the list's
    // own editing of item texts would only fail.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Eight rows at the least, whatever the panels below it take.
    setMinimumHeight(kMinimumRows * kRowHeight + 2 * frameWidth() + 2);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        const int worker = workerAt(row(itemAt(at)));
        if (worker < 0) return;
        QMenu menu(this);
        QAction* calendar = menu.addAction(qs(plan_.tr.tr("f_MainForm", "mi_WorkerCalendar", "Eksport kalendarza...")));
        calendar->setObjectName("mi_WorkerCalendar");
        if (menu.exec(viewport()->mapToGlobal(at)) == calendar && exportCalendar) exportCalendar(worker);
    });
}

int WorkerList::swatchWidth() const { return delegate_->swatch; }

int WorkerList::workerAt(int row) const {
    const QListWidgetItem* it = item(row);
    return it ? it->data(WorkerRole).toInt() : -1;
}

bool WorkerList::selectWorker(int worker) {
    for (int i = 0; i < count(); ++i)
        if (workerAt(i) == worker) {
            setCurrentRow(i);
            return true;
        }
    return false;
}

void WorkerList::refill() {
    QSignalBlocker block(this);
    clear();
    // Who is listed and their sums are the document's; the list shows them.
    int row = -1;
    for (const listed_worker& lw : plan_.listed) {
        auto* it = new QListWidgetItem(qs(plan_.workers[size_t(lw.worker)].fullName()), this);
        it->setData(WorkerRole, lw.worker);
        it->setData(OutsiderRole, lw.outsider);
        if (lw.worker == plan_.currentWorker && row < 0) row = count() - 1;
    }
    std::vector<std::string> nicks;
    for (const prac& p : plan_.workers) nicks.push_back(p.nick);  // outsiders may join the list later
    delegate_->swatch = swatch_width(font(), nicks, kSwatch);
    setCurrentRow(row);
}

namespace {

// The item under a double click becomes the current one (its own press may
// have been taken by a refresh of the window) and the edit is asked for; the
// list's own item editing stays off.
template <class List>
bool double_clicked(List* list, QMouseEvent* e) {
    QListWidgetItem* it = list->itemAt(e->position().toPoint());
    if (!it || e->button() != Qt::LeftButton) return false;
    if (list->currentItem() != it) list->setCurrentItem(it);
    e->accept();
    return true;
}

}  // namespace

void WorkerList::mouseDoubleClickEvent(QMouseEvent* e) {
    if (double_clicked(this, e))
        emit editRequested();
    else
        QListWidget::mouseDoubleClickEvent(e);
}

void GroupList::mouseDoubleClickEvent(QMouseEvent* e) {
    if (double_clicked(this, e))
        emit editRequested();
    else
        QListWidget::mouseDoubleClickEvent(e);
}

void WorkerList::startDrag(Qt::DropActions) {
    const int w = workerAt(currentRow());
    if (w < 0) return;
    auto* mime = new QMimeData;
    mime->setData(kSourceMime, QByteArray("d:") + QByteArray::number(w));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void WorkerList::dragEnterEvent(QDragEnterEvent* e) {
    if (e->source() == this) e->acceptProposedAction();
}

void WorkerList::dragMoveEvent(QDragMoveEvent* e) {
    if (e->source() == this) e->acceptProposedAction();
}

void WorkerList::dropEvent(QDropEvent* e) {
    if (e->source() != this) return;
    const int from = workerAt(currentRow());
    QListWidgetItem* target = itemAt(e->position().toPoint());
    const int to = target ? target->data(WorkerRole).toInt() : -1;
    e->setDropAction(Qt::IgnoreAction);
    e->accept();
    if (from >= 0 && to >= 0 && from != to) emit workerMoved(from, to);
}

GroupList::GroupList(const Plan& plan, QWidget* parent) : QListWidget(parent), plan_(plan) {
    setObjectName("cb_grupa");
    delegate_ = new GroupDelegate(plan, this);
    setItemDelegate(delegate_);
    setDragDropMode(QAbstractItemView::InternalMove);
    setEditTriggers(QAbstractItemView::NoEditTriggers);  // a double click opens the group's dialog
}

int GroupList::groupAt(int row) const {
    const QListWidgetItem* it = item(row);
    return it ? it->data(GroupRole).toInt() : -1;
}

void GroupList::refill() {
    QSignalBlocker block(this);
    clear();
    int row = -1;
    for (size_t g = 0; g < plan_.groups.size(); ++g) {
        const grupa& gr = plan_.groups[g];
        if (gr.old) continue;
        auto* it = new QListWidgetItem(QString::number(g) + "=" + qs(gr.name), this);
        it->setData(GroupRole, int(g));
        if (int(g) == plan_.currentGroup) row = count() - 1;
    }
    std::vector<std::string> nicks;
    for (const grupa& g : plan_.groups) nicks.push_back(g.nick);
    delegate_->swatch = swatch_width(font(), nicks, kSwatch + 6);
    showHolders();
    setCurrentRow(row);
    // As tall as its groups (two rows at the least, six before it scrolls),
    // so the height a ward of two groups does not need goes to the workers.
    setFixedHeight(std::clamp(count(), 2, 6) * kRowHeight + 2 * frameWidth() + 2);
}

void GroupList::setHolders(std::map<int, QString> holders) {
    if (holders == holders_) return;
    holders_ = std::move(holders);
    showHolders();
}

QString GroupList::holderShown(int group) const {
    const auto it = holders_.find(group);
    return it == holders_.end() ? QString() : it->second;
}

void GroupList::showHolders() {
    QSignalBlocker block(this);
    for (int row = 0; row < count(); ++row) {
        QListWidgetItem* it = item(row);
        const QString holder = holderShown(it->data(GroupRole).toInt());
        it->setData(HolderRole, holder);
        const int g = it->data(GroupRole).toInt();
        const QString name = g >= 0 && g < int(plan_.groups.size()) ? qs(plan_.groups[size_t(g)].name) : QString();
        it->setToolTip(holder.isEmpty() ? name : name + "\n" + holder);
    }
}

void GroupList::dropEvent(QDropEvent* e) {
    const int from = groupAt(currentRow());
    QListWidgetItem* target = itemAt(e->position().toPoint());
    const int to = target ? target->data(GroupRole).toInt() : -1;
    e->setDropAction(Qt::IgnoreAction);
    e->accept();
    if (from >= 0 && to >= 0 && from != to) emit groupMoved(from, to);
}

}  // namespace planek::ui
