// The menus, the toolbar and the acts of the main window: each forwards to a
// routine of the core and refreshes what it changed.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QToolBar>

#include <algorithm>
#include <memory>

#include "calendar/day_box.h"
#include "calendar/time_text.h"
#include "document/act_group.h"
#include "document/day_off_acts.h"
#include "document/duty_acts.h"
#include "document/month_acts.h"
#include "document/parameter_acts.h"
#include "document/schedule_acts.h"
#include "document/staff_acts.h"
#include "document/view_acts.h"
#include "editing/duty_remove.h"
#include "editing/message_text.h"
#include "editing/panel_names.h"
#include "files/backups.h"
#include "files/recent_files.h"
#include "scheduler/scheduler.h"
#include "scheduler/warnings.h"
#include "ui/calendar_view.h"
#include "editing/group_model.h"
#include "editing/worker_model.h"
#include "ui/dialogs/day_off_dialog.h"
#include "ui/dialogs/duty_dialog.h"
#include "ui/dialogs/export_files.h"
#include "ui/dialogs/group_dialog.h"
#include "ui/dialogs/options_dialog.h"
#include "ui/dialogs/remove_dialogs.h"
#include "ui/dialogs/scheduler_run.h"
#include "ui/dialogs/templates_dialog.h"
#include "ui/dialogs/worker_dialog.h"
#include "ui/main_window.h"
#include "ui/plan_dialogs.h"
#include "ui/qt_text.h"
#include "ui/staff_lists.h"
#include "ui/summary_boxes.h"
#include "ui/warnings_dock.h"
#include "ui/wish_marks.h"

namespace planek::ui {

QAction* MainWindow::action(const QString& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* MainWindow::makeAction(const char* name, const char* caption, const char* shortcut, const char* hint) {
    auto* a = new QAction(this);
    a->setObjectName(name);
    if (shortcut) a->setShortcut(QKeySequence(shortcut));
    translated("f_MainForm", name, caption, [a](const QString& t) { a->setText(t); });
    if (hint) {
        auto setHint = [this, a, hintKey = std::string(name) + "_Hint", hint] {
            a->setStatusTip(qs(plan_.tr.tr("f_MainForm", hintKey, hint)));
            a->setToolTip(a->statusTip());
        };
        setHint();
        retranslators_.push_back(setHint);
    }
    actions_[name] = a;
    return a;
}

QMenu* MainWindow::translatedMenu(QMenu* parent, const char* key, const char* fallback) {
    QMenu* m = parent ? parent->addMenu(QString()) : menuBar()->addMenu(QString());
    m->setObjectName(key);
    translated("f_MainForm", key, fallback, [m](const QString& t) { m->setTitle(t); });
    return m;
}

void MainWindow::buildActions() {
    auto on = [this](QAction* a, auto f) { connect(a, &QAction::triggered, this, f); };

    on(makeAction("a_ProjectNew", "Nowy", "Ctrl+N", "Nowy planek bieżącego miesiąca"), [this] {
        const planek::result<> made = new_month(doc_);
        if (made.error().kind != refusal_kind::Cancelled) told(made);
    });
    on(makeAction("a_ProjectOpen", "Otwórz...", "Ctrl+O", "Otwórz plik planu"), [this] { openProject(); });
    // The month's save writes a changed staff with it, both files or neither.
    on(makeAction("a_ProjectSave", "Zapisz", "Ctrl+S", "Zapisz planek"), [this] {
        if (saveMonth) saveMonth();
        else told(save_month(doc_));
    });
    on(makeAction("mi_SaveAs", "Zapisz jako...", "Ctrl+Shift+S"), [this] { told(save_month_as(doc_)); });
    on(makeAction("a_Parameters", "Parametry...", "F4", "Miesiąc, rok, status i typ planu"),
       [this] { runParameters(); });
    on(makeAction("a_RestoreMonth", "Miesiąc z kopii"), [this] { told(restore_month_copy(doc_)); });
    on(makeAction("a_RestoreWorkers", "Kadra i grupy z kopii"), [this] {
        if (told(restore_staff_copy(doc_))) close();
    });
    on(makeAction("mi_RestoreArchive", "pliki użytkownika..."), [this] {
        std::optional<std::string> archive;
        if (chooseArchive) {
            archive = chooseArchive();
        } else {
            // The language file gives the filter as "text|pattern".
            const QString filter = text(plan_, "messages", "d_BackupFilter", "Backup file (*.bak)|*.bak").section('|', 0, 0);
            const QString f = QFileDialog::getOpenFileName(this, text(plan_, "messages", "d_BackupOpen", "Restore..."),
                                                           qs(plan_.paths.backup.string()), filter);
            if (!f.isEmpty()) archive = ss(f);
        }
        if (archive) told(restore_archive(plan_, *archive));
    });
    on(makeAction("a_Exit", "Zakończ", "Alt+F4"), [this] { close(); });

    auto workerDialog = [this](int worker) {
        WorkerDialog d(doc_, workerForm_, worker, this);
        d.exec();
    };
    on(makeAction("a_WorkerAdd", "Dodaj pracownika...", "Ctrl+Ins"), [workerDialog] { workerDialog(-1); });
    on(makeAction("a_WorkerEdit", "Edytuj pracownika...", "Ctrl+E"),
       [this, workerDialog] { workerDialog(plan_.currentWorker); });
    on(makeAction("a_WorkerDelete", "Usuń pracownika"), [this] { told(archive_worker(doc_, plan_.currentWorker)); });
    on(makeAction("a_WorkerRestore", "Przywróć pracownika"),
       [this] { told(restore_worker(doc_, plan_.currentWorker)); });
    auto groupDialog = [this](bool edit) {
        // "Zapisz jako domyślne" and the reset of the pattern starts act at
        // once, OK after them: the visit is one step.
        act_group visit(doc_, edit ? "undo_GroupEdit" : "undo_GroupAdd", edit ? "Edytuj grupę" : "Dodaj grupę");
        GroupDialog d(doc_, groupForm_, edit, this);
        d.exec();
    };
    on(makeAction("a_GroupAdd", "Dodaj grupę..."), [groupDialog] { groupDialog(false); });
    on(makeAction("a_GroupEdit", "Edytuj grupę..."), [groupDialog] { groupDialog(true); });
    on(makeAction("a_GroupDelete", "Usuń grupę"), [this] { told(delete_group(doc_, plan_.currentGroup)); });

    on(makeAction("a_DutyAdd", "Dodaj dyżur...", "Ctrl+D", "Dodaj dyżur wybranemu pracownikowi w zaznaczonym dniu"),
       [this] { addDutyAtSelection(); });
    on(makeAction("a_DayOffAdd", "Dodaj wolne...", "Ctrl+W"), [this] {
        if (!told(selected_cell(plan_))) return;
        openDayOffFor(plan_.currentWorker, plan_.selectedCellDay);
    });
    const std::pair<const char*, bulk_removal> bulk[] = {
        {"mi_d_CurrentWorker", bulk_removal::DutiesOfWorker}, {"mi_d_CurrentGroup", bulk_removal::DutiesOfGroup},
        {"mi_d_All", bulk_removal::AllDuties},                {"mi_do_CurrentWorker", bulk_removal::DaysOffOfWorker},
        {"mi_do_CurrentGroup", bulk_removal::DaysOffOfGroup}, {"mi_do_All", bulk_removal::AllDaysOff},
    };
    const char* bulkCaptions[] = {"Dyżury wybranego pracownika", "Dyżury wybranej grupy", "Wszystkie dyżury",
                                  "Wolne wybranego pracownika",  "Wolne wybranej grupy",  "Wszystkie wolne"};
    for (int i = 0; i < 6; ++i) {
        const bulk_removal what = bulk[i].second;
        on(makeAction(bulk[i].first, bulkCaptions[i]), [this, what] { told(remove_entries(doc_, what)); });
    }
    on(makeAction("a_Automatic", "Automatyczne rozpisanie dyżurów", "F9", "Rozpisz dyżury grupy automatycznie"),
       [this] {
           told(run_scheduler_in_window(doc_, this, [this] { refreshCalendar(); }));
       });
    on(makeAction("a_Warnings", "Ostrzeżenia", "F8", "Sprawdź planek i pokaż ostrzeżenia"), [this] {
        // The findings are shown in the window; the file opens on request.
        if (!warnings_->check()) return;
        warnings_->show();
        warnings_->raise();
    });
    on(makeAction("a_Templates", "Wydruki...", "F5"), [this] {
        TemplatesDialog d(doc_, this);
        d.exec();
    });
    on(makeAction("a_Export", "Eksport..."), [this] { export_month(doc_, this); });
    on(makeAction("a_Options", "Opcje..."), [this] {
        const std::string language = plan_.options.language;
        OptionsDialog d(doc_, this);
        d.exec();
        // OK applies the options without saving them; they count at once too.
        restartAutosave();
        if (plan_.options.language != language) applyLanguage();
    });
    on(makeAction("mi_DutiesRemove", "Usuń dyżury i wolne..."), [this] {
        RemoveDialog d(doc_, "mi_DutiesRemove", this);
        d.exec();
    });
    on(makeAction("a_OvertimeLoad", "Wczytaj nadgodziny z poprzedniego miesiąca..."), [this] {
        const QString f = QFileDialog::getOpenFileName(this, QString(), QString(), "Planek (*.pnk)");
        if (!f.isEmpty()) told(load_overtime(doc_, ss(f)));
    });
    on(makeAction("a_OvertimeClear", "Zeruj nadgodziny z poprzedniego miesiąca"),
       [this] { told(clear_overtime(doc_)); });
    on(makeAction("a_PanelOnOff", "Lista pracowników", "F11"), [this] { togglePanel(); });
    on(makeAction("a_MarkAsHoliday", "Święto"), [this] { told(toggle_holiday(doc_, plan_.selectedCellDay)); });
    on(makeAction("a_ERDuty", "Ostry dyżur"), [this] { told(toggle_er_duty(doc_, plan_.selectedCellDay)); });
    on(makeAction("a_DayProperties", "Właściwości dnia..."), [this] { runDayProperties(plan_.selectedCellDay); });
    on(makeAction("a_About", "O programie..."), [this] {
        AboutDialog d(plan_, this);
        d.exec();
    });
    buildUndoActions();
}

void MainWindow::buildMenus() {
    auto menu = [this](const char* key, const char* caption) { return translatedMenu(nullptr, key, caption); };
    QMenu* project = menu("mi_Project", "Planek");
    for (const char* a : {"a_ProjectNew", "a_ProjectOpen"}) project->addAction(action(a));
    recentMenu_ = translatedMenu(project, "mi_Recent", "Ostatnio otwierane");
    recentMenu_->setObjectName("pm_Recent");
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentMenu);
    project->addAction(action("a_ProjectSave"));
    project->addAction(action("mi_SaveAs"));
    project->addSeparator();
    restoreMenu_ = translatedMenu(project, "mi_RestoreData", "Przywróć dane");
    restoreMenu_->addAction(action("a_RestoreMonth"));
    restoreMenu_->addAction(action("a_RestoreWorkers"));
    restoreMenu_->addAction(action("mi_RestoreArchive"));
    connect(restoreMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRestoreMenu);
    project->addAction(action("a_Parameters"));
    project->addSeparator();
    project->addAction(action("a_Exit"));

    QMenu* staff = menu("mi_Workers", "Kadra");
    for (const char* a : {"a_WorkerAdd", "a_WorkerEdit", "a_WorkerDelete", "a_WorkerRestore"})
        staff->addAction(action(a));
    staff->addSeparator();
    for (const char* a : {"a_GroupAdd", "a_GroupEdit", "a_GroupDelete"}) staff->addAction(action(a));

    QMenu* duties = menu("mi_Duties", "Dyżury");
    for (const char* a : {"a_DutyAdd", "a_DayOffAdd", "mi_DutiesRemove"}) duties->addAction(action(a));
    QMenu* remove = translatedMenu(duties, "mi_Remove", "Usuń wszystkie");
    for (const char* a : {"mi_d_CurrentWorker", "mi_d_CurrentGroup", "mi_d_All"}) remove->addAction(action(a));
    remove->addSeparator();
    for (const char* a : {"mi_do_CurrentWorker", "mi_do_CurrentGroup", "mi_do_All"}) remove->addAction(action(a));
    duties->addSeparator();
    for (const char* a : {"a_Automatic", "a_Warnings"}) duties->addAction(action(a));
    duties->addSeparator();
    for (const char* a : {"a_MarkAsHoliday", "a_ERDuty", "a_DayProperties"}) duties->addAction(action(a));

    QMenu* tools = menu("mi_Tools", "Narzędzia");
    for (const char* a : {"a_Templates", "a_Export", "a_Options", "a_OvertimeLoad", "a_OvertimeClear", "a_PanelOnOff"})
        tools->addAction(action(a));
    QMenu* help = menu("mi_Help", "Pomoc");
    help->addAction(action("a_About"));

    QToolBar* tb = addToolBar(QString());
    tb->setObjectName("ToolBar");
    translated("f_MainForm", "ToolBar", "Narzędzia", [tb](const QString& t) { tb->setWindowTitle(t); });
    for (const char* a : {"a_ProjectNew", "a_ProjectOpen", "a_ProjectSave"}) tb->addAction(action(a));
    tb->addSeparator();
    for (const char* a : {"a_Parameters", "a_DutyAdd", "a_DayOffAdd", "a_Automatic", "a_Warnings", "a_Templates"})
        tb->addAction(action(a));
    tb->addSeparator();
    tb->addAction(action("a_PanelOnOff"));
    addUndoMenu(tb);
}

void MainWindow::fillRecentMenu() {
    recentMenu_->clear();
    for (const recent_project& r : recent_projects(plan_)) {
        const int pos = r.position;
        QAction* a = recentMenu_->addAction(qs(r.caption));
        a->setObjectName(QString("pr%1").arg(pos));
        connect(a, &QAction::triggered, this, [this, pos] {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            const planek::result<std::vector<std::string>> opened = open_recent(doc_, pos);
            QApplication::restoreOverrideCursor();
            if (opened.error().kind != refusal_kind::Cancelled) told(opened);
        });
    }
    recentMenu_->setEnabled(!recentMenu_->isEmpty());
}

void MainWindow::fillRestoreMenu() {
    const restore_menu r = mi_RestoreDataClick(plan_);
    action("a_RestoreMonth")->setEnabled(r.month);
    action("a_RestoreWorkers")->setEnabled(r.workers);
}

void MainWindow::openProject() {
    std::vector<std::string> chosen;
    if (chooseOpenFiles) {
        chosen = chooseOpenFiles();
    } else {
        const QString folder = qs(remembered_folder(plan_, (plan_.paths.data / "x").string(), "path"));
        for (const QString& f : QFileDialog::getOpenFileNames(this, QString(), folder, "Planek (*.pnk)"))
            chosen.push_back(ss(f));
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const planek::result<std::vector<std::string>> opened = open_project(doc_, chosen);
    QApplication::restoreOverrideCursor();
    if (opened.error().kind != refusal_kind::Cancelled) told(opened);
}

bool MainWindow::switchTab(int tab) {
    if (tab < 0 || tab >= int(plan_.openFiles.size()) || tab == plan_.currentMonth) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const planek::result<> shown = show_tab(doc_, tab);
    QApplication::restoreOverrideCursor();
    if (!shown) {
        if (shown.error().kind != refusal_kind::Cancelled) told(shown);
        tabs_->setCurrentIndex(plan_.currentMonth);
        return false;
    }
    return true;
}

void MainWindow::addDutyAtSelection() {
    if (!told(selected_cell(plan_))) return;
    openDutyFor(plan_.currentWorker, plan_.selectedCellDay, plan_.selectedCellShift);
}

void MainWindow::openDutyFor(int worker, int dayIndex, int shift) {
    const planek::result<dyzur> cell = duty_for_cell(doc_, worker, dayIndex, shift);
    if (!cell) {
        if (cell.error().kind != refusal_kind::Cancelled) told(cell);
        return;
    }
    drop_result r;
    r.outcome = drop_outcome::OpenDutyDialog;
    r.duty = *cell;
    r.worker = worker;
    r.dayIndex = dayIndex;
    if (openDutyDialog) openDutyDialog(r);
}

void MainWindow::openDayOffFor(int worker, int dayIndex) {
    if (!told(day_off_for_cell(doc_, worker, dayIndex))) return;
    drop_result r;
    r.outcome = drop_outcome::OpenDayOffDialog;
    r.worker = worker;
    r.dayIndex = dayIndex;
    if (openDayOffDialog) openDayOffDialog(r);
}

void MainWindow::handleDrop(const QString& source, int worker, int dayIndex, int shift, bool ctrl) {
    const std::string src = ss(source);
    if (src == "d") {
        if (worker >= 0 && worker != plan_.currentWorker) told(show_worker(doc_, worker));
        if (ctrl) {
            told(add_shift_duty(doc_, worker, dayIndex, shift));
        } else {
            openDutyFor(worker, dayIndex, shift);
        }
    } else if (src == "w") {
        openDayOffFor(worker, dayIndex);
    } else if (const std::optional<panel_ref> ref = parse_panel_name(src); ref && ref->duty) {
        const std::optional<duty_id> id = duty_at(plan_, {ref->worker, ref->day, ref->position});
        if (!id) return;
        const planek::result<duty_id> dropped = ctrl ? copy_duty(doc_, *id, dayIndex, shift) : move_duty(doc_, *id, dayIndex, shift);
        told(dropped);
    } else if (ref && !ref->duty) {
        const std::optional<day_off_id> id = day_off_at(plan_, ref->worker, ref->day);
        if (id) told(move_day_off(doc_, *id, dayIndex));
    }
}

void MainWindow::trashPanel(const QString& panel) {
    const std::optional<panel_ref> ref = parse_panel_name(ss(panel));
    if (!ref) return;
    if (ref->duty) {
        if (const std::optional<duty_id> id = duty_at(plan_, {ref->worker, ref->day, ref->position}))
            told(remove_duty(doc_, *id, false));
    } else if (const std::optional<day_off_id> id = day_off_at(plan_, ref->worker, ref->day)) {
        told(remove_day_off(doc_, *id));
    }
}

void MainWindow::deletePanel(const QString& panel) {
    const std::optional<panel_ref> ref = parse_panel_name(ss(panel));
    if (!ref) return;
    if (!ref->duty) return trashPanel(panel);
    const std::optional<duty_id> id = duty_at(plan_, {ref->worker, ref->day, ref->position});
    if (!id) return;
    const planek::result<> removed = remove_duty(doc_, *id, true);
    if (removed.error().kind != refusal_kind::Cancelled) told(removed);
}

void MainWindow::splitPanel(const QString& panel) {
    const std::optional<panel_ref> ref = parse_panel_name(ss(panel));
    if (!ref || !ref->duty) return;
    SplitDialog d(doc_, ss(panel), this);
    if (d.ready()) d.exec();
}

void MainWindow::showPanelMenu(const QString& panel, const QPoint& pos) {
    QMenu m(this);
    m.setObjectName("pm_d");
    QAction* change = m.addAction(text(plan_, "f_MainForm", "mi_DutyEdit", "Zmień..."));
    QAction* split = m.addAction(text(plan_, "f_MainForm", "mi_DutySplit", "Podziel..."));
    QAction* del = m.addAction(text(plan_, "f_MainForm", "mi_DutyDelete", "Usuń"));
    split->setEnabled(panel.startsWith('p'));
    QAction* chosen = m.exec(pos);
    if (chosen == change) {
        if (panel.startsWith('p') && editDutyDialog)
            editDutyDialog(ss(panel));
        else if (panel.startsWith('u')) {
            DayOffDialog d(doc_, ss(panel), this);
            if (d.ready()) d.exec();
        }
    } else if (chosen == split) {
        splitPanel(panel);
    } else if (chosen == del) {
        deletePanel(panel);
    }
}

void MainWindow::showCellMenu(int dayIndex, const QPoint& pos) {
    QMenu m(this);
    m.setObjectName("pm_Calendar");
    for (const char* a : {"a_DutyAdd", "a_DayOffAdd"}) m.addAction(action(a));
    add_wish_menu(m, doc_, dayIndex);
    m.addSeparator();
    for (const char* a : {"a_MarkAsHoliday", "a_ERDuty", "a_DayProperties"}) m.addAction(action(a));
    m.exec(pos);
}

void MainWindow::cellSelected(int dayIndex, int slot) { told(select_cell(doc_, dayIndex, slot)); }

void MainWindow::refreshDayBox() {
    // Shown for a selected day: its staffing is wanted even without a note.
    const day_box b = podsumowanie_dnia(plan_, plan_.selectedCellDay);
    dayBox_->setVisible(b.valid);
    if (!b.valid) return;
    QStringList lines;
    for (const std::string& l : b.lines) lines << qs(l);
    dayFigures_->setText(lines.join('\n'));
    // The day's title, its shifts and the most and fewest on duty keep
    // their lines whole; a note takes only the room left beside them.
    const QFontMetrics metrics(dayFigures_->font());
    int head = 0;
    for (int i = 0; i < lines.size() && i < int(b.shifts.size()) + 3; ++i)
        head = std::max(head, metrics.horizontalAdvance(lines[i]));
    dayFiguresArea_->setMinimumWidth(head + dayFiguresArea_->verticalScrollBar()->sizeHint().width() + 8);
    notes_->setPlainText(qs(b.note));
    notes_->setVisible(!b.note.empty());
}

void MainWindow::quickEntry(const QString& nick) {
    const std::string typed = ss(nick.toLower());
    for (const listed_worker& lw : plan_.listed) {
        const prac& p = plan_.workers[size_t(lw.worker)];
        if (ss(qs(p.nick).toLower()) != typed) continue;
        const int worker = lw.worker;
        told(show_worker(doc_, worker));
        addDutyAtSelection();
        return;
    }
}

void MainWindow::runParameters() { run_parameters_dialog(doc_, this); }

void MainWindow::runDayProperties(int dayIndex) {
    if (dayIndex < 0) return;
    // The dialog's buttons act at once, OK after them: the visit is one step.
    act_group visit(doc_, "undo_DayProperties", "Właściwości dnia");
    run_day_properties_dialog(doc_, dayIndex, this);
}

void MainWindow::restartAutosave() {
    const int minutes = plan_.options.glowne.autosave;
    if (minutes > 0)
        autosave_->start(minutes * 60 * 1000);
    else
        autosave_->stop();
}

void MainWindow::applyLanguage() {
    QGuiApplication::setApplicationDisplayName(qs(plan_.options.appTitle));
    loadQtTranslations();
    for (const auto& retranslate : retranslators_) retranslate();
    warnings_->retranslate();
    rebuildSummaryBoxes();
    refreshAll();
}

void MainWindow::rebuildSummaryBoxes() {
    // The boxes take their captions when made; new ones speak the new language.
    // The scroll area deletes the old boxes as it takes the new ones.
    boxes_ = new SummaryBoxes(plan_);
    boxesArea_->setWidget(boxes_);
}

}  // namespace planek::ui
