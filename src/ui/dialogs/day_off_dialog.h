#pragma once
#include <QDialog>

#include "core/plan.h"
#include "document/day_off_acts.h"
#include "document/roster_document.h"
#include "editing/day_off_dialog_model.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace planek::ui {

// "Dodaj/Edytuj wolne" (Tf_DayOffAdd). Adding: worker index and the clicked
// day index. Editing: the day off's panel name ("u<worker>_<day>"); when it
// leads to no day off ready() is false and exec() returns Rejected. After
// Accepted outcome() is Added or Edited: the document's act stored it.
class DayOffDialog : public QDialog {
public:
    DayOffDialog(roster_document& doc, int worker, int dayIndex, QWidget* parent = nullptr);
    DayOffDialog(roster_document& doc, const std::string& panel, QWidget* parent = nullptr);
    bool ready() const { return ready_; }
    int exec() override;
    void accept() override;
    day_off_dialog_result outcome() const { return result_; }
    const day_off_dialog_model& model() const { return model_; }

private:
    void build();
    void fillControls();
    void refresh(bool readSpins);
    void readDays();

    roster_document& doc_;
    const Plan& plan_;  // the document's
    day_off_dialog_model model_;
    day_off_id edited_;
    bool ready_ = false;
    bool filling_ = false;
    day_off_dialog_result result_ = day_off_dialog_result::Refused;
    QListWidget* kinds_ = nullptr;
    QLabel *first_, *second_, *normLabel_;
    QSpinBox *from_, *to_;
    QCheckBox *custom_, *partTime_;
    QLineEdit* norm_ = nullptr;
};

}  // namespace planek::ui
