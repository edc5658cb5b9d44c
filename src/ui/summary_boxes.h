#pragma once
// The summary boxes of the selected worker and of the period (gb_Duties,
// gb_DaysOff, gb_WorkerNorma, gb_Period), filled from ramki_pracownika.
#include <QWidget>
#include <map>

#include "core/plan.h"

class QGridLayout;
class QLabel;

namespace planek::ui {

class SummaryBoxes : public QWidget {
    Q_OBJECT
public:
    explicit SummaryBoxes(Plan& plan, QWidget* parent = nullptr);
    void refresh();
    // The text of one figure label ("l_dq_Days"...), for tests.
    QString figure(const QString& name) const;

private:
    QLabel* add(QGridLayout* grid, int row, const char* key, const char* caption);
    Plan& plan_;
    std::map<QString, QLabel*> figures_;
    QLabel* careCaption_ = nullptr;  // its unit changes with the worker
    // Shown only for a worker with wishes, so a small screen keeps room for
    // the figures every worker has.
    QWidget* wishes_ = nullptr;
};

}  // namespace planek::ui
