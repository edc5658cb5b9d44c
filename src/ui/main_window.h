#pragma once
#include <QMainWindow>
#include <functional>
#include <map>

#include "core/plan.h"
#include "editing/duty_moves.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QGroupBox;
class QToolButton;
class QTabBar;
class QTimer;

namespace planek::ui {

class CalendarView;
class GroupList;
class SummaryBoxes;
class WorkerList;

// The main window shows the plan and forwards the user's acts to the core;
// it keeps no rule of its own.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Plan& plan, QWidget* parent = nullptr);
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

    // Refreshes of the view after the plan changed.
    void refreshAll();
    void refreshGroups();
    void refreshWorkers(bool summaries = true);
    void refreshCalendar();
    void refreshTabs();
    void refreshStatus();
    void refreshCaption();
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

    GroupList* groupList() const { return groups_; }
    WorkerList* workerList() const { return workers_; }
    CalendarView* calendar() const { return calendar_; }
    SummaryBoxes* summaryBoxes() const { return boxes_; }
    QTabBar* monthTabs() const { return tabs_; }
    QAction* action(const QString& name) const;
    QTimer* autosaveTimer() const { return autosave_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildCalendarSide();
    QWidget* buildWorkerSide();
    QWidget* buildViewControls();
    void buildActions();
    void buildMenus();
    QAction* makeAction(const char* name, const char* caption, const char* shortcut = nullptr,
                        const char* hint = nullptr);
    void afterEdit(int worker);
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

    Plan& plan_;
    GroupList* groups_ = nullptr;
    WorkerList* workers_ = nullptr;
    CalendarView* calendar_ = nullptr;
    SummaryBoxes* boxes_ = nullptr;
    QTabBar* tabs_ = nullptr;
    QLabel* stCalendar_ = nullptr;
    QLabel* stWorkers_ = nullptr;
    QLabel* stStatus_ = nullptr;
    QLabel* stType_ = nullptr;
    QLabel* stNorma_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    QGroupBox* dayBox_ = nullptr;
    QLabel* dayFigures_ = nullptr;
    QToolButton* panelButton_ = nullptr;
    QWidget* workerSide_ = nullptr;
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
    std::map<QString, QAction*> actions_;
    bool switchingTabs_ = false;
};

}  // namespace planek::ui
