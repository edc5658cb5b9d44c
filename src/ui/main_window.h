#pragma once
#include <QMainWindow>
#include <functional>

#include "core/plan.h"

class QListWidget;
class QLabel;

namespace planek::ui {

// The main window shows the plan and forwards the user's acts to the core;
// it keeps no rule of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Plan& plan, QWidget* parent = nullptr);

    // Asked when the window is about to close; false keeps it open.
    std::function<bool()> onClose;

    void refreshGroups();
    void refreshWorkers();
    QListWidget* groupList() const { return groups_; }
    QListWidget* workerList() const { return workers_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void groupChosen(int row);
    void workerChosen(int row);

    Plan& plan_;
    QListWidget* groups_;
    QListWidget* workers_;
    QLabel* calendar_;
    std::vector<int> groupRows_;  // list row -> group index
};

}  // namespace planek::ui
