#pragma once
#include <map>
// The group list and the owner-drawn worker list of the main window.
#include <QListWidget>
#include <functional>

#include "core/plan.h"

namespace planek::ui {

namespace detail {
class WorkerDelegate;
class GroupDelegate;
}  // namespace detail

enum StaffRole { WorkerRole = Qt::UserRole, OutsiderRole, GroupRole, HolderRole };

// Where a worker row draws its name and its figures: the figures keep off
// the list's right edge, the name ends before them (elided when it must).
struct worker_row_places {
    QRect name;
    QRect figures;
};
worker_row_places worker_row_layout(const QRect& row, int nameLeft, int figuresWidth);

// cb_kadra_new: every item a worker; drawn with its swatch, progress line,
// bold/struck-out name and the holiday/duties/nights figures. Dragged onto
// the calendar an item is a new duty for its worker; dragged within the list
// it moves the worker.
class WorkerList : public QListWidget {
    Q_OBJECT
public:
    explicit WorkerList(const Plan& plan, QWidget* parent = nullptr);
    // The rows of the workers the document lists, the chosen one selected.
    void refill();
    // The popup's "Eksport kalendarza..." for a worker.
    std::function<void(int worker)> exportCalendar;
    // Selects the row of a worker; false when it is not listed.
    bool selectWorker(int worker);
    int workerAt(int row) const;
    // Width of the colour swatches, fitted to the widest short name.
    int swatchWidth() const;

signals:
    void workerMoved(int from, int to);  // worker table indexes
    // A double click on a worker: she is selected and her dialog is wanted.
    void editRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void startDrag(Qt::DropActions actions) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    const Plan& plan_;
    detail::WorkerDelegate* delegate_ = nullptr;
};

// cb_grupa: one item per group not archived, drawn with its swatch, name and
// norm of the month. Dragged within the list it moves the group.
class GroupList : public QListWidget {
    Q_OBJECT
public:
    explicit GroupList(const Plan& plan, QWidget* parent = nullptr);
    void refill();  // odswiez_grupy
    int groupAt(int row) const;
    // The caption after each group another planner holds ("planuje
    // ewa@stacja-2"), by group index; kept over refills.
    void setHolders(std::map<int, QString> holders);
    QString holderShown(int group) const;

signals:
    void groupMoved(int from, int to);  // group table indexes
    // A double click on a group: it is made current and its dialog wanted.
    void editRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void showHolders();

    const Plan& plan_;
    detail::GroupDelegate* delegate_ = nullptr;
    std::map<int, QString> holders_;
};

// Moves a record to another place of its table, the ones between shifting
// by one.
template <class T>
void move_record(std::vector<T>& table, int from, int to) {
    if (from < 0 || to < 0 || from >= int(table.size()) || to >= int(table.size()) || from == to) return;
    T moved = std::move(table[size_t(from)]);
    table.erase(table.begin() + from);
    table.insert(table.begin() + to, std::move(moved));
}

}  // namespace planek::ui
