#pragma once
#include <QDialog>

#include "core/plan.h"
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
// and exec() returns Rejected. After Accepted outcome() says what happened
// (Added, Edited, FilledMonth); the caller redraws the worker and the day.
class DutyDialog : public QDialog {
public:
    DutyDialog(Plan& plan, int worker, int dayIndex, const dyzur& prepared, QWidget* parent = nullptr);
    DutyDialog(Plan& plan, const std::string& panel, QWidget* parent = nullptr);
    bool ready() const { return ready_; }
    int exec() override;
    void accept() override;
    duty_dialog_result outcome() const { return result_; }
    const duty_dialog_model& model() const { return model_; }
    // The whole-month offer; defaults to the scheduler's eight-hour fill.
    fill_month_fn fillMonth;

private:
    void build();
    void fillControls();
    void refreshBar();
    bool readTimes();

    Plan& plan_;
    duty_dialog_model model_;
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
