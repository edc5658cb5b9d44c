#include "ui/main_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QVBoxLayout>

#include "ui/gui_interaction.h"

namespace planek::ui {

namespace {

QColor toQColor(colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QString text(const Plan& plan, const char* section, const char* key, const char* fallback) {
    return QString::fromStdString(plan.tr.tr(section, key, fallback));
}

}  // namespace

MainWindow::MainWindow(Plan& plan, QWidget* parent) : QMainWindow(parent), plan_(plan) {
    setWindowTitle(appTitle());
    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(new QLabel(text(plan_, "f_MainForm", "l_Groups", "Grupy")));
    groups_ = new QListWidget;
    groups_->setObjectName("lb_Groups");
    leftLayout->addWidget(groups_, 1);
    leftLayout->addWidget(new QLabel(text(plan_, "f_MainForm", "l_Workers", "Pracownicy")));
    workers_ = new QListWidget;
    workers_->setObjectName("lb_Workers");
    leftLayout->addWidget(workers_, 3);

    calendar_ = new QLabel;
    calendar_->setAlignment(Qt::AlignCenter);
    calendar_->setText(text(plan_, "f_MainForm", "Calendar", "Kalendarz"));

    auto* split = new QSplitter;
    split->addWidget(left);
    split->addWidget(calendar_);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);

    connect(groups_, &QListWidget::currentRowChanged, this, &MainWindow::groupChosen);
    connect(workers_, &QListWidget::currentRowChanged, this, &MainWindow::workerChosen);
    refreshGroups();
}

void MainWindow::refreshGroups() {
    QSignalBlocker block(groups_);
    groups_->clear();
    groupRows_.clear();
    int selectRow = -1;
    for (size_t g = 0; g < plan_.groups.size(); ++g) {
        const grupa& gr = plan_.groups[g];
        if (gr.old) continue;
        auto* item = new QListWidgetItem(QString::fromStdString(gr.name), groups_);
        item->setBackground(toQColor(gr.color));
        if (int(g) == plan_.currentGroup) selectRow = int(groupRows_.size());
        groupRows_.push_back(int(g));
    }
    if (selectRow < 0 && !groupRows_.empty()) {
        selectRow = 0;
        plan_.currentGroup = groupRows_[0];
    }
    groups_->setCurrentRow(selectRow);
    refreshWorkers();
}

void MainWindow::refreshWorkers() {
    QSignalBlocker block(workers_);
    workers_->clear();
    plan_.listed.clear();
    plan_.rebuildWorkerIds();
    const grupa* g = plan_.group();
    for (size_t w = 0; w < plan_.workers.size(); ++w) {
        const prac& p = plan_.workers[w];
        if (p.old && !plan_.showDeleted) continue;
        if (plan_.showWorkers == ShowWorkers::Group && (!g || !p.inGroup(g->id))) continue;
        std::string text = p.surname + " " + p.firstName;
        plan_.listed.push_back({int(w), text, false});
        auto* item = new QListWidgetItem(QString::fromStdString(text), workers_);
        item->setBackground(toQColor(p.color));
    }
    plan_.currentWorker = -1;
}

void MainWindow::groupChosen(int row) {
    if (row < 0 || row >= int(groupRows_.size())) return;
    plan_.currentGroup = groupRows_[row];
    refreshWorkers();
}

void MainWindow::workerChosen(int row) {
    plan_.currentWorker = (row >= 0 && row < int(plan_.listed.size())) ? plan_.listed[row].worker : -1;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (onClose && !onClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace planek::ui
