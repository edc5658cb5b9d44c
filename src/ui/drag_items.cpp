#include "ui/drag_items.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>

#include "ui/calendar_view.h"

namespace planek::ui {

DragSource::DragSource(char kind, const QString& caption, std::function<int()> worker, QWidget* parent)
    : QLabel(caption, parent), kind_(kind), worker_(std::move(worker)) {
    setObjectName(QString(QChar(kind)));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(60, 24);
    setCursor(Qt::OpenHandCursor);
}

void DragSource::mousePressEvent(QMouseEvent*) {
    auto* mime = new QMimeData;
    mime->setData(kSourceMime, QByteArray(1, kind_) + ":" + QByteArray::number(worker_ ? worker_() : -1));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

Trash::Trash(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setObjectName("d_Trash");
    setAcceptDrops(true);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAlignment(Qt::AlignCenter);
    setMinimumSize(60, 24);
}

void Trash::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasFormat(kPanelMime)) e->acceptProposedAction();
}

void Trash::dropEvent(QDropEvent* e) {
    const QString panel = QString::fromUtf8(e->mimeData()->data(kPanelMime));
    e->acceptProposedAction();
    emit trashed(panel);
}

}  // namespace planek::ui
