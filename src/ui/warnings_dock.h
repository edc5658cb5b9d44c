#pragma once
// The findings of the warnings check, kept beside the calendar: a click on a
// line shows its day and worker, a button opens warnings.txt. While the list
// is shown it follows the roster: the check runs again after edits and in
// the language just chosen.
#include <QDockWidget>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "document/roster_document.h"
#include "scheduler/warnings.h"

class QListWidget;
class QPushButton;

namespace planek::ui {

// The lines in the order the list shows them: grouped by rule as the file
// has them, and the lines of a rule that names a day first (the staffing
// gaps among them) in the order of their days, numbers compared as numbers.
// `places` is put in the same order.
void order_for_list(std::vector<std::string>& lines, std::vector<warning_place>& places);

class WarningsDock : public QDockWidget {
    Q_OBJECT
public:
    explicit WarningsDock(roster_document& doc, QWidget* parent = nullptr);

    // What the window does after a check: the calendar shown again.
    std::function<void()> checked;
    // Runs the check now and shows its lines; false when it wrote none
    // (week mode, no group, the file could not be written: the user is told).
    bool check();
    // The roster or the language changed: while lines are shown the check
    // runs again once the current event is handled.
    void refreshSoon();

    // Shows the lines of a finished check and remembers its file.
    void showReport(const warnings_report& report);
    // The captions again, in the chosen language.
    void retranslate();
    QListWidget* list() const { return list_; }
    const std::vector<warning_place>& places() const { return places_; }

    // Opens the file in the desktop's viewer; false when none opened it
    // (tests replace it). The user is then told where the file is.
    std::function<bool(const std::filesystem::path&)> openFile;
    void openReportFile();

signals:
    // A line was chosen: its place in the shown month.
    void placeChosen(const planek::warning_place& place);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void runPending();

    roster_document& doc_;
    const Plan& plan_;
    QListWidget* list_ = nullptr;
    QPushButton* open_ = nullptr;
    std::vector<std::string> lines_;
    std::vector<warning_place> places_;
    std::filesystem::path file_;
    bool shown_ = false;     // a check has been shown
    bool checking_ = false;  // inside check(): its own refreshes start none
    bool pending_ = false;
};

}  // namespace planek::ui
