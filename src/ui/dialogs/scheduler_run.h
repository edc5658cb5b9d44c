#pragma once
// A run of the automatic scheduler from the window: the wait cursor, the
// second algorithm's progress with its Stop, and the accept question with
// what the run could not meet in sight while the user decides.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "core/plan.h"
#include "core/result.h"
#include "document/roster_document.h"
#include "scheduler/scheduler.h"

class QPlainTextEdit;

namespace planek::ui {

// The accept question of a run that could not meet everything: the shifts
// and norms it left unmet, and under them the question. Yes accepts.
class AcceptRunDialog : public QDialog {
public:
    AcceptRunDialog(const Plan& plan, const std::string& question, const std::vector<std::string>& unmet,
                    QWidget* parent = nullptr);
    QPlainTextEdit* unmetList() const { return unmet_; }

private:
    QPlainTextEdit* unmet_ = nullptr;
};

// Runs the document's scheduler act with the window's hooks and takes them
// off again. `redraw` shows the month as it stands (before the question and
// after). What the run could not meet is told after it when no question was
// asked.
result<scheduler_report> run_scheduler_in_window(roster_document& doc, QWidget* parent, std::function<void()> redraw);

}  // namespace planek::ui
