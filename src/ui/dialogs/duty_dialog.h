#pragma once
#include <QDialog>

#include "core/plan.h"
#include "document/duty_acts.h"
#include "document/roster_document.h"
#include "editing/duty_dialog_model.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollBar;

namespace planek::ui {

// "Dodaj/Edytuj dyżur" (Tf_DutyAdd). Adding: the prepared duty of a drop
// (its worker index and day index). Editing: the name of the duty's panel
// ("p<worker>_<day>_<position>"); when it leads to no duty ready() is false
// and exec() returns Rejected. OK turns the fields into the duty's
// arguments and hands them to the document's act; after Accepted outcome()
// says what happened (Added, Edited, FilledMonth).
class DutyDialog : public QDialog {
public:
    DutyDialog(roster_document& doc, int worker, int dayIndex, const dyzur& prepared, QWidget* parent = nullptr);
    DutyDialog(roster_document& doc, const std::string& panel, QWidget* parent = nullptr);
    bool ready() const { return ready_; }
    int exec() override;
    void accept() override;
    duty_dialog_result outcome() const { return result_; }
    const duty_dialog_model& model() const { return model_; }

private:
    void build();
    void fillControls();
    void refreshBar();
    bool readTimes();

    roster_document& doc_;
    const Plan& plan_;  // the document's
    duty_dialog_model model_;
    duty_id edited_;
    bool ready_ = false;
    bool filling_ = false;
    duty_dialog_result result_ = duty_dialog_result::Refused;
    QLabel *worker_, *date_, *barStart_, *barEnd_;
    QComboBox *group_, *day_, *dutyAs_;
    QGroupBox* typeBox_ = nullptr;
    QButtonGroup* type_ = nullptr;
    QCheckBox *worker8_, *onRequest_, *medical_, *alsoOvertime_;
    QLineEdit *time_, *start_, *overtime_, *note_;
    QScrollBar* bar_ = nullptr;
};

}  // namespace planek::ui
