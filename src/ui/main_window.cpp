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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLibraryInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>
#include <QVBoxLayout>
#include <cstdio>

#include "calendar/calendar_grid.h"
#include "calendar/caption_format.h"
#include "calendar/grid_moves.h"
#include "calendar/norm.h"
#include "calendar/refresh_hooks.h"
#include "calendar/summaries.h"
#include "core/text.h"
#include "document/month_acts.h"
#include "document/staff_acts.h"
#include "document/view_acts.h"
#include "editing/panel_names.h"
#include "files/month_lock.h"
#include "scheduler/scheduler.h"
#include "ui/dialogs/export_files.h"
#include "ui/calendar_view.h"
#include "ui/dialogs/day_off_dialog.h"
#include "ui/dialogs/duty_dialog.h"
#include "ui/drag_items.h"
#include "ui/gui_interaction.h"
#include "ui/panel_sizes.h"
#include "ui/plan_dialogs.h"
#include "ui/qt_text.h"
#include "ui/staff_lists.h"
#include "ui/summary_boxes.h"
#include "ui/warnings_dock.h"

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

// A text as the worker search compares it: without case and without the
// marks of the letters, so that "wisn" finds "Wiśniewska" on a keyboard
// without Polish letters.
QString search_form(const QString& text) {
    QString plain;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        if (c == QChar(0x0141) || c == QChar(0x0142)) c = QLatin1Char('l');  // ł has no mark to take off
        plain += c;
    }
    return plain.toCaseFolded();
}

QLabel* strip(const QString& name) {
    auto* l = new QLabel;
    l->setObjectName(name);
    l->setStyleSheet("QLabel { background: #3a5a8a; color: white; padding: 2px; font-weight: bold; }");
    return l;
}

// A panel that may be given less height than it needs scrolls instead of
// pushing the worker list below its rows.
QScrollArea* scrolled(QWidget* inside) {
    auto* area = new QScrollArea;
    area->setWidget(inside);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return area;
}

}  // namespace

void MainWindow::translated(const char* section, const char* key, const char* fallback,
                            std::function<void(const QString&)> set) {
    auto apply = [this, section, key, fallback, set = std::move(set)] { set(text(plan_, section, key, fallback)); };
    apply();
    retranslators_.push_back(std::move(apply));
}

QButtonGroup* MainWindow::radioGroup(QBoxLayout* into, const char* name, const char* fallback, int checked) {
    QString title;
    const int count = int(radio_items(text(plan_, "f_MainForm", name, fallback), title).size());
    auto* box = new QGroupBox;
    box->setObjectName(name);
    auto* lay = new QVBoxLayout(box);
    lay->setContentsMargins(4, 0, 4, 0);
    lay->setSpacing(0);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < count; ++i) {
        auto* b = new QRadioButton;
        group->addButton(b, i);
        lay->addWidget(b);
    }
    if (auto* b = group->button(checked)) b->setChecked(true);
    into->addWidget(box);
    translated("f_MainForm", name, fallback, [box, group](const QString& listText) {
        QString heading;
        const QStringList items = radio_items(listText, heading);
        box->setTitle(heading.trimmed());
        for (int i = 0; i < items.size(); ++i)
            if (QAbstractButton* b = group->button(i)) b->setText(items[i]);
    });
    return group;
}

void MainWindow::loadQtTranslations() {
    // Qt's own buttons and dialogs speak the chosen language where Qt
    // ships it; English needs nothing.
    qtTexts_.reset();
    if (plan_.options.language.empty() || plan_.options.language == "english") return;
    auto texts = std::make_unique<QTranslator>();
    const QString code = plan_.options.language == "polski" ? "pl" : qs(plan_.options.language);
    if (texts->load("qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(texts.get());
        qtTexts_ = std::move(texts);
    }
}

MainWindow::MainWindow(roster_document& doc, QWidget* parent)
    : QMainWindow(parent), doc_(doc), plan_(doc.plan()) {
    setObjectName("f_MainForm");
    loadQtTranslations();
    buildActions();
    auto* split = new QSplitter;
    split->setObjectName("split_Side");
    split->addWidget(buildCalendarSide());
    workerSide_ = buildWorkerSide();
    split->addWidget(workerSide_);
    split->setStretchFactor(0, 1);
    split->setChildrenCollapsible(false);
    keep_sizes(split, plan_.options.userSettingsFolder, "side");
    setCentralWidget(split);
    buildMenus();
    statusBar();  // where the actions' hints appear
    warnings_ = new WarningsDock(doc_, this);
    addDockWidget(Qt::BottomDockWidgetArea, warnings_);
    warnings_->hide();
    connect(warnings_, &WarningsDock::placeChosen, this, &MainWindow::showWarningPlace);
    warnings_->checked = [this] { refreshCalendar(); };

    // Other planners take and leave wards of the month at any time; their
    // lock files are few and small, so a look every few seconds costs nothing.
    wardsTimer_ = new QTimer(this);
    wardsTimer_->setObjectName("t_Wards");
    wardsTimer_->setInterval(3000);
    connect(wardsTimer_, &QTimer::timeout, this, &MainWindow::refreshWards);
    wardsTimer_->start();

    autosave_ = new QTimer(this);
    autosave_->setObjectName("t_SaveTimer");
    connect(autosave_, &QTimer::timeout, this, [this] {
        // A month from the store has no data folder to keep its copy in.
        if (!saveMonth) told(autosave(doc_));
    });
    restartAutosave();

    openDutyDialog = [this](const drop_result& r) {
        DutyDialog d(doc_, r.worker, r.dayIndex, r.duty, this);
        if (d.ready()) d.exec();
    };
    editDutyDialog = [this](const std::string& panel) {
        DutyDialog d(doc_, panel, this);
        if (d.ready()) d.exec();
    };
    openDayOffDialog = [this](const drop_result& r) {
        DayOffDialog d(doc_, r.worker, r.dayIndex, this);
        if (d.ready()) d.exec();
    };
    doc_.hooks().project.chooseSaveFile = [this](const std::string& folder,
                                                   const std::string& proposed) -> std::optional<std::string> {
        const QString f = QFileDialog::getSaveFileName(this, QString(), qs((std::filesystem::path(folder) / proposed).string()),
                                                       "Planek (*.pnk)");
        if (f.isEmpty()) return std::nullopt;
        return ss(f);
    };
    // Saved options count at once: an autosave interval changed in the
    // options dialog must not wait for the next start.
    doc_.hooks().options.applied = [this](const Plan&) { restartAutosave(); };
    workers_->exportCalendar = [this](int worker) { export_worker_calendar(doc_, worker, this); };
    subscription_ = doc_.subscribe([this](const change_notice& notice) { changed(notice); });
    refreshAll();
}

MainWindow::~MainWindow() {
    doc_.unsubscribe(subscription_);
    // The document keeps these hooks past the window; none may point at it.
    doc_.hooks() = {};
}

void MainWindow::changed(const change_notice& notice) {
    // The selected cell alone: its day box.
    if (notice.what == unsigned(change::view)) return refreshDayBox();
    if (notice.listsChanged() || notice.has(change::days)) return refreshAll();
    if (notice.has(change::view)) syncWorker();
    if (notice.has(change::entries) || notice.has(change::view)) refreshCalendar();
    refreshCaption();
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
    translated("f_MainForm", "a_PanelOnOff", "Lista pracowników",
               [b = panelButton_](const QString& t) { b->setToolTip(t); });
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
    calendar_->selectionKept = [this](int dayIndex, int slot) { told(select_cell(doc_, dayIndex, slot)); };
    connect(calendar_, &CalendarView::dropped, this, &MainWindow::handleDrop);
    connect(calendar_, &CalendarView::panelMenu, this, &MainWindow::showPanelMenu);
    connect(calendar_, &CalendarView::cellMenu, this, &MainWindow::showCellMenu);
    connect(calendar_, &CalendarView::cellSelected, this, &MainWindow::cellSelected);
    connect(calendar_, &CalendarView::quickEntry, this, &MainWindow::quickEntry);
    calendar_->installEventFilter(this);
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
    stWards_ = new QLabel;
    stWards_->setObjectName("st_Wards");
    stWards_->hide();
    status->addWidget(stWards_);
    status->addStretch(1);
    v->addLayout(status);
    return side;
}

QWidget* MainWindow::buildViewControls() {
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    showWho_ = radioGroup(h, "rg_ShowWho", "Pokaż: \rwszystkich\nwybranego", plan_.showWho);
    captions_ = radioGroup(h, "rg_Captions", "Napisy: \rkrótka nazwa\ntyp dyżuru\njako", 0);
    colours_ = radioGroup(h, "rg_Colors", "Kolory:\rpracownika\njako", 0);
    auto* shows = new QVBoxLayout;
    showDuties_ = new QCheckBox;
    showDuties_->setObjectName("cb_ShowDuties");
    translated("f_MainForm", "cb_ShowDuties", "dyżury", [b = showDuties_](const QString& t) { b->setText(t); });
    showDayOffs_ = new QCheckBox;
    showDayOffs_->setObjectName("cb_ShowDayOffs");
    translated("f_MainForm", "cb_ShowDayOffs", "wolne", [b = showDayOffs_](const QString& t) { b->setText(t); });
    showDuties_->setChecked(true);
    showDayOffs_->setChecked(true);
    shows->addWidget(showDuties_);
    shows->addWidget(showDayOffs_);
    h->addLayout(shows);
    dutyAs_ = new QListWidget;
    dutyAs_->setObjectName("clb_DutyAs");
    dutyAs_->setMaximumSize(160, 76);
    h->addWidget(dutyAs_);

    auto* add = new QGroupBox;
    add->setObjectName("gb_Add");
    translated("f_MainForm", "gb_Add", "Dodaj", [add](const QString& t) { add->setTitle(t); });
    auto* addLay = new QVBoxLayout(add);
    addLay->setContentsMargins(4, 0, 4, 2);
    auto current = [this] { return plan_.currentWorker; };
    auto* d = new DragSource('d', QString(), current);
    translated("f_MainForm", "d", "Dyżur", [d](const QString& t) { d->setText(t); });
    translated("f_MainForm", "d_Hint", "Kliknij i przeciągnij na kalendarz by dodać dyżur",
               [d](const QString& t) { d->setToolTip(t); });
    auto* w = new DragSource('w', QString(), current);
    translated("f_MainForm", "w", "Wolne", [w](const QString& t) { w->setText(t); });
    addLay->addWidget(d);
    addLay->addWidget(w);
    h->addWidget(add);
    auto* trash = new Trash(QString());
    translated("f_MainForm", "d_Trash", "Kosz", [trash](const QString& t) { trash->setText(t); });
    connect(trash, &Trash::trashed, this, &MainWindow::trashPanel);
    h->addWidget(trash);
    h->addWidget(buildDayBox(), 1);
    h->addStretch(0);

    auto onView = [this] {
        calendar_->options().captions = PanelCaptions(captions_->checkedId());
        calendar_->options().dutyAsColours = colours_->checkedId() == 1;
        calendar_->options().showDuties = showDuties_->isChecked();
        calendar_->options().showDayOffs = showDayOffs_->isChecked();
        std::array<bool, 4> filter = plan_.dutyAsFilter;
        for (int i = 0; i < dutyAs_->count() && i < 4; ++i) filter[size_t(i)] = dutyAs_->item(i)->checkState() == Qt::Checked;
        told(show_entries(doc_, showWho_->checkedId(), filter));
    };
    for (QButtonGroup* g : {showWho_, captions_, colours_}) connect(g, &QButtonGroup::idClicked, this, onView);
    connect(showDuties_, &QCheckBox::toggled, this, onView);
    connect(showDayOffs_, &QCheckBox::toggled, this, onView);
    connect(dutyAs_, &QListWidget::itemChanged, this, onView);
    return row;
}

// The selected day's staffing and note, in the room beside the view
// controls, so that opening it takes no height from the worker side.
QWidget* MainWindow::buildDayBox() {
    dayBox_ = new QGroupBox;
    dayBox_->setObjectName("gb_DaySummary");
    translated("f_MainForm", "gb_DaySummary", "Dzień", [b = dayBox_](const QString& t) { b->setTitle(t); });
    auto* dv = new QHBoxLayout(dayBox_);
    dv->setContentsMargins(4, 2, 4, 2);
    dv->setSpacing(1);
    dayFigures_ = new QLabel;
    dayFigures_->setObjectName("l_DayFigures");
    dayFigures_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The row's height is the view controls'; the day's lines scroll in it.
    dayFiguresArea_ = scrolled(dayFigures_);
    dayFiguresArea_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    dv->addWidget(dayFiguresArea_, 1);
    notes_ = new QPlainTextEdit;
    notes_->setObjectName("m_Notes");
    notes_->setReadOnly(true);
    notes_->setMaximumWidth(220);
    notes_->setMinimumWidth(60);
    notes_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    dv->addWidget(notes_);
    dayFigures_->setWordWrap(true);
    dayBox_->hide();
    dayBox_->setMaximumWidth(640);
    return dayBox_;
}

QWidget* MainWindow::buildWorkerSide() {
    auto* side = new QWidget;
    side->setObjectName("p_Workers");
    auto* v = new QVBoxLayout(side);
    v->setContentsMargins(2, 2, 2, 2);
    v->setSpacing(2);
    stWorkers_ = strip("st_Workers");
    v->addWidget(stWorkers_);
    auto* groupsLabel = new QLabel;
    translated("f_MainForm", "l_Groups", "Grupy pracowników: ", [groupsLabel](const QString& t) { groupsLabel->setText(t); });
    v->addWidget(groupsLabel);
    groups_ = new GroupList(plan_);
    connect(groups_, &QListWidget::currentRowChanged, this, [this](int row) { chooseGroup(groups_->groupAt(row)); });
    connect(groups_, &GroupList::groupMoved, this, &MainWindow::moveGroup);
    connect(groups_, &GroupList::editRequested, action("a_GroupEdit"), &QAction::trigger);
    v->addWidget(groups_);
    auto* workersLabel = new QLabel;
    translated("f_MainForm", "l_Workers", "Pracownicy: ", [workersLabel](const QString& t) { workersLabel->setText(t); });
    v->addWidget(workersLabel);
    auto* filters = new QHBoxLayout;
    showWorkers_ = radioGroup(filters, "rg_ShowWorkers", "Pokaż: \rczłonków grupy\nwszystkich", int(plan_.showWorkers));
    showDeleted_ = new QCheckBox;
    showDeleted_->setObjectName("cb_ShowDeleted");
    translated("f_MainForm", "cb_ShowDeleted", "Pokaż usuniętych", [b = showDeleted_](const QString& t) { b->setText(t); });
    filters->addWidget(showDeleted_);
    v->addLayout(filters);
    auto onFilter = [this] {
        told(show_workers(doc_, ShowWorkers(showWorkers_->checkedId()), showDeleted_->isChecked()));
    };
    connect(showWorkers_, &QButtonGroup::idClicked, this, onFilter);
    connect(showDeleted_, &QCheckBox::toggled, this, onFilter);
    workerSearch_ = new QLineEdit;
    workerSearch_->setObjectName("e_WorkerSearch");
    workerSearch_->setClearButtonEnabled(true);
    translated("f_MainForm", "e_WorkerSearch", "Szukaj pracownika...",
               [e = workerSearch_](const QString& t) { e->setPlaceholderText(t); });
    connect(workerSearch_, &QLineEdit::textChanged, this, &MainWindow::filterWorkers);
    v->addWidget(workerSearch_);
    workers_ = new WorkerList(plan_);
    connect(workers_, &QListWidget::currentRowChanged, this, [this](int row) { chooseWorker(workers_->workerAt(row)); });
    connect(workers_, &WorkerList::workerMoved, this, &MainWindow::moveWorker);
    connect(workers_, &WorkerList::editRequested, action("a_WorkerEdit"), &QAction::trigger);
    // The list, the summaries and the day box share the height as the user
    // drags it, so the list keeps its rows when the day box opens.
    auto* panels = new QSplitter(Qt::Vertical);
    panels->setObjectName("split_Workers");
    panels->setChildrenCollapsible(false);
    panels->addWidget(workers_);
    boxes_ = new SummaryBoxes(plan_);
    boxesArea_ = scrolled(boxes_);
    panels->addWidget(boxesArea_);
    panels->setStretchFactor(0, 1);
    // Until the user drags them: the summaries whole, the rest to the list.
    panels->setSizes({1000, boxes_->sizeHint().height()});
    keep_sizes(panels, plan_.options.userSettingsFolder, "workers");
    v->addWidget(panels, 1);
    side->setMinimumWidth(280);
    side->setMaximumWidth(640);
    return side;
}

void MainWindow::refreshAll() {
    refreshGroups();
    refreshWorkers();
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
    refreshCaption();
}

void MainWindow::refreshGroups() { groups_->refill(); }

void MainWindow::filterWorkers() {
    const QString wanted = search_form(workerSearch_->text().trimmed());
    for (int row = 0; row < workers_->count(); ++row) {
        const int w = workers_->workerAt(row);
        bool shown = wanted.isEmpty();
        if (!shown && w >= 0 && w < int(plan_.workers.size())) {
            const prac& p = plan_.workers[size_t(w)];
            for (const std::string* field : {&p.surname, &p.firstName, &p.nick})
                shown = shown || search_form(qs(*field)).contains(wanted);
        }
        workers_->item(row)->setHidden(!shown);
    }
}

void MainWindow::refreshWorkers(bool) {
    workers_->refill();
    filterWorkers();
    const bool any = workers_->count() > 0;
    for (const char* a : {"a_WorkerEdit", "a_WorkerDelete", "a_DutyAdd", "a_DayOffAdd"})
        if (QAction* act = action(a)) act->setEnabled(any);
    syncWorker();
    boxes_->refresh();
}

void MainWindow::syncWorker() {
    const int w = plan_.currentWorker;
    if (workers_->workerAt(workers_->currentRow()) != w) {
        QSignalBlocker block(workers_);
        workers_->selectWorker(w);
    }
    if (w < 0 || w >= int(plan_.workers.size())) return;
    const bool old = plan_.workers[size_t(w)].old;
    if (QAction* a = action("a_WorkerRestore")) a->setEnabled(old);
    if (QAction* a = action("a_WorkerDelete")) a->setEnabled(!old);
}

void MainWindow::refreshCalendar() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // Outsiders are listed only while their duties are shown: the last
    // rebuild's leave the list, this rebuild's join it, in grey.
    calendar_->rebuild();
    list_outsiders(doc_, calendar_->layout().outsiders);
    {
        QSignalBlocker block(workers_);
        for (int row = workers_->count() - 1; row >= 0; --row)
            if (workers_->item(row)->data(OutsiderRole).toBool()) delete workers_->takeItem(row);
        for (const listed_worker& lw : plan_.listed) {
            if (!lw.outsider) continue;
            auto* it = new QListWidgetItem(qs(plan_.workers[size_t(lw.worker)].fullName()), workers_);
            it->setData(WorkerRole, lw.worker);
            it->setData(OutsiderRole, true);
        }
    }
    filterWorkers();
    workers_->viewport()->update();
    groups_->viewport()->update();
    stCalendar_->setText(qs(plan_.calendar.st_Calendar));
    QStringList norm;
    for (const std::string& line : paired_caption_lines(plan_.calendar.st_NormaTitle, plan_.calendar.st_normaValue))
        norm << qs(line);
    stNorma_->setText(norm.join('\n'));
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

void MainWindow::refreshCaption() {
    // The desktop puts the program's name after the title itself; the
    // title names only the file, marked while it has unsaved changes.
    const QString file =
        caption ? caption() : qs(std::filesystem::path(plan_.currentFile).filename().string());
    setWindowTitle(file.isEmpty() ? qs(plan_.options.appTitle) : file + "[*]");
    setWindowModified(doc_.modified());
    refreshUndoActions();
    // Every act ends here: the warnings shown follow the roster.
    if (warnings_) warnings_->refreshSoon();
    if (wardsReadFor_ != std::pair(plan_.currentFile, plan_.currentGroup)) refreshWards();
}

void MainWindow::refreshWards() {
    if (!stWards_) return;
    wardsReadFor_ = {plan_.currentFile, plan_.currentGroup};
    std::map<int, QString> held;
    QString whole, others, alsoHere;
    const QString by = text(plan_, "f_MainForm", "l_WardHeldBy", "planuje %s");
    if (wardEditors) {
        // On the server nobody's ward is closed to the others: their saves
        // merge row by row, so the shown one only says who else is in it.
        for (const auto& [g, who] : wardEditors()) {
            if (g < 0 || g >= int(plan_.groups.size())) continue;
            if (g == plan_.currentGroup)
                alsoHere = who;
            else
                others += (others.isEmpty() ? "" : ", ") + qs(plan_.groups[size_t(g)].nick) + " " + who;
            held[g] = QString(by).replace("%s", who);
        }
    }
    if (plan_.guards.wardLocks && !plan_.currentFile.empty()) {
        for (const month_hold& h : month_holds(plan_.currentFile, plan_.clock->now())) {
            const QString name = qs(holder_name(h.owner));
            if (!h.group) whole = name;
            for (size_t g = 0; h.group && g < plan_.groups.size(); ++g) {
                if (plan_.groups[g].id != *h.group) continue;
                held[int(g)] = QString(by).replace("%s", name);
                if (int(g) != plan_.currentGroup)
                    others += (others.isEmpty() ? "" : ", ") + qs(plan_.groups[g].nick) + " " + name;
            }
        }
    }
    const auto shown = held.find(plan_.currentGroup);
    const bool readOnly = !whole.isEmpty() || (shown != held.end() && alsoHere.isEmpty());
    QString line;
    if (!whole.isEmpty())
        line = text(plan_, "f_MainForm", "l_MonthReadOnly", "Tylko do odczytu: miesiąc ma otwarty %s").replace("%s", whole);
    else if (shown != held.end())
        line = text(plan_, "f_MainForm", "l_WardReadOnly", "Tylko do odczytu: tę grupę %s").replace("%s", shown->second);
    if (!alsoHere.isEmpty())
        line = text(plan_, "f_MainForm", "l_WardAlsoEdited", "Tę grupę edytuje też %s").replace("%s", alsoHere);
    if (!others.isEmpty())
        line += (line.isEmpty() ? "" : "   ") +
                text(plan_, "f_MainForm", "l_OtherWardsHeld", "Planują też: %s").replace("%s", others);
    groups_->setHolders(std::move(held));
    stWards_->setText(line);
    stWards_->setStyleSheet(readOnly ? "color: #b03020; font-weight: bold" : "color: #b03020");
    stWards_->setVisible(!line.isEmpty());
}

bool MainWindow::event(QEvent* event) {
    // Back from another program: another planner may have taken or left a ward.
    if (event->type() == QEvent::WindowActivate) refreshWards();
    return QMainWindow::event(event);
}

void MainWindow::chooseGroup(int g) {
    if (g < 0 || g >= int(plan_.groups.size())) return;
    told(show_group(doc_, g));
    if (warnings_) warnings_->refreshSoon();  // the warnings are the shown group's
}

void MainWindow::chooseWorker(int w) {
    if (w < 0 || w >= int(plan_.workers.size())) return;
    told(show_worker(doc_, w));
}

bool MainWindow::selectDay(int dayIndex, int slot) {
    const calendar_cell* c = komorka_dnia(plan_, dayIndex, slot);
    if (!c) c = komorka_dnia(plan_, dayIndex, 1);
    const int columns = plan_.calendar.gridColumns();
    if (!c || columns <= 0) return false;
    const int at = int(c - plan_.calendar.grid.data());
    calendar_->selectCell(at / columns, at % columns);
    return true;
}

void MainWindow::showWarningPlace(const warning_place& place) {
    if (place.worker >= 0) chooseWorker(place.worker);
    // Day numbers are the shown month's; week mode has no warnings.
    if (place.day > 0 && !plan_.weekMode) selectDay(place.day - 1, place.shift >= 0 ? place.shift + 1 : 1);
}

void MainWindow::moveWorker(int from, int to) { told(move_worker(doc_, from, to)); }

void MainWindow::moveGroup(int from, int to) { told(move_group(doc_, from, to)); }

void MainWindow::togglePanel() {
    workerSide_->setVisible(!workerSide_->isVisible());
    panelButton_->setText(workerSide_->isVisible() ? "»" : "«");
    calendar_->update();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == calendar_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (calendarKey(key->key(), key->modifiers())) return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::calendarKey(int key, Qt::KeyboardModifiers modifiers) {
    // Shift with letters is the quick entry of a short name.
    if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return false;
    const grid_cell selected{plan_.selectedCellDay, plan_.selectedCellShift};
    auto move = [&](grid_move m) {
        if (const std::optional<grid_cell> to = moved_cell(plan_, selected, m)) selectDay(to->dayIndex, to->slot);
        return true;
    };
    switch (key) {
        case Qt::Key_Left: return move(grid_move::Left);
        case Qt::Key_Right: return move(grid_move::Right);
        case Qt::Key_Up: return move(grid_move::Up);
        case Qt::Key_Down: return move(grid_move::Down);
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (selected.dayIndex < 0) return false;
            if (QAction* add = action("a_DutyAdd"); add && add->isEnabled()) add->trigger();
            return true;
        case Qt::Key_Delete:
            deleteSelectedDuty();
            return true;
        case Qt::Key_PageUp:
            if (plan_.currentMonth > 0) switchTab(plan_.currentMonth - 1);
            return true;
        case Qt::Key_PageDown:
            if (plan_.currentMonth + 1 < int(plan_.openFiles.size())) switchTab(plan_.currentMonth + 1);
            return true;
        default: return false;
    }
}

void MainWindow::deleteSelectedDuty() {
    const int w = plan_.currentWorker, day = plan_.selectedCellDay;
    if (w < 0 || w >= int(plan_.workers.size()) || day < 0 || day >= kMaxDays) return;
    const prac& p = plan_.workers[size_t(w)];
    if (plan_.currentMonth < 0 || plan_.currentMonth >= int(p.months.size())) return;
    const std::vector<dyzur>& list = p.months[size_t(plan_.currentMonth)].duties[size_t(day)];
    // The duty of the selected shift, else the worker's only duty that day.
    int position = -1;
    for (size_t i = 0; i < list.size() && position < 0; ++i)
        if (list[i].shift == plan_.selectedCellShift) position = int(i);
    if (position < 0 && list.size() == 1) position = 0;
    if (position >= 0) deletePanel(qs(duty_panel_name(w, day, position)));
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
