#pragma once
// The small drag partners of the calendar: the source items "Dyżur" and
// "Wolne", and the trash "Kosz".
#include <QLabel>
#include <functional>

namespace planek::ui {

// Dragged onto a day it starts a new duty ("d") or day off ("w") for the
// worker the callback names (the current one).
class DragSource : public QLabel {
    Q_OBJECT
public:
    DragSource(char kind, const QString& caption, std::function<int()> worker, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    char kind_;
    std::function<int()> worker_;
};

// Takes only duty and day-off panels; what is let go here is removed.
class Trash : public QLabel {
    Q_OBJECT
public:
    explicit Trash(const QString& caption, QWidget* parent = nullptr);

signals:
    void trashed(const QString& panel);

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

}  // namespace planek::ui
