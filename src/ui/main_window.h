#pragma once
#include <QMainWindow>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "core/plan.h"
#include "document/change_notice.h"
#include "document/roster_document.h"
#include "editing/duty_moves.h"
#include "editing/refusal.h"
#include "editing/group_model.h"
#include "editing/worker_model.h"

class QAction;
class QBoxLayout;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QScrollArea;
class QToolBar;
class QGroupBox;
class QToolButton;
class QTabBar;
class QTimer;
class QTranslator;

namespace planek {
struct warning_place;
}

namespace planek::ui {

class CalendarView;
class WarningsDock;
class GroupList;
class SummaryBoxes;
class WorkerList;

// The main window shows the document's plan and hands the user's acts to
// the document; it keeps no rule of its own, and shows again what each
// act's change notice names.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(roster_document& doc, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Asked when the window is about to close; false keeps it open.
    std::function<bool()> onClose;
    // The duty dialog for a new duty (a drop without Ctrl) or an edited one;
    // replaceable by tests. The default binds the headless dialog model.
    std::function<void(const drop_result&)> openDutyDialog;
    std::function<void(const std::string& panel)> editDutyDialog;
    std::function<void(const drop_result&)> openDayOffDialog;
    // The open dialog of the project actions: the chosen files (tests may
    // replace it).
    std::function<std::vector<std::string>()> chooseOpenFiles;
    // The archive chosen for "pliki użytkownika..." (tests may replace it).
    std::function<std::optional<std::string>()> chooseArchive;

    // A month held on the hospital's server (ui/store_month) sets these:
    // Save goes to the store instead of a file and no autosave is written,
    // the title names the month as the store does, and who edits which ward
    // (group index -> "user@computer") comes from the store's marks instead
    // of the lock files. Unset, the window works on its data folder.
    std::function<void()> saveMonth;
    std::function<QString()> caption;
    std::function<std::map<int, QString>()> wardEditors;

    // What the window shows again when an act told what it changed.
    void changed(const change_notice& notice);
    // Refreshes of the view after the plan changed.
    void refreshAll();
    void refreshGroups();
    void refreshWorkers(bool summaries = true);
    void refreshCalendar();
    void refreshTabs();
    void refreshStatus();
    void refreshCaption();
    // Who holds which ward of the month shown, read again from its lock
    // files: in the group list and the status line.
    void refreshWards();
    // Every caption of the window, its menus and Qt's own texts again in
    // the language now chosen.
    void applyLanguage();

    // The user's acts, callable from tests as from the widgets.
    void chooseGroup(int groupIndex);
    void chooseWorker(int worker);
    void handleDrop(const QString& source, int worker, int dayIndex, int shift, bool ctrl);
    void trashPanel(const QString& panel);
    void deletePanel(const QString& panel);
    void splitPanel(const QString& panel);
    // Changing the month tab: the save question first; false when the tab stays.
    bool switchTab(int tab);
    void quickEntry(const QString& nick);
    // The keys of the calendar: arrows move the selected cell, Enter adds a
    // duty there, Delete removes the current worker's duty there, Page Up
    // and Page Down show the previous or next month tab. True when used.
    bool calendarKey(int key, Qt::KeyboardModifiers modifiers);
    // Shows only the workers whose surname, first name or short name holds
    // the search text.
    void filterWorkers();

    GroupList* groupList() const { return groups_; }
    WorkerList* workerList() const { return workers_; }
    CalendarView* calendar() const { return calendar_; }
    SummaryBoxes* summaryBoxes() const { return boxes_; }
    QTabBar* monthTabs() const { return tabs_; }
    QLineEdit* workerSearch() const { return workerSearch_; }
    WarningsDock* warningsDock() const { return warnings_; }
    QAction* action(const QString& name) const;
    // Selects the calendar cell of a day index and 1-based shift slot (the
    // day's first slot when that one is not shown); false when the day is
    // not on the calendar.
    bool selectDay(int dayIndex, int slot);
    // Shows the day and worker a warning line is about.
    void showWarningPlace(const warning_place& place);
    QTimer* autosaveTimer() const { return autosave_; }
    QTimer* wardsTimer() const { return wardsTimer_; }
    QLabel* wardsStatus() const { return stWards_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildCalendarSide();
    QWidget* buildWorkerSide();
    QWidget* buildDayBox();
    QWidget* buildViewControls();
    void buildActions();
    void buildMenus();
    // Sets a caption now and again whenever the language changes.
    void translated(const char* section, const char* key, const char* fallback,
                    std::function<void(const QString&)> set);
    QButtonGroup* radioGroup(QBoxLayout* into, const char* name, const char* fallback, int checked);
    QMenu* translatedMenu(QMenu* parent, const char* key, const char* fallback);
    void loadQtTranslations();
    void rebuildSummaryBoxes();
    QAction* makeAction(const char* name, const char* caption, const char* shortcut = nullptr,
                        const char* hint = nullptr);
    // Tells the user what an act said.
    template <class T>
    bool told(const result<T>& r);
    // The duty dialog for the cell's offer to the worker, the day-off dialog
    // for a day (after the checks of a drop there).
    void addDutyAtSelection();
    void openDutyFor(int worker, int dayIndex, int shift);
    void openDayOffFor(int worker, int dayIndex);
    // The worker chosen selected in the list, and the actions that follow her.
    void syncWorker();
    // main_window_undo.cpp
    void buildUndoActions();
    void addUndoMenu(QToolBar* toolbar);
    void refreshUndoActions();
    void takeStep(bool redo);
    void fillRecentMenu();
    void fillRestoreMenu();
    void showPanelMenu(const QString& panel, const QPoint& pos);
    void showCellMenu(int dayIndex, const QPoint& pos);
    void cellSelected(int dayIndex, int shift);
    void runParameters();
    void runDayProperties(int dayIndex);
    void openProject();
    void moveWorker(int from, int to);
    void moveGroup(int from, int to);
    void togglePanel();
    void refreshDayBox();
    void restartAutosave();
    void deleteSelectedDuty();

    roster_document& doc_;
    const Plan& plan_;  // the document's
    int subscription_ = 0;
    bool refreshing_ = false;  // a notice came while the window was showing another
    // The worker and group forms keep their values from one use to the next,
    // for as long as this window (and its plan) lives.
    worker_dialog_model workerForm_;
    group_dialog_model groupForm_;
    GroupList* groups_ = nullptr;
    WorkerList* workers_ = nullptr;
    CalendarView* calendar_ = nullptr;
    SummaryBoxes* boxes_ = nullptr;
    QScrollArea* boxesArea_ = nullptr;  // holds boxes_
    QTabBar* tabs_ = nullptr;
    QLabel* stCalendar_ = nullptr;
    QLabel* stWorkers_ = nullptr;
    QLabel* stStatus_ = nullptr;
    QLabel* stType_ = nullptr;
    QLabel* stNorma_ = nullptr;
    QLabel* stWards_ = nullptr;
    QTimer* wardsTimer_ = nullptr;
    // The month file and group the holders were last read for: an act that
    // changes neither leaves the next look to the timer.
    std::pair<std::string, int> wardsReadFor_{{}, -2};
    QPlainTextEdit* notes_ = nullptr;
    QGroupBox* dayBox_ = nullptr;
    QLabel* dayFigures_ = nullptr;
    QScrollArea* dayFiguresArea_ = nullptr;  // holds dayFigures_
    QToolButton* panelButton_ = nullptr;
    QWidget* workerSide_ = nullptr;
    QLineEdit* workerSearch_ = nullptr;
    QButtonGroup* showWorkers_ = nullptr;
    QButtonGroup* showWho_ = nullptr;
    QButtonGroup* captions_ = nullptr;
    QButtonGroup* colours_ = nullptr;
    QCheckBox* showDeleted_ = nullptr;
    QCheckBox* showDuties_ = nullptr;
    QCheckBox* showDayOffs_ = nullptr;
    QListWidget* dutyAs_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QMenu* restoreMenu_ = nullptr;
    QTimer* autosave_ = nullptr;
    WarningsDock* warnings_ = nullptr;
    std::map<QString, QAction*> actions_;
    std::vector<std::function<void()>> retranslators_;
    std::unique_ptr<QTranslator> qtTexts_;
    bool switchingTabs_ = false;
};

template <class T>
bool MainWindow::told(const result<T>& r) {
    tell_user(doc_.interaction(), r);
    return r.ok();
}

}  // namespace planek::ui
