#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QRegularExpression>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdio>

#include "calendar/calendar_grid.h"
#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/summaries.h"
#include "files/backups.h"
#include "files/month_project.h"
#include "scheduler/scheduler.h"
#include "ui/calendar_view.h"
#include "ui/dialogs/day_off_dialog.h"
#include "ui/dialogs/duty_dialog.h"
#include "ui/drag_items.h"
#include "ui/gui_interaction.h"
#include "ui/plan_dialogs.h"
#include "ui/qt_text.h"
#include "ui/staff_lists.h"
#include "ui/summary_boxes.h"

namespace planek::ui {

namespace {

// A radio group caption as the language files keep it: the title, "\r",
// then the items separated by "\n" (written as such or as escapes).
QStringList radio_items(const QString& listText, QString& title) {
    QString s = listText;
    s.replace("\\r", "\r").replace("\\n", "\n");
    const int cut = s.indexOf('\r');
    title = cut >= 0 ? s.left(cut) : QString();
    return (cut >= 0 ? s.mid(cut + 1) : s).split('\n');
}

QButtonGroup* radio_group(QWidget* owner, QBoxLayout* into, const QString& name, const QString& listText, int checked) {
    QString title;
    const QStringList items = radio_items(listText, title);
    auto* box = new QGroupBox(title.trimmed());
    box->setObjectName(name);
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(4, 0, 4, 0);
    lay->setSpacing(0);
    auto* group = new QButtonGroup(owner);
    for (int i = 0; i < items.size(); ++i) {
        auto* b = new QRadioButton(items[i]);
        group->addButton(b, i);
        lay->addWidget(b);
    }
    if (auto* b = group->button(checked)) b->setChecked(true);
    into->addWidget(box);
    return group;
}

QLabel* strip(const QString& name) {
    auto* l = new QLabel;
    l->setObjectName(name);
    l->setStyleSheet("QLabel { background: #3a5a8a; color: white; padding: 2px; font-weight: bold; }");
    return l;
}

}  // namespace

MainWindow::MainWindow(Plan& plan, QWidget* parent) : QMainWindow(parent), plan_(plan) {
    setObjectName("f_MainForm");
    buildActions();
    auto* split = new QSplitter;
    split->addWidget(buildCalendarSide());
    workerSide_ = buildWorkerSide();
    split->addWidget(workerSide_);
    split->setStretchFactor(0, 1);
    setCentralWidget(split);
    buildMenus();
    statusBar();  // where the actions' hints appear

    autosave_ = new QTimer(this);
    autosave_->setObjectName("t_SaveTimer");
    connect(autosave_, &QTimer::timeout, this, [this] { t_SaveTimer(plan_); });
    restartAutosave();

    openDutyDialog = [this](const drop_result& r) {
        DutyDialog d(plan_, r.worker, r.dayIndex, r.duty, this);
        if (d.ready()) d.exec();
    };
    editDutyDialog = [this](const std::string& panel) {
        DutyDialog d(plan_, panel, this);
        if (d.ready() && d.exec() == QDialog::Accepted) afterEdit(plan_.currentWorker);
    };
    openDayOffDialog = [this](const drop_result& r) {
        DayOffDialog d(plan_, r.worker, r.dayIndex, this);
        if (d.ready()) d.exec();
    };
    plan_.hooks.project.chooseSaveFile = [this](const std::string& folder,
                                                  const std::string& proposed) -> std::optional<std::string> {
        const QString f = QFileDialog::getSaveFileName(this, QString(), qs((std::filesystem::path(folder) / proposed).string()),
                                                       "Planek (*.pnk)");
        if (f.isEmpty()) return std::nullopt;
        return ss(f);
    };
    plan_.hooks.project.refreshViews = [this](Plan&) {
        // Another project: no day of it is selected yet.
        plan_.selectedCellDay = -1;
        plan_.selectedCellShift = -1;
        refreshAll();
    };
    // Saved options count at once: an autosave interval changed in the
    // options dialog must not wait for the next start.
    plan_.hooks.options.applied = [this](Plan&) { restartAutosave(); };
    refreshAll();
}

MainWindow::~MainWindow() {
    // The core keeps these hooks past the window; none may point at it.
    plan_.hooks = {};
}

QWidget* MainWindow::buildCalendarSide() {
    auto* side = new QWidget;
    auto* v = new QVBoxLayout(side);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    tabs_ = new QTabBar;
    tabs_->setObjectName("tab_month");
    connect(tabs_, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab >= 0 && tab != plan_.currentMonth) switchTab(tab);
    });
    auto* top = new QHBoxLayout;
    top->addWidget(tabs_, 1);
    panelButton_ = new QToolButton;
    panelButton_->setObjectName("xpan");
    panelButton_->setText("»");
    panelButton_->setToolTip(text(plan_, "f_MainForm", "a_PanelOnOff", "Lista pracowników"));
    panelButton_->setAutoRaise(true);
    connect(panelButton_, &QToolButton::clicked, this, &MainWindow::togglePanel);
    top->addWidget(panelButton_);
    v->addLayout(top);
    stCalendar_ = strip("st_Calendar");
    v->addWidget(stCalendar_);
    stNorma_ = new QLabel;
    stNorma_->setObjectName("st_Norma");
    v->addWidget(stNorma_);
    calendar_ = new CalendarView(plan_);
    connect(calendar_, &CalendarView::dropped, this, &MainWindow::handleDrop);
    connect(calendar_, &CalendarView::panelMenu, this, &MainWindow::showPanelMenu);
    connect(calendar_, &CalendarView::cellMenu, this, &MainWindow::showCellMenu);
    connect(calendar_, &CalendarView::cellSelected, this, &MainWindow::cellSelected);
    connect(calendar_, &CalendarView::quickEntry, this, &MainWindow::quickEntry);
    connect(calendar_, &CalendarView::panelDoubleClicked, this, [this](const QString& p) {
        if (p.startsWith('p') && editDutyDialog) editDutyDialog(ss(p));
    });
    v->addWidget(calendar_, 1);
    v->addWidget(buildViewControls());
    auto* status = new QHBoxLayout;
    stStatus_ = new QLabel;
    stStatus_->setObjectName("st_Status");
    stType_ = new QLabel;
    stType_->setObjectName("st_Type");
    status->addWidget(stStatus_);
    status->addWidget(stType_);
    status->addStretch(1);
    v->addLayout(status);
    return side;
}

QWidget* MainWindow::buildViewControls() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    showWho_ = radio_group(this, h, "rg_ShowWho", text(plan_, "f_MainForm", "rg_ShowWho", "Pokaż: \rwszystkich\nwybranego"),
                           plan_.showWho);
    captions_ = radio_group(this, h, "rg_Captions",
                            text(plan_, "f_MainForm", "rg_Captions", "Napisy: \rkrótka nazwa\ntyp dyżuru\njako"), 0);
    colours_ = radio_group(this, h, "rg_Colors", text(plan_, "f_MainForm", "rg_Colors", "Kolory:\rpracownika\njako"), 0);
    auto* shows = new QVBoxLayout;
    showDuties_ = new QCheckBox(text(plan_, "f_MainForm", "cb_ShowDuties", "dyżury"));
    showDuties_->setObjectName("cb_ShowDuties");
    showDayOffs_ = new QCheckBox(text(plan_, "f_MainForm", "cb_ShowDayOffs", "wolne"));
    showDayOffs_->setObjectName("cb_ShowDayOffs");
    showDuties_->setChecked(true);
    showDayOffs_->setChecked(true);
    shows->addWidget(showDuties_);
    shows->addWidget(showDayOffs_);
    h->addLayout(shows);
    dutyAs_ = new QListWidget;
    dutyAs_->setObjectName("clb_DutyAs");
    dutyAs_->setMaximumSize(160, 76);
    h->addWidget(dutyAs_);

    auto* add = new QGroupBox(text(plan_, "f_MainForm", "gb_Add", "Dodaj"));
    add->setObjectName("gb_Add");
    auto* addLay = new QVBoxLayout(add);
    addLay->setContentsMargins(4, 0, 4, 2);
    auto current = [this] { return plan_.currentWorker; };
    auto* d = new DragSource('d', text(plan_, "f_MainForm", "d", "Dyżur"), current);
    d->setToolTip(text(plan_, "f_MainForm", "d_Hint", "Kliknij i przeciągnij na kalendarz by dodać dyżur"));
    auto* w = new DragSource('w', text(plan_, "f_MainForm", "w", "Wolne"), current);
    addLay->addWidget(d);
    addLay->addWidget(w);
    h->addWidget(add);
    auto* trash = new Trash(text(plan_, "f_MainForm", "d_Trash", "Kosz"));
    connect(trash, &Trash::trashed, this, &MainWindow::trashPanel);
    h->addWidget(trash);
    h->addStretch(1);

    auto onView = [this] {
        plan_.showWho = showWho_->checkedId();
        calendar_->options().captions = PanelCaptions(captions_->checkedId());
        calendar_->options().dutyAsColours = colours_->checkedId() == 1;
        calendar_->options().showDuties = showDuties_->isChecked();
        calendar_->options().showDayOffs = showDayOffs_->isChecked();
        for (int i = 0; i < dutyAs_->count() && i < 4; ++i)
            plan_.dutyAsFilter[size_t(i)] = dutyAs_->item(i)->checkState() == Qt::Checked;
        refreshCalendar();
    };
    for (QButtonGroup* g : {showWho_, captions_, colours_}) connect(g, &QButtonGroup::idClicked, this, onView);
    connect(showDuties_, &QCheckBox::toggled, this, onView);
    connect(showDayOffs_, &QCheckBox::toggled, this, onView);
    connect(dutyAs_, &QListWidget::itemChanged, this, onView);
    return row;
}

QWidget* MainWindow::buildWorkerSide() {
    auto* side = new QWidget;
    side->setObjectName("p_Workers");
    auto* v = new QVBoxLayout(side);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    stWorkers_ = strip("st_Workers");
    v->addWidget(stWorkers_);
    v->addWidget(new QLabel(text(plan_, "f_MainForm", "l_Groups", "Grupy pracowników: ")));
    groups_ = new GroupList(plan_);
    groups_->setMaximumHeight(110);
    connect(groups_, &QListWidget::currentRowChanged, this, [this](int row) { chooseGroup(groups_->groupAt(row)); });
    connect(groups_, &GroupList::groupMoved, this, &MainWindow::moveGroup);
    v->addWidget(groups_);
    v->addWidget(new QLabel(text(plan_, "f_MainForm", "l_Workers", "Pracownicy: ")));
    auto* filters = new QHBoxLayout;
    showWorkers_ = radio_group(this, filters, "rg_ShowWorkers",
                               text(plan_, "f_MainForm", "rg_ShowWorkers", "Pokaż: \rczłonków grupy\nwszystkich"),
                               int(plan_.showWorkers));
    showDeleted_ = new QCheckBox(text(plan_, "f_MainForm", "cb_ShowDeleted", "Pokaż usuniętych"));
    showDeleted_->setObjectName("cb_ShowDeleted");
    filters->addWidget(showDeleted_);
    v->addLayout(filters);
    auto onFilter = [this] {
        plan_.showWorkers = ShowWorkers(showWorkers_->checkedId());
        plan_.showDeleted = showDeleted_->isChecked();
        refreshWorkers(true);
        refreshCalendar();
    };
    connect(showWorkers_, &QButtonGroup::idClicked, this, onFilter);
    connect(showDeleted_, &QCheckBox::toggled, this, onFilter);
    workers_ = new WorkerList(plan_);
    connect(workers_, &QListWidget::currentRowChanged, this, [this](int row) { chooseWorker(workers_->workerAt(row)); });
    connect(workers_, &WorkerList::workerMoved, this, &MainWindow::moveWorker);
    v->addWidget(workers_, 1);
    boxes_ = new SummaryBoxes(plan_);
    v->addWidget(boxes_);
    dayBox_ = new QGroupBox(text(plan_, "f_MainForm", "gb_DaySummary", "Dzień"));
    dayBox_->setObjectName("gb_DaySummary");
    auto* dv = new QVBoxLayout(dayBox_);
    dv->setContentsMargins(4, 2, 4, 2);
    dv->setSpacing(1);
    dayFigures_ = new QLabel;
    dayFigures_->setObjectName("l_DayFigures");
    dv->addWidget(dayFigures_);
    notes_ = new QPlainTextEdit;
    notes_->setObjectName("m_Notes");
    notes_->setReadOnly(true);
    notes_->setMaximumHeight(50);
    dv->addWidget(notes_);
    dayBox_->hide();
    v->addWidget(dayBox_);
    side->setMinimumWidth(280);
    side->setMaximumWidth(360);
    return side;
}

void MainWindow::refreshAll() {
    // Showing the plan again is no change of it.
    const bool modified = plan_.modified;
    refreshGroups();
    if (plan_.currentGroup >= 0) normatyw(plan_, true, plan_.currentMonth, true);
    refreshWorkers(true);
    call_odswiez_okres(plan_, false, false, -1);
    {
        QSignalBlocker block(dutyAs_);
        dutyAs_->clear();
        for (size_t i = 0; i < plan_.dutyAs.size() && i < 4; ++i) {
            auto* it = new QListWidgetItem(qs(plan_.dutyAs[i].name), dutyAs_);
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            it->setCheckState(plan_.dutyAsFilter[i] ? Qt::Checked : Qt::Unchecked);
        }
    }
    refreshTabs();
    refreshCalendar();
    refreshStatus();
    plan_.modified = modified;
    refreshCaption();
}

void MainWindow::refreshGroups() { groups_->refill(); }

void MainWindow::refreshWorkers(bool summaries) {
    workers_->refill(summaries);
    const bool any = workers_->count() > 0;
    for (const char* a : {"a_WorkerEdit", "a_WorkerDelete", "a_DutyAdd"})
        if (QAction* act = action(a)) act->setEnabled(any);
    boxes_->refresh();
}

void MainWindow::refreshCalendar() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Outsiders are listed only while their duties are shown: the last
    // rebuild's leave the list, this rebuild's join it, in grey.
    usun_tymczasowych_pracownikow(plan_);
    while (workers_->count() > int(plan_.listed.size())) delete workers_->takeItem(workers_->count() - 1);
    calendar_->rebuild();
    for (size_t i = size_t(workers_->count()); i < plan_.listed.size(); ++i) {
        const listed_worker& lw = plan_.listed[i];
        auto* it = new QListWidgetItem(qs(plan_.workers[size_t(lw.worker)].fullName()), workers_);
        it->setData(WorkerRole, lw.worker);
        it->setData(OutsiderRole, true);
    }
    workers_->viewport()->update();
    groups_->viewport()->update();
    stCalendar_->setText(qs(plan_.calendar.st_Calendar));
    stNorma_->setText(qs(plan_.calendar.st_NormaTitle + plan_.calendar.st_normaValue));
    boxes_->refresh();
    if (plan_.currentWorker >= 0) {
        const worker_boxes b = ramki_pracownika(plan_, plan_.currentWorker, plan_.currentMonth);
        stWorkers_->setText(qs(b.st_Workers));
    } else {
        stWorkers_->setText(text(plan_, "f_MainForm", "st_Workers", ":: Pracownicy"));
    }
    if (QAction* save = action("a_ProjectSave")) save->setEnabled(true);
    refreshDayBox();
    QApplication::restoreOverrideCursor();
}

void MainWindow::refreshTabs() {
    QSignalBlocker block(tabs_);
    while (tabs_->count() > 0) tabs_->removeTab(0);
    const size_t n = std::max<size_t>(1, plan_.openFiles.size());
    for (size_t i = 0; i < n && i < plan_.months.size(); ++i) {
        const miesiac& m = plan_.months[i];
        QString caption = qs(month_name(plan_, m.month ? m.month : plan_.month));
        if (plan_.weekMode) {
            char buf[64];
            std::snprintf(buf, sizeof buf, " (%.2d-%d)", plan_.weekModeFrom, plan_.weekModeCount);
            caption += buf;
        }
        tabs_->addTab(caption);
    }
    tabs_->setCurrentIndex(plan_.currentMonth);
    // The bar sizes itself from its tabs only when first laid out.
    tabs_->setFixedHeight(std::max(22, tabs_->sizeHint().height()));
}

void MainWindow::refreshStatus() {
    const QString status = text(plan_, "f_Parameters", "rg_Status", "Status: \rniezatwierdzony\nzatwierdzony");
    QString title;
    const QStringList items = radio_items(status, title);
    stStatus_->setText(title.trimmed().remove(QRegularExpression(":$")) + ": " +
                       items.value(plan_.approvedStatus == 1 ? 1 : 0));
    stStatus_->setStyleSheet(plan_.approvedStatus == 1 ? "color: green" : "color: red");
    const QStringList types =
        radio_items(text(plan_, "f_Parameters", "cb_Type", "Typ: \rplanowany\nzrealizowany"), title);
    stType_->setText(title.trimmed().remove(QRegularExpression(":$")) + ": " + types.value(plan_.planType == 1 ? 1 : 0));
}

void MainWindow::refreshCaption() { setWindowTitle(qs(project_caption(plan_))); }

void MainWindow::chooseGroup(int g) {
    if (g < 0 || g >= int(plan_.groups.size())) return;
    plan_.currentGroup = g;
    normatyw(plan_, true, plan_.currentMonth, true);
    refreshWorkers(true);
    call_odswiez_okres(plan_, false, false, -1);
    refreshCalendar();
}

void MainWindow::chooseWorker(int w) {
    if (w < 0 || w >= int(plan_.workers.size())) return;
    if (w != plan_.currentWorker) plan_.currentWorker = w;
    if (workers_->workerAt(workers_->currentRow()) != w) {
        QSignalBlocker block(workers_);
        workers_->selectWorker(w);
    }
    call_odswiez_pracownika(plan_, w, plan_.showWorkers == ShowWorkers::All, plan_.currentMonth);
    const bool old = plan_.workers[size_t(w)].old;
    if (QAction* a = action("a_WorkerRestore")) a->setEnabled(old);
    if (QAction* a = action("a_WorkerDelete")) a->setEnabled(!old);
    refreshCalendar();
}

void MainWindow::moveWorker(int from, int to) {
    move_record(plan_.workers, from, to);
    plan_.rebuildWorkerIds();
    if (plan_.currentWorker == from) plan_.currentWorker = to;
    refreshWorkers(false);
    refreshCalendar();
}

void MainWindow::moveGroup(int from, int to) {
    move_record(plan_.groups, from, to);
    plan_.currentGroup = to;
    refreshGroups();
    chooseGroup(to);
}

void MainWindow::togglePanel() {
    workerSide_->setVisible(!workerSide_->isVisible());
    panelButton_->setText(workerSide_->isVisible() ? "»" : "«");
    calendar_->update();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (onClose && !onClose()) {
        event->ignore();
        return;
    }
    autosave_->stop();
    event->accept();
}

}  // namespace planek::ui
