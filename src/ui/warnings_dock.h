#pragma once
// The findings of the warnings check, kept beside the calendar: a click on a
// line shows its day and worker, a button opens warnings.txt.
#include <QDockWidget>
#include <filesystem>
#include <functional>

#include "scheduler/warnings.h"

class QListWidget;
class QPushButton;

namespace planek::ui {

class WarningsDock : public QDockWidget {
    Q_OBJECT
public:
    explicit WarningsDock(const Plan& plan, QWidget* parent = nullptr);

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

private:
    const Plan& plan_;
    QListWidget* list_ = nullptr;
    QPushButton* open_ = nullptr;
    std::vector<warning_place> places_;
    std::filesystem::path file_;
};

}  // namespace planek::ui
